#include "slips/PrinterShift.h"

#include "settings/Backup.h"
#include "settings/FileError.h"
#include "settings/SafeRead.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <sys/stat.h>

namespace {

const QString RightKey = QStringLiteral("posunDoprava");
const QString DownKey = QStringLiteral("posunNadol");

// QSettings keeps a parsed file per process and may miss a change made within
// the same second; a private copy is always read afresh.
class FreshCopy {
public:
    explicit FreshCopy(const QByteArray& bytes)
    {
        QFile file(dir_.filePath(QStringLiteral("copy.ini")));
        if (dir_.isValid() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
            path_ = file.fileName();
    }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

// The file's bytes; nothing when it is missing. Throws FileError when it
// cannot be read, is no regular file or is far too big to be ours.
std::optional<QByteArray> readShiftFile(const QString& path)
{
    try {
        return ReadRegularFile(path, SmallFileLimit);
    } catch (const FileError& e) {
        if (e.systemError() == ENOENT)
            return std::nullopt;
        throw;
    }
}

// Whether QSettings would write `ini` back byte for byte as `bytes`.
bool writtenAsIs(const QSettings& ini, const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString again = dir.filePath(QStringLiteral("again.ini"));
    {
        QSettings copy(again, QSettings::IniFormat);
        for (const QString& key : ini.allKeys())
            copy.setValue(key, ini.value(key));
        copy.sync();
    }
    QFile file(again);
    const QByteArray written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return dir.isValid() && written == bytes;
}

// QSettings reads its file only when first asked for something, and only
// then tells of a file it cannot parse.
QSettings::Status parsedStatus(QSettings& ini)
{
    (void)ini.childGroups();
    return ini.status();
}

bool readValue(const QSettings& ini, const QString& key, double& out)
{
    const QVariant v = ini.value(key);
    if (!v.isValid()) {
        out = 0;
        return true;
    }
    bool ok = false;
    out = v.toString().trimmed().toDouble(&ok); // C locale: a decimal point
    return ok && std::isfinite(out) && std::abs(out) <= MaxShiftMm;
}

} // namespace

ShiftPixels ShiftOnPage(const FormShift& shift, const PageMeasures& page)
{
    if (!page.usable())
        return {};
    const double right = shift.rightMm / page.VertSize;
    const double down = shift.downMm / page.HorzSize;
    return {-RoundHalfEven(static_cast<long double>(page.PageWidth) * down),
            RoundHalfEven(static_cast<long double>(page.PageHeight) * right)};
}

FormShift ReadShift(const QString& path, const QString& printer, QString* damage)
{
    std::optional<QByteArray> bytes;
    bool readable = true;
    try {
        bytes = readShiftFile(path);
    } catch (const FileError&) {
        readable = false;
    }
    if (readable && (!bytes || bytes->isEmpty()))
        return {};
    const FreshCopy copy(bytes.value_or(QByteArray()));
    if (!readable || copy.path().isEmpty()) {
        if (damage)
            *damage = QStringLiteral("nedá sa prečítať");
        return {};
    }
    QSettings ini(copy.path(), QSettings::IniFormat);
    if (parsedStatus(ini) != QSettings::NoError) {
        if (damage)
            *damage = QStringLiteral("nedá sa rozobrať");
        return {};
    }
    if (!ini.childGroups().contains(printer))
        return {};
    ini.beginGroup(printer);
    FormShift shift;
    if (!readValue(ini, RightKey, shift.rightMm) || !readValue(ini, DownKey, shift.downMm)) {
        if (damage)
            *damage = QStringLiteral("posun tlačiarne „%1“ nie je číslo od −30 do 30 mm").arg(printer);
        return {};
    }
    return shift;
}

bool WriteShift(const QString& path, const QString& printer, const FormShift& shift)
{
    // Written beside the old file and renamed over it, so a failed write
    // leaves the old file as it was.
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryDir scratch(folder + QStringLiteral("/.tlaciarne-XXXXXX"));
    if (!scratch.isValid())
        return false;
    const QString next = scratch.filePath(QStringLiteral("next.ini"));
    // What is there but no regular file is not ours to replace.
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return false;
    // The other printers' shifts go over. A file that is damaged, or that the
    // rewrite would not keep as it is, is kept as .bak first.
    bool keepOld = false;
    try {
        if (const std::optional<QByteArray> bytes = readShiftFile(path)) {
            const FreshCopy copy(*bytes);
            QSettings old(copy.path(), QSettings::IniFormat);
            const bool sound = !copy.path().isEmpty() && parsedStatus(old) == QSettings::NoError;
            if (sound && !QFile::copy(copy.path(), next))
                return false;
            keepOld = !sound || !writtenAsIs(old, *bytes);
        }
    } catch (const FileError&) {
        keepOld = true;
    }
    QString written = next;
    auto write = [&] {
        QSettings ini(written, QSettings::IniFormat);
        ini.beginGroup(printer);
        ini.setValue(RightKey, QString::number(shift.rightMm, 'f', 1));
        ini.setValue(DownKey, QString::number(shift.downMm, 'f', 1));
        ini.endGroup();
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return false;
        // QSettings reports no error when the disk is full and leaves an
        // empty file: read it back before it goes over the old one.
        const QSettings back(written, QSettings::IniFormat);
        return back.value(printer + QLatin1Char('/') + RightKey).toString() == QString::number(shift.rightMm, 'f', 1)
            && back.value(printer + QLatin1Char('/') + DownKey).toString() == QString::number(shift.downMm, 'f', 1);
    };
    if (!write()) {
        // What went over could not be written back: this printer's shift
        // alone, and the old file kept.
        // A new name: QSettings keeps what it parsed of `next` for the process.
        written = scratch.filePath(QStringLiteral("alone.ini"));
        if (!QFileInfo::exists(path) || !write())
            return false;
        keepOld = true;
    }
    if (keepOld) {
        try {
            KeepAsBackup(native.toStdString());
        } catch (const FileError&) {
            return false;
        }
    }
    return std::rename(QFile::encodeName(written).constData(), native.constData()) == 0;
}
