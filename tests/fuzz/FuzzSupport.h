#pragma once
// What the fuzz targets share: a scratch folder for the files the loaders
// read, and a check that stops the run with the failed condition named.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// A private folder (with a trailing separator), in memory where the machine
// has /dev/shm, so that the thousands of writes a second never reach a disk.
// Removed when the process ends.
QString ScratchFolder();

// Puts exactly these bytes into `path`; a scratch file that cannot be
// written is a broken machine, not a finding, and ends the run.
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);
bool Exists(const QString& path);
void RemoveFile(const QString& path);
// Removes every entry of `folder` whose name starts with `prefix`.
void RemoveStartingWith(const QString& folder, const QString& prefix);

// The fuzzer's bytes, not copied.
inline QByteArray InputBytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// A QGuiApplication on the offscreen platform, for targets that measure text.
void StartGuiApplication();

[[noreturn]] void FuzzFailure(const char* file, int line, const char* condition);

// Unlike assert, never compiled out.
#define FUZZ_CHECK(condition) \
    do { \
        if (!(condition)) \
            FuzzFailure(__FILE__, __LINE__, #condition); \
    } while (false)
