#include "core/base/SafeRead.h"

#include "core/base/FileError.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct Fd {
    int fd;
    ~Fd() { if (fd >= 0) ::close(fd); }
};
}

OpenedFile OpenRegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    // O_NONBLOCK keeps the open of a pipe from waiting for a writer (for a
    // regular file it changes nothing), O_NOCTTY a terminal from becoming ours.
    Fd file{::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0)
        throw FileError::fromErrno(errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0)
        throw FileError::fromErrno(errno);
    if (!S_ISREG(st.st_mode))
        throw FileError::notRegularFile(name.toStdString());
    const OpenedFile opened{file.fd, static_cast<qint64>(st.st_size)};
    file.fd = -1;
    return opened;
}

QByteArray ReadRegularFile(const QString& path, qint64 limit)
{
    const OpenedFile opened = OpenRegularFile(path);
    Fd file{opened.fd};
    if (opened.size > limit)
        throw FileError::tooLarge(QFile::encodeName(path).toStdString(), limit);

    // The file may grow while we read: read one byte past the limit at most and
    // judge by what actually came.
    QByteArray bytes(std::min<qint64>(opened.size, limit) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                break;
            bytes.resize(limit + 1);
        }
        const ssize_t n = ::read(file.fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno);
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        throw FileError::tooLarge(QFile::encodeName(path).toStdString(), limit);
    bytes.resize(got);
    return bytes;
}
