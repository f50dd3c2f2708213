#pragma once
// A file that has just been created (O_CREAT | O_EXCL) and is not yet whole.
// Unless kept, it is closed and removed again when it goes out of scope, so no
// torn file is left for the next start to trip over. It is removed only while
// its name still leads to the file created here.
#include <string>

#include <sys/types.h>

class CreatedFile {
public:
    CreatedFile(std::string path, int fd);
    ~CreatedFile();
    CreatedFile(const CreatedFile&) = delete;
    CreatedFile& operator=(const CreatedFile&) = delete;

    int fd() const { return fd_; }
    // The file stays; the caller owns the handle from now on.
    int keep();
    // The file stays and its handle is closed. Throws FileError when the close
    // fails, and the file is then removed like any other unfinished one.
    void keepClosed();

private:
    std::string path_;
    int fd_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool kept_ = false;
};
