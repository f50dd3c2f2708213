#include "core/records/RecordFile.h"

#include "core/base/Backup.h"
#include "core/base/CreatedFile.h"
#include "core/base/FileError.h"

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
    if (::lstat(path.c_str(), &st) == 0) {
        openExisting(record);
        return false;
    }
    create(record);
    return true;
}

int RecordFile::openAtPath() const
{
    // Never truncate a file we cannot open: it holds what the user saved.
    // O_NONBLOCK keeps a pipe of that name from stalling the open, O_NOCTTY a
    // terminal from becoming ours; what it is, fstat then tells.
    const int fd = ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throw errno == EISDIR ? FileError::notRegularFile(path_) : FileError::fromErrno(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        throw FileError::fromErrno(err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw FileError::notRegularFile(path_);
    }
    return fd;
}

void RecordFile::openExisting(unsigned char* record)
{
    fd_ = openAtPath();
    // Read into a scratch buffer: a failed read leaves memory as it was.
    std::vector<unsigned char> buffer(recordSize_);
    try {
        ReadExactly(fd_, buffer.data(), recordSize_, 0);
    } catch (const FileError&) {
        backupDue_ = true;
        throw;
    }
    std::copy(buffer.begin(), buffer.end(), record);
}

void RecordFile::create(const unsigned char* record)
{
    // Personal data: readable by its user only, whatever the folder allows.
    // O_EXCL: a name that appeared meanwhile, or a link, is never written through.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        throw FileError::fromErrno(errno);
    CreatedFile created(path_, fd);
    writeAndFlush(created.fd(), record);
    fd_ = created.keep();
}

void RecordFile::writeRecord(const unsigned char* record)
{
    if (fd_ < 0)
        throw FileError::notOpen();
    if (followPath(record))
        return;
    if (backupDue_) {
        BackUpBeside(path_, fd_);
        backupDue_ = false;
    }
    writeAndFlush(fd_, record);
}

bool RecordFile::followPath(const unsigned char* record)
{
    struct stat held {}, atPath {};
    if (::fstat(fd_, &held) != 0)
        throw FileError::fromErrno(errno);
    if (::stat(path_.c_str(), &atPath) == 0 && atPath.st_dev == held.st_dev && atPath.st_ino == held.st_ino)
        return false;
    // Another file took the name (a copy moved over it, an editor's save) or
    // the name is gone: the open handle would write into a file nobody sees
    // any more. The save goes to the path, under the usual rules. Until that
    // works the old handle stays, so a later save tries again.
    const int old = fd_;
    struct stat st {};
    if (::lstat(path_.c_str(), &st) != 0 && errno == ENOENT) {
        create(record); // sets fd_ once the record is on the disk
        ::close(old);
        backupDue_ = false;
        return true;
    }
    const int fd = openAtPath();
    ::close(old);
    fd_ = fd;
    // Bytes of record 0 that cannot be read are copied aside before the
    // save overwrites them, as for a file just loaded.
    std::vector<unsigned char> scratch(recordSize_);
    try {
        ReadExactly(fd_, scratch.data(), recordSize_, 0);
        backupDue_ = false;
    } catch (const FileError&) {
        backupDue_ = true;
    }
    return false;
}

void RecordFile::writeAndFlush(int fd, const unsigned char* record)
{
    WriteExactly(fd, record, recordSize_, 0);
    // Reported as saved only once it is on the disk.
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR)
            throw FileError::fromErrno(errno);
    }
}

void RecordFile::close() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    backupDue_ = false;
}
