#include "core/base/FileError.h"

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

void WriteExactly(int fd, const unsigned char* buffer, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno);
        if (n == 0)
            throw FileError("Disk full");
        done += static_cast<std::size_t>(n);
    }
}

FileError FileError::fromErrno(int err)
{
    auto text = [err]() -> std::string {
        switch (err) {
        case ENOENT:
            return "File not found";
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
            return "Invalid filename";
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
        case EWOULDBLOCK:
            return "File access denied";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case ENOSPC:
        case EDQUOT:
        case EFBIG: // the file may not grow: as full as a disk can be
            return "Disk full";
        default:
            return "I/O error " + std::to_string(err);
        }
    };
    return FileError(text(), err);
}

static std::string sizeText(std::int64_t bytes)
{
    if (bytes % (1 << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    if (bytes % (1 << 10) == 0)
        return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " B";
}

FileError FileError::notRegularFile(const std::string& path)
{
    return FileError("Súbor „" + path + "“ nie je obyčajný súbor, program ho nečíta.");
}

FileError FileError::tooLarge(const std::string& path, std::int64_t limit)
{
    return FileError("Súbor „" + path + "“ je väčší ako " + sizeText(limit) + ", program ho nečíta.");
}

FileError FileError::danglingLink(const std::string& path)
{
    return FileError("Súbor „" + path + "“ je odkaz na neexistujúci súbor, program ho nevytvorí.");
}
