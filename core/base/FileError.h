#pragma once
// The one error type of the file layer. It carries the runtime's standard text
// ("File not found", "Read beyond end of file", ...) that the user sees, or a
// Slovak text naming a file the program refuses to read.
#include <cstdint>
#include <stdexcept>
#include <string>

#include <sys/types.h>

class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& text, int err = 0) : std::runtime_error(text), errno_(err) {}

    // The errno value the text came from; 0 when it came from no system call.
    int systemError() const { return errno_; }

    // The standard text for an errno value from a failed system call.
    static FileError fromErrno(int err);
    static FileError readBeyondEnd() { return FileError("Read beyond end of file"); }
    static FileError notOpen() { return FileError("File not open"); }

    // `path` in the local 8-bit encoding; the texts are UTF-8.
    static FileError notRegularFile(const std::string& path);
    static FileError tooLarge(const std::string& path, std::int64_t limit);
    static FileError danglingLink(const std::string& path);

private:
    int errno_;
};

// Reads exactly `size` bytes at `offset`; a file that ends first gives
// "Read beyond end of file". Throws FileError.
void ReadExactly(int fd, unsigned char* buffer, std::size_t size, off_t offset);

// Writes all `size` bytes at `offset`. Throws FileError.
void WriteExactly(int fd, const unsigned char* buffer, std::size_t size, off_t offset);
