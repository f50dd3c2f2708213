#include "batch/TerminalLines.h"

TerminalLines::TerminalLines(std::FILE* stream) : stream_(stream)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

TerminalLines::~TerminalLines() { std::fflush(stream_); }

qint64 TerminalLines::writeData(const char* data, qint64 size)
{
    for (qint64 i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n' && afterCr_) {
            afterCr_ = false;
            continue; // the LF of a CR LF already written
        }
        afterCr_ = c == '\r';
        if (std::fputc(c == '\r' ? '\n' : c, stream_) == EOF)
            return i > 0 ? i : -1;
    }
    std::fflush(stream_);
    return size;
}
