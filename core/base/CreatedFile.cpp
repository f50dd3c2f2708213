#include "core/base/CreatedFile.h"

#include "core/base/FileError.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

CreatedFile::CreatedFile(std::string path, int fd) : path_(std::move(path)), fd_(fd)
{
    struct stat st {};
    if (::fstat(fd_, &st) == 0) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
    }
}

CreatedFile::~CreatedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (kept_ || inode_ == 0)
        return;
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_)
        ::unlink(path_.c_str());
}

int CreatedFile::keep()
{
    kept_ = true;
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void CreatedFile::keepClosed()
{
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) // after EINTR the handle is gone all the same
        throw FileError::fromErrno(errno);
    kept_ = true;
}
