#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>

namespace {

const QByteArray ComeForward = "come forward\n";
const QByteArray OpenPrefix = "open ";
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

TSingleInstance::TRequest TSingleInstance::ReadRequest(const QByteArray& line)
{
    if (line.size() > MaximumRequestLength || !line.endsWith('\n'))
        return {};
    if (line == ComeForward)
        return {TRequest::TKind::ComeForward, QString()};
    if (!line.startsWith(OpenPrefix))
        return {};
    const QByteArray bytes = line.mid(OpenPrefix.size(), line.size() - OpenPrefix.size() - 1);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString path = decoder(bytes);
    if (decoder.hasError() || path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    // A control character (a second line, a NUL) means the sender is not a start of ours.
    for (const QChar c : path)
        if (c.category() == QChar::Other_Control)
            return {};
    return {TRequest::TKind::Open, QDir::cleanPath(path)};
}

QByteArray TSingleInstance::RequestLine(const QString& fileName)
{
    if (fileName.isEmpty())
        return ComeForward;
    return OpenPrefix + fileName.toUtf8() + '\n';
}

bool TSingleInstance::BecomeFirstInstance(const QString& fileName)
{
    if (AskRunningInstance(fileName))
        return false;
    Listen();
    return true;
}

bool TSingleInstance::AskRunningInstance(const QString& fileName)
{
    QLocalSocket socket;
    socket.connectToServer(m_ServerName);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(RequestLine(fileName));
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
                if (!socket->canReadLine()) {
                    // A sender that never ends its line is not let to fill the memory.
                    if (socket->bytesAvailable() > MaximumRequestLength)
                        socket->abort();
                    return;
                }
                const TRequest request = ReadRequest(socket->readLine(MaximumRequestLength + 1));
                // One request per connection: whatever follows is not read.
                socket->disconnectFromServer();
                if (request.Kind == TRequest::TKind::ComeForward)
                    emit ActivationRequested();
                else if (request.Kind == TRequest::TKind::Open)
                    emit OpenRequested(request.FileName);
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            read(); // the request may have arrived with the connection
        }
    });
}
