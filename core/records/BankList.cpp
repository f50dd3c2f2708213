#include "core/records/BankList.h"

#include "core/base/Backup.h"
#include "core/base/Cp1250.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

QStringList SplitLines(const QString& text)
{
    QStringList lines;
    QString current;
    bool pending = false; // a line has started or ended with a break
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            lines << current;
            current.clear();
            pending = false;
        } else {
            current += c;
            pending = true;
        }
    }
    if (pending)
        lines << current;
    return lines;
}

static std::string encoded(const QString& path) { return QFile::encodeName(path).toStdString(); }

namespace {
enum class Entry { Missing, DanglingLink, Present };
}

static Entry entryAt(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Present; // the open reports other errors
    if (S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0 && errno == ENOENT)
        return Entry::DanglingLink;
    return Entry::Present;
}

QStringList LoadBankList(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(path, SmallFileLimit);
    } catch (const FileError& e) {
        if (e.systemError() == 0)
            throw; // refused: its own text says why
        throw FileError("Cannot open file " + encoded(path), e.systemError());
    }
    return SplitLines(fromCp1250(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}

static Cp1250 listBytes(const QStringList& banks)
{
    Cp1250 bytes;
    for (const QString& bank : banks)
        bytes += toCp1250(bank) + "\r\n";
    return bytes;
}

// A save replaces the whole file: what the file holds is kept as .bak first
// when the list read from it would not write it back as it is (bytes the
// program refused to read, or that do not read back the same). What is no
// regular file is not the program's to replace.
static void keepWhatASaveWouldLose(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return;
    if (!S_ISREG(st.st_mode))
        throw FileError("Cannot create file " + encoded(path));
    bool same = false;
    try {
        const QByteArray old = ReadRegularFile(path, SmallFileLimit);
        const std::string_view was(old.constData(), static_cast<std::size_t>(old.size()));
        const Cp1250 again = listBytes(SplitLines(fromCp1250(was)));
        same = again == was || again == std::string(was) + "\r\n"; // a last line without its break
    } catch (const FileError&) {
    }
    if (!same)
        KeepAsBackup(name.toStdString());
}

void SaveBankList(const QString& path, const QStringList& banks)
{
    // Writing through a link to nothing would create a file wherever it points.
    if (entryAt(path) == Entry::DanglingLink)
        throw FileError::danglingLink(encoded(path));
    const Cp1250 bytes = listBytes(banks);
    keepWhatASaveWouldLose(path);
    // Written aside and renamed, so a failed write leaves the old list whole.
    // Unbuffered: a buffered write that fails only at commit (a full disk)
    // is not reported by QSaveFile, which would rename an empty file over the list.
    // A new list is its user's only; an existing one keeps its rights.
    const bool fresh = entryAt(path) == Entry::Missing;
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes.data(), size) != size
        || (fresh && !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) || !file.commit())
        throw FileError("Cannot create file " + encoded(path));
}

QStringList LoadOrCreateBankList(const QString& path)
{
    switch (entryAt(path)) {
    case Entry::DanglingLink:
        throw FileError::danglingLink(encoded(path));
    case Entry::Missing:
        SaveBankList(path, {});
        break;
    case Entry::Present:
        break;
    }
    return LoadBankList(path);
}
