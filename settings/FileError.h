#pragma once
// The one error type of the file layer. It carries the runtime's standard text
// ("File not found", "Read beyond end of file", ...) that the user sees.
#include <stdexcept>
#include <string>

#include <sys/types.h>

class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& text) : std::runtime_error(text) {}

    // The standard text for an errno value from a failed system call.
    static FileError fromErrno(int err);
    static FileError readBeyondEnd() { return FileError("Read beyond end of file"); }
    static FileError notOpen() { return FileError("File not open"); }
};

// Reads exactly `size` bytes at `offset`; a file that ends first gives
// "Read beyond end of file". Throws FileError.
void ReadExactly(int fd, unsigned char* buffer, std::size_t size, off_t offset);
