#include "settings/FileError.h"

#include <cerrno>

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
        return FileError("Disk full");
    default:
        return FileError("I/O error " + std::to_string(err));
    }
}
