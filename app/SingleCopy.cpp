#include "app/SingleCopy.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray ShowRequest("show\n");
const QByteArray ShownAnswer("shown\n");
// How long a later start waits for the first: it may still be starting.
constexpr int AskMilliseconds = 5000;
// A socket's path must fit the kernel's address (108 bytes with its end).
constexpr qsizetype SocketPathLimit = 100;

// One folder reached by two paths is one folder.
QByteArray canonical(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    char buffer[PATH_MAX];
    return ::realpath(name.constData(), buffer) ? QByteArray(buffer) : name;
}

// A path may be longer than a socket's name may be: a digest of it.
QString digestOf(const QString& folder)
{
    return QString::fromLatin1(QCryptographicHash::hash(canonical(folder), QCryptographicHash::Sha256).toHex().left(32));
}

// $XDG_RUNTIME_DIR, with a separator, when it is a folder of this user's
// alone, where nobody else can put a name first; else empty.
QString privateRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime.startsWith('/') || ::stat(runtime.constData(), &st) != 0 || !S_ISDIR(st.st_mode)
        || st.st_uid != ::getuid() || (st.st_mode & 077) != 0)
        return {};
    return QFile::decodeName(runtime.endsWith('/') ? runtime : runtime + '/');
}

// Where this user's names for `folder` begin. In the temporary folder anyone
// may take a name first: the peer's check below keeps users apart there.
QString nameBase(const QString& folder)
{
    const QString runtime = privateRuntimeFolder();
    const QString private_ = runtime + QStringLiteral("zelvana-") + digestOf(folder);
    if (!runtime.isEmpty() && QFile::encodeName(private_).size() <= SocketPathLimit)
        return private_;
    return QDir::tempPath() + QStringLiteral("/zelvana-%1-%2").arg(::getuid()).arg(digestOf(folder));
}

bool peerIsThisUser(const QLocalSocket& socket)
{
    ucred peer {};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && peer.uid == ::getuid();
}

} // namespace

SingleCopy::SingleCopy(const QString& folder) : folder_(folder)
{
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleCopy::answer);
}

SingleCopy::~SingleCopy()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

QString SingleCopy::serverName(const QString& folder)
{
    return nameBase(folder);
}

SingleCopy::Lock SingleCopy::lock()
{
    // Opened with close-on-exec, so that nothing the program starts (a
    // browser for the help) keeps the folder locked after it ends.
    auto take = [this](int fd) {
        if (fd < 0)
            return Lock::Unavailable;
        int result = 0;
        while ((result = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
        }
        if (result == 0) {
            lockFd_ = fd;
            return Lock::Taken;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Lock::Held : Lock::Unavailable;
    };
    // Reading is all a folder needs to be locked.
    const Lock onFolder = take(::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (onFolder != Lock::Unavailable)
        return onFolder;
    // A folder that cannot be opened or locked (some network file systems do
    // not lock folders): a file of this user's, keyed by the folder, instead.
    const QByteArray name = QFile::encodeName(nameBase(folder_) + QStringLiteral(".lock"));
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid())) {
        ::close(fd); // another user's file: it could be held to keep us out
        return Lock::Unavailable;
    }
    return take(fd);
}

SingleCopy::Start SingleCopy::start()
{
    switch (lock()) {
    case Lock::Held:
        return askOther(AskMilliseconds) ? Start::OtherShown : Start::OtherSilent;
    case Lock::Unavailable:
        // Nothing to lock anywhere: a copy that answers holds the folder.
        if (askOther(0))
            return Start::OtherShown;
        break;
    case Lock::Taken:
        break;
    }
    // A socket of this user's left by a crash is ours to replace.
    const QString name = serverName(folder_);
    QLocalServer::removeServer(name);
    server_.listen(name);
    return Start::First;
}

bool SingleCopy::askOther(int milliseconds) const
{
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(serverName(folder_));
        if (socket.waitForConnected(std::max(int(deadline.remainingTime()), 500))) {
            // Another user listening at the name gets nothing and counts as no answer.
            if (!peerIsThisUser(socket))
                return false;
            const QDeadlineTimer answered(AskMilliseconds);
            socket.write(ShowRequest);
            socket.flush();
            while (socket.bytesAvailable() < ShownAnswer.size() && socket.waitForReadyRead(int(answered.remainingTime())))
                ;
            return socket.readAll() == ShownAnswer;
        }
        if (deadline.hasExpired())
            return false;
        // The first copy may hold the lock but not listen yet.
        QThread::msleep(100);
    }
}

void SingleCopy::answer()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsThisUser(*socket)) {
            socket->disconnectFromServer();
            continue;
        }
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
