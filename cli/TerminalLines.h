#pragma once
// Text for a terminal: messages are written for message boxes, whose lines
// are joined with CR; on a terminal a bare CR goes back over the line just
// written. This device passes text on to a stream with every CR, CR LF or
// LF as one LF.
#include <QIODevice>
#include <cstdio>

class TerminalLines : public QIODevice {
public:
    explicit TerminalLines(std::FILE* stream);
    ~TerminalLines() override;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

private:
    std::FILE* stream_;
    bool afterCr_ = false; // a CR ended the last write: an LF next is its second half
};
