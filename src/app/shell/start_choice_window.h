#pragma once
// Asks once per run how to begin: read the encoder chain, open a file, or leave.

#include <QWidget>

namespace zkt {

class StartChoiceWindow : public QWidget {
    Q_OBJECT
public:
    explicit StartChoiceWindow(QWidget* parent = nullptr);

signals:
    void loadFromDeviceChosen();
    void openFileChosen();
    void exitChosen();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose(void (StartChoiceWindow::*announce)());
};

} // namespace zkt
