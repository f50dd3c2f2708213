#include "app/SingleCopy.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace {

const QByteArray ShowRequest("show\n");
const QByteArray ShownAnswer("shown\n");
// How long a later start waits for the first: it may still be starting.
constexpr int AskMilliseconds = 5000;

} // namespace

SingleCopy::SingleCopy(const QString& folder) : folder_(folder), lock_(folder + SingleCopyLockName)
{
    // Held for the whole run: only a dead process's lock counts as stale, never an old one.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleCopy::answer);
}

QString SingleCopy::serverName(const QString& folder)
{
    // A path may be longer than a socket's name may be: a digest of it, per user.
    const QByteArray digest = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStringLiteral("zelvana-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest));
}

SingleCopy::Start SingleCopy::start()
{
    if (!lock_.tryLock(0) && lock_.error() == QLockFile::LockFailedError)
        return askOther() ? Start::OtherShown : Start::OtherSilent;
    // A folder that cannot be locked (read-only, say) starts as before: the
    // saves report what is wrong. A socket left by a crash is ours to replace.
    const QString name = serverName(folder_);
    QLocalServer::removeServer(name);
    server_.listen(name);
    return Start::First;
}

bool SingleCopy::askOther() const
{
    const QDeadlineTimer deadline(AskMilliseconds);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(serverName(folder_));
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(ShowRequest);
            socket.flush();
            while (socket.bytesAvailable() < ShownAnswer.size() && socket.waitForReadyRead(int(deadline.remainingTime())))
                ;
            return socket.readAll() == ShownAnswer;
        }
        // The first copy may hold the lock but not listen yet.
        QThread::msleep(100);
    }
    return false;
}

void SingleCopy::answer()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto reply = [this, socket] {
            if (socket->bytesAvailable() < ShowRequest.size())
                return;
            if (socket->readAll() == ShowRequest) {
                emit showRequested();
                socket->write(ShownAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, this, reply);
        reply(); // the request may be here already
    }
}
