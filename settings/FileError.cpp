#include "settings/FileError.h"

#include <cerrno>
#include <unistd.h>

void ReadExactly(int fd, unsigned char* buffer, std::size_t size, off_t offset)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, buffer + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno);
        if (n == 0)
            throw FileError::readBeyondEnd();
        got += static_cast<std::size_t>(n);
    }
}

FileError FileError::fromErrno(int err)
{
    switch (err) {
    case ENOENT:
        return FileError("File not found");
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return FileError("Invalid filename");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EWOULDBLOCK:
        return FileError("File access denied");
    case EMFILE:
    case ENFILE:
        return FileError("Too many open files");
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // the file may grow no further: a full disk to the user
        return FileError("Disk full");
    default:
        return FileError("I/O error " + std::to_string(err));
    }
}
