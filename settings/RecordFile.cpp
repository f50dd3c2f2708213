#include "settings/RecordFile.h"

#include "settings/FileError.h"

#include <algorithm>
#include <cerrno>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RecordFile::~RecordFile() { close(); }

bool RecordFile::openOrCreate(const std::string& path, unsigned char* record)
{
    close();
    path_ = path;
    struct stat st {};
    const bool exists = ::lstat(path.c_str(), &st) == 0;
    if (exists) {
        // Never truncate a file we cannot open: it holds what the user saved.
        int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            throw FileError::fromErrno(errno);
        // Read into a scratch buffer: a failed read leaves memory as it was, and
        // the handle is dropped so no later save can overwrite a file we could
        // not read.
        std::vector<unsigned char> buffer(recordSize_);
        try {
            ReadExactly(fd, buffer.data(), recordSize_, 0);
        } catch (const FileError&) {
            ::close(fd);
            throw;
        }
        std::copy(buffer.begin(), buffer.end(), record);
        fd_ = fd;
        return false;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw FileError::fromErrno(errno);
    fd_ = fd;
    writeRecord(record);
    return true;
}

void RecordFile::writeRecord(const unsigned char* record)
{
    if (fd_ < 0)
        throw FileError::notOpen();
    std::size_t done = 0;
    while (done < recordSize_) {
        ssize_t n = ::pwrite(fd_, record + done, recordSize_ - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw FileError::fromErrno(errno);
        }
        if (n == 0)
            throw FileError("Disk full");
        done += static_cast<std::size_t>(n);
    }
}

void RecordFile::close() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}
