#include "core/forms/envelope/EnvelopeTemplate.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void put(unsigned char* at, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<unsigned char>(u >> (8 * i));
}

std::int32_t get(const unsigned char* at)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return static_cast<std::int32_t>(u); // two's complement, defined since C++20
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports what close says: some file systems tell of a
    // failed write only here.
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

} // namespace

EnvelopeTemplateBytes EncodeTemplate(const EnvelopeTemplate& t)
{
    EnvelopeTemplateBytes bytes{};
    put(&bytes[0], t.WidthMm);
    put(&bytes[4], t.HeightMm);
    put(&bytes[8], t.RecipientFontSize);
    put(&bytes[12], t.SenderFontSize);
    return bytes;
}

EnvelopeTemplate DecodeTemplate(const EnvelopeTemplateBytes& bytes)
{
    return {get(&bytes[0]), get(&bytes[4]), get(&bytes[8]), get(&bytes[12])};
}

void WriteTemplateFile(const std::string& path, const EnvelopeTemplate& t)
{
    // No link is followed, so nothing lands outside the folder; O_NONBLOCK
    // keeps a FIFO of that name from hanging the program.
    Fd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (file.get() < 0)
        throw errno == ELOOP ? FileError::fromErrno(EACCES) : FileError::fromErrno(errno);
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        throw FileError::fromErrno(errno);
    if (!S_ISREG(st.st_mode))
        throw FileError::fromErrno(EACCES); // not ours to remove
    try {
        const EnvelopeTemplateBytes bytes = EncodeTemplate(t);
        WriteExactly(file.get(), bytes.data(), bytes.size(), 0);
        if (::fsync(file.get()) != 0)
            throw FileError::fromErrno(errno);
        if (file.close() != 0)
            throw FileError::fromErrno(errno);
    } catch (const FileError&) {
        // A template of fewer than 16 bytes could never be printed.
        ::unlink(path.c_str());
        throw;
    }
}

EnvelopeTemplate ReadTemplateFile(const std::string& path)
{
    Fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        throw TemplateOpenError(FileError::fromErrno(errno).what());
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        throw TemplateOpenError(FileError::fromErrno(errno).what());
    if (!S_ISREG(st.st_mode))
        throw TemplateOpenError(FileError::fromErrno(EACCES).what());
    EnvelopeTemplateBytes bytes{};
    ReadExactly(file.get(), bytes.data(), bytes.size(), 0);
    return DecodeTemplate(bytes);
}
