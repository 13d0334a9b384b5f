#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class QLocalServer;

namespace tavrin {

/// One reader per library. The first launch takes a lock beside a local socket, both named
/// after the library's data directory in the user's runtime directory, and listens there; a
/// later launch finds the lock taken and hands its files to the reader that holds it. A lock
/// or socket left by a reader that crashed is taken over, never waited for.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    /// dataDir: the library's data directory, which the name is derived from.
    explicit SingleInstance(const QString& dataDir, QObject* parent = nullptr);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the lock; true when this process is now the one reader. Needs no event loop.
    bool claim();
    /// Starts listening for later launches (after claim(), once the event loop will run).
    bool listen();
    /// Hands files (absolute paths, possibly none) to the reader holding the lock; true when
    /// it received them within the timeout, or they at least reached its socket.
    bool handOver(const QStringList& files, std::chrono::milliseconds timeout);

    QString serverName() const { return m_serverName; }

Q_SIGNALS:
    /// A later launch handed these files over (the list is empty when it named none).
    void filesReceived(const QStringList& files);

private:
    void readHandOver();

    QString m_serverName;
    QLockFile m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace tavrin
