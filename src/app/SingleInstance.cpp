#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace tavrin {

namespace {

// A hand-over is a list of paths; anything larger is not one.
constexpr qint64 kMaxMessage = 1 << 20;
constexpr char kReceived = '1';

QString baseName(const QString& dataDir)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    const QByteArray hash =
        QCryptographicHash::hash(dataDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return dir + QStringLiteral("/tavrin-") + QString::fromLatin1(hash);
}

} // namespace

SingleInstance::SingleInstance(const QString& dataDir, QObject* parent)
    : QObject(parent), m_serverName(baseName(dataDir)),
      m_lock(m_serverName + QStringLiteral(".lock"))
{
    // The reader holds the lock for hours; only a dead holder makes it stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim()
{
    // tryLock removes a lock whose process is gone before it tries.
    return m_lock.tryLock(0);
}

bool SingleInstance::listen()
{
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = m_server->nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QLocalSocket::readyRead, this, &SingleInstance::readHandOver);
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    // Holding the lock, any socket file there is a crashed reader's.
    QLocalServer::removeServer(m_serverName);
    return m_server->listen(m_serverName);
}

void SingleInstance::readHandOver()
{
    auto* socket = qobject_cast<QLocalSocket*>(sender());
    if (!socket) {
        return;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_0);
    in.startTransaction();
    QStringList files;
    in >> files;
    if (!in.commitTransaction()) {
        if (socket->bytesAvailable() > kMaxMessage) {
            socket->abort();
        }
        return;
    }
    socket->write(&kReceived, 1);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT filesReceived(files);
}

bool SingleInstance::handOver(const QStringList& files, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    // The reader may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(20);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    // A reader busy on its main thread reads the files when it is free: they wait in its
    // socket, so a late answer is not a failure.
    if (socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
        char answer = 0;
        socket.getChar(&answer);
    }
    return true;
}

} // namespace tavrin
