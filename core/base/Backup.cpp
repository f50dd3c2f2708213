#include "core/base/Backup.h"

#include "core/base/CreatedFile.h"
#include "core/base/FileError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int MaxBackups = 999;

std::string backupName(const std::string& path, int n)
{
    return path + ".bak" + (n > 1 ? std::to_string(n) : std::string());
}

// O_EXCL makes taking a name and finding it free one step.
int createFree(const std::string& path, mode_t mode, std::string& name)
{
    for (int n = 1; n <= MaxBackups; ++n) {
        name = backupName(path, n);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            throw FileError::fromErrno(errno);
    }
    throw FileError("Cannot create file " + name);
}

void copyAll(int from, int to)
{
    unsigned char buffer[8192];
    off_t at = 0;
    for (;;) {
        const ssize_t n = ::pread(from, buffer, sizeof buffer, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw FileError::fromErrno(errno);
        if (n == 0)
            return;
        WriteExactly(to, buffer, static_cast<std::size_t>(n), at);
        at += n;
    }
}

// Makes the new name itself survive a crash, not only the bytes behind it.
void syncFolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw FileError::fromErrno(errno);
    const int failed = ::fsync(fd) != 0 && errno != EINVAL ? errno : 0; // EINVAL: the file system has no such flush
    ::close(fd);
    if (failed)
        throw FileError::fromErrno(failed);
}
}

std::string KeepAsBackup(const std::string& path)
{
    for (int n = 1; n <= MaxBackups; ++n) {
        const std::string name = backupName(path, n);
        // link() takes the name only when it is free, and copies nothing.
        if (::link(path.c_str(), name.c_str()) == 0) {
            syncFolderOf(name);
            return name;
        }
        if (errno == EEXIST)
            continue;
        if (errno != EPERM && errno != EOPNOTSUPP && errno != EXDEV && errno != EMLINK)
            throw FileError::fromErrno(errno);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            throw FileError::fromErrno(errno);
        try {
            std::string copy = BackUpBeside(path, fd);
            ::close(fd);
            return copy;
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    throw FileError("Cannot create file " + backupName(path, MaxBackups));
}

std::string BackUpBeside(const std::string& path, int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw FileError::fromErrno(errno);
    std::string name;
    const int created = createFree(path, st.st_mode & 0666, name);
    CreatedFile copy(name, created);
    copyAll(fd, copy.fd());
    if (::fsync(copy.fd()) != 0)
        throw FileError::fromErrno(errno);
    copy.keepClosed();
    syncFolderOf(name);
    return name;
}
