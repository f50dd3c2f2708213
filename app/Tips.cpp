#include "app/Tips.h"

#include "app/Platform.h"
#include "settings/FileError.h"

#include <QFile>
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

Cp1250 ReadRandomTip(const QString& path, Platform& platform)
{
    Fd file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        throw FileError::fromErrno(errno);
    struct stat st {};
    if (::fstat(file.fd, &st) != 0)
        throw FileError::fromErrno(errno);
    if (S_ISDIR(st.st_mode))
        throw FileError::fromErrno(EISDIR);

    const long long records = static_cast<long long>(st.st_size) / static_cast<long long>(TipRecordSize);
    const long long below = records - 1;
    const long long index = below > 0 ? platform.randomBelow(static_cast<int>(below)) : 0;

    unsigned char record[TipRecordSize];
    ReadExactly(file.fd, record, TipRecordSize, static_cast<off_t>(index * static_cast<long long>(TipRecordSize)));
    return readSlot(record);
}
