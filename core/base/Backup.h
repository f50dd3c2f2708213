#pragma once
// A copy of a file's bytes kept beside it before they are overwritten.
#include <string>

// Copies all that `fd` holds to the first free name of `path`.bak, .bak2,
// .bak3, ... (an existing name, a link included, is never replaced) and
// flushes it to disk. Returns the name used. Throws FileError; a copy not
// written whole is removed again.
std::string BackUpBeside(const std::string& path, int fd);

// Keeps the file at `path` as it is under the first free backup name, before
// it is replaced by a rename: a second name for the same bytes, or a copy
// where the file system has no such names. Returns the name used. Throws
// FileError.
std::string KeepAsBackup(const std::string& path);
