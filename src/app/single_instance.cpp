#include "app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace zkt {

namespace {

constexpr int connectTimeoutMs = 1000;
const QByteArray activateRequest = QByteArrayLiteral("activate\n");

} // namespace

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName)) {}

QString SingleInstance::defaultServerName() {
    // The socket may sit in a folder all users share; each user runs a copy of their own.
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QDir::home().dirName();
    return QStringLiteral("ZKTConfig-single-instance-") + user;
}

bool SingleInstance::anotherInstance() {
    if (askRunningInstance())
        return true;
    listen();
    return false;
}

bool SingleInstance::askRunningInstance() {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(activateRequest);
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void SingleInstance::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_serverName)) {
        // A crashed run leaves its socket file behind; nobody answered on it, so it is stale.
        QLocalServer::removeServer(m_serverName);
        m_server->listen(m_serverName);
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        // Only another launch of this program connects here, and it always wants the same.
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            emit activationRequested();
        }
    });
}

} // namespace zkt
