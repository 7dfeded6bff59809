#pragma once
// One running copy per user. The first launch listens on a local socket; a later launch
// connects, asks the first to come to the front, and ends before touching any file.

#include <QObject>
#include <QString>

class QLocalServer;

namespace zkt {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString serverName, QObject* parent = nullptr);

    // True when another instance answered (it has been asked to come to the front). False
    // when this process is now the one that answers later launches.
    bool anotherInstance();

    // The per-user name launches agree on.
    static QString defaultServerName();

signals:
    void activationRequested();

private:
    bool askRunningInstance();
    void listen();

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace zkt
