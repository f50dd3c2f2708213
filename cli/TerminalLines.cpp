#include "cli/TerminalLines.h"

#include <string>

TerminalLines::TerminalLines(std::FILE* stream) : stream_(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TerminalLines::~TerminalLines() { std::fflush(stream_); }

qint64 TerminalLines::writeData(const char* data, qint64 size)
{
    // One write for the whole piece: stderr has no buffer of its own, and a
    // character at a time cost a system call each (a thousand warnings took
    // a quarter of a batch's time).
    std::string out;
    out.reserve(static_cast<std::size_t>(size));
    for (qint64 i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n' && afterCr_) {
            afterCr_ = false;
            continue; // the LF of a CR LF already written
        }
        afterCr_ = c == '\r';
        out += c == '\r' ? '\n' : c;
    }
    if (std::fwrite(out.data(), 1, out.size(), stream_) != out.size())
        return -1;
    std::fflush(stream_);
    return size;
}
