#pragma once
// Provoking file faults inside a test: a disk that fills up, a read that would
// wait forever, and the error text a call ends with.
#include "core/base/FileError.h"

#include <QString>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// While it lives, no file can grow past `bytes`: a write beyond fails with
// EFBIG, as on a full disk, instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        if (::getrlimit(RLIMIT_FSIZE, &saved_) != 0)
            return;
        const rlimit small{bytes, saved_.rlim_max};
        active_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        if (active_)
            ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
    void (*previousHandler_)(int) = SIG_DFL;
};

// A read that blocks ends the test run with SIGALRM rather than hanging it.
struct HangGuard {
    explicit HangGuard(unsigned seconds = 20) { ::alarm(seconds); }
    ~HangGuard() { ::alarm(0); }
};

// The text of the FileError `call` throws, as the user would see it.
template <typename F>
QString errorOf(F&& call)
{
    try {
        call();
    } catch (const FileError& e) {
        return QString::fromLocal8Bit(e.what());
    }
    return QStringLiteral("(no error)");
}
