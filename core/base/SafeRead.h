#pragma once
// Reading a small file whole, safely: a pipe, a device or a folder in its place
// (or a link to one) is refused instead of being waited on or read forever, and
// so is a file longer than the caller allows.
#include <QByteArray>
#include <QString>

// The most the bank list and the tips file may hold.
inline constexpr qint64 SmallFileLimit = 1048576;

// The bytes of the regular file at `path` (links followed), at most `limit` of
// them. Throws FileError: the errno text when it cannot be opened or read, a
// Slovak text naming the file when it is no regular file or is longer.
QByteArray ReadRegularFile(const QString& path, qint64 limit);

// An open descriptor for reading the regular file at `path` (links followed),
// the caller's to close, and the size the file has now. Nothing blocks on a
// pipe put in its place. Throws FileError as ReadRegularFile does.
struct OpenedFile {
    int fd;
    qint64 size;
};
OpenedFile OpenRegularFile(const QString& path);
