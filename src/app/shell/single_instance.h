#pragma once
// One running copy per user. The first launch listens on a local socket; a later launch
// connects, hands over the file it was given (if any), asks the first to come to the front,
// and ends before touching any file of its own.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace zkt {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);

    // True when another instance answered: it has been asked to come to the front and, when
    // fileToOpen is not empty, to open that file. False when this process is now the one that
    // answers later launches.
    bool anotherInstance(const QString& fileToOpen = {});

    // The per-user name launches agree on.
    static QString defaultServerName();

signals:
    void activationRequested();
    // A later launch was given this file (an absolute path).
    void openRequested(const QString& path);

private:
    bool askRunningInstance(const QString& fileToOpen);
    void listen();
    void readRequests(QLocalSocket& client);

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace zkt
