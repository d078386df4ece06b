#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

const QByteArray ComeForward = "come forward\n";
constexpr int ConnectTimeoutMs = 1000;

} // namespace

TSingleInstance::TSingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent)
    , m_ServerName(serverName)
{
}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::DefaultServerName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return "Mervane-" + user;
}

bool TSingleInstance::BecomeFirstInstance()
{
    if (AskRunningInstance())
        return false;
    Listen();
    return true;
}

bool TSingleInstance::AskRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(m_ServerName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(ComeForward);
    socket.waitForBytesWritten(ConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

void TSingleInstance::Listen()
{
    m_Server = new QLocalServer(this);
    m_Server->setSocketOptions(QLocalServer::UserAccessOption);
    // Nobody answered, so a socket file left by an instance that crashed is stale.
    if (!m_Server->listen(m_ServerName)) {
        QLocalServer::removeServer(m_ServerName);
        m_Server->listen(m_ServerName);
    }
    connect(m_Server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_Server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            const auto read = [this, socket] {
                if (socket->canReadLine() && socket->readLine() == ComeForward)
                    emit ActivationRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            read(); // the request may have arrived with the connection
        }
    });
}
