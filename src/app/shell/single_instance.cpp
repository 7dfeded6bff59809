#include "app/shell/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace zkt {

namespace {

constexpr int connectTimeoutMs = 1000;
// One request per line, in UTF-8: "activate", or "open " and an absolute path.
const QByteArray activateRequest = QByteArrayLiteral("activate");
const QByteArray openRequestPrefix = QByteArrayLiteral("open ");

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

bool SingleInstance::anotherInstance(const QString& fileToOpen) {
    if (askRunningInstance(fileToOpen))
        return true;
    listen();
    return false;
}

bool SingleInstance::askRunningInstance(const QString& fileToOpen) {
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    // The running copy has another working folder: it is given the whole path.
    QByteArray request = fileToOpen.isEmpty()
                             ? activateRequest
                             : openRequestPrefix + QFileInfo(fileToOpen).absoluteFilePath().toUtf8();
    // A line break cannot be part of the request; a name holding one is not handed over whole.
    request.replace('\n', ' ');
    socket.write(request + '\n');
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(connectTimeoutMs);
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
        while (QLocalSocket* client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] { readRequests(*client); });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            readRequests(*client);
        }
    });
}

void SingleInstance::readRequests(QLocalSocket& client) {
    while (client.canReadLine()) {
        QByteArray line = client.readLine();
        line.chop(1); // the line break; a file name may end in blanks
        if (line.startsWith(openRequestPrefix))
            emit openRequested(QString::fromUtf8(line.mid(openRequestPrefix.size())));
        else if (line == activateRequest)
            emit activationRequested();
    }
}

} // namespace zkt
