#pragma once
// The first window: program name and version, gone after a few seconds or at the user's
// first click or key press.

#include <QTimer>
#include <QWidget>

namespace zkt {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int defaultShowMs = 3500;

    // showMs counts from construction; tests pass 0 to go on at the next event-loop turn.
    explicit SplashWindow(int showMs = defaultShowMs, QWidget* parent = nullptr);

signals:
    // Emitted once, when the splash has hidden itself.
    void finished();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void finish();

    QTimer m_timer;
    bool m_finished = false;
};

} // namespace zkt
