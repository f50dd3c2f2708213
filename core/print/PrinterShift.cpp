#include "core/print/PrinterShift.h"

#include "core/base/Backup.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>
#include <utility>
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

// What a file gives one printer: its shift, or none and what is wrong.
struct Reading {
    FormShift shift;
    QString damage;
    bool operator==(const Reading& o) const
    {
        return shift.rightMm == o.shift.rightMm && shift.downMm == o.shift.downMm && damage == o.damage;
    }
};

const QString Unreadable = QStringLiteral("nedá sa prečítať");
const QString Unparsable = QStringLiteral("nedá sa rozobrať");

// `ini` has been parsed without error. A header "[]" lists a group with no
// name, whose keys are the file's top-level ones; no printer has that name.
Reading shiftIn(QSettings& ini, const QString& printer)
{
    if (printer.isEmpty() || !ini.childGroups().contains(printer))
        return {};
    ini.beginGroup(printer);
    Reading r;
    if (!readValue(ini, RightKey, r.shift.rightMm) || !readValue(ini, DownKey, r.shift.downMm))
        r = {{}, QStringLiteral("posun tlačiarne „%1“ nie je číslo od −30 do 30 mm").arg(printer)};
    ini.endGroup();
    return r;
}

// What `bytes` give each of `printers`, parsed once.
QList<Reading> readingsIn(const QByteArray& bytes, const QStringList& printers)
{
    QList<Reading> readings(printers.size());
    if (bytes.isEmpty())
        return readings;
    const FreshCopy copy(bytes);
    if (copy.path().isEmpty()) {
        readings.fill({{}, Unreadable});
        return readings;
    }
    QSettings ini(copy.path(), QSettings::IniFormat);
    if (parsedStatus(ini) != QSettings::NoError) {
        readings.fill({{}, Unparsable});
        return readings;
    }
    for (qsizetype i = 0; i < printers.size(); ++i)
        readings[i] = shiftIn(ini, printers[i]);
    return readings;
}

// What a rewrite carries over from the old file besides the new shift.
enum class Carry {
    Whole,     // every key as QSettings read it
    Shifts,    // each printer's two values, as text
    Nothing,   // the old file is damaged or cannot be written back
};

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
    Reading r;
    try {
        if (const std::optional<QByteArray> bytes = readShiftFile(path))
            r = readingsIn(*bytes, {printer}).first();
    } catch (const FileError&) {
        r.damage = Unreadable;
    }
    if (damage && !r.damage.isEmpty())
        *damage = r.damage;
    return r.shift;
}

bool WriteShift(const QString& path, const QString& printer, const FormShift& shift)
{
    // Written beside the old file and renamed over it, so a failed write
    // leaves the old file as it was.
    const QString folder = QFileInfo(path).absolutePath();
    QTemporaryDir scratch(folder + QStringLiteral("/.tlaciarne-XXXXXX"));
    if (!scratch.isValid())
        return false;
    // What is there but no regular file is not ours to replace.
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return false;

    // The old file, and what each other printer reads from it.
    bool readable = true;
    std::optional<QByteArray> old;
    try {
        old = readShiftFile(path);
    } catch (const FileError&) {
        readable = false;
    }
    const FreshCopy oldCopy(old.value_or(QByteArray()));
    bool sound = false;
    bool asIs = true;
    QStringList others;
    QList<Reading> was;
    QList<std::pair<QString, QString>> values; // the others' two values, as text
    if (old && !oldCopy.path().isEmpty()) {
        QSettings ini(oldCopy.path(), QSettings::IniFormat);
        sound = parsedStatus(ini) == QSettings::NoError;
        if (sound) {
            asIs = writtenAsIs(ini, *old);
            for (const QString& group : ini.childGroups()) {
                if (group == printer)
                    continue;
                others << group;
                was << shiftIn(ini, group);
                for (const QString& key : {RightKey, DownKey}) {
                    // "@Invalid()" reads as no value at all: it stays out.
                    const QVariant v = ini.value(group + QLatin1Char('/') + key);
                    if (v.isValid())
                        values.append({group + QLatin1Char('/') + key, v.toString()});
                }
            }
        }
    }
    const QString right = QString::number(shift.rightMm, 'f', 1);
    const QString down = QString::number(shift.downMm, 'f', 1);
    const Reading wanted{{right.toDouble(), down.toDouble()}, {}};

    int attempts = 0;
    QString written;
    auto attempt = [&](Carry carry) {
        // A new name each time: QSettings keeps what it parsed of a file
        // name for the whole process.
        written = scratch.filePath(QStringLiteral("next%1.ini").arg(++attempts));
        if (carry == Carry::Whole && !QFile::copy(oldCopy.path(), written))
            return false;
        {
            QSettings ini(written, QSettings::IniFormat);
            if (carry == Carry::Shifts)
                for (const auto& [key, value] : values)
                    ini.setValue(key, value);
            ini.beginGroup(printer);
            ini.setValue(RightKey, right);
            ini.setValue(DownKey, down);
            ini.endGroup();
            ini.sync();
            if (ini.status() != QSettings::NoError)
                return false;
        }
        // Read back before it goes over the old file: QSettings reports no
        // error when the disk is full and leaves an empty file, and writes
        // some keys it has read in a form it cannot parse again.
        QByteArray bytes;
        try {
            bytes = ReadRegularFile(written, SmallFileLimit);
        } catch (const FileError&) {
            return false;
        }
        if (carry == Carry::Nothing)
            return readingsIn(bytes, {printer}) == QList<Reading>{wanted};
        return readingsIn(bytes, QStringList{printer} + others) == QList<Reading>{wanted} + was;
    };
    // The other printers' shifts go over whole where they can, else their
    // values alone, else none. The old bytes are kept as .bak first when the
    // file is damaged, or the rewrite would not keep it as it is or had to
    // leave something out.
    bool done = sound && attempt(Carry::Whole);
    if (!done && sound && !others.isEmpty())
        done = attempt(Carry::Shifts);
    if (!done && !attempt(Carry::Nothing))
        return false;
    const bool hadBytes = !readable || (old && !old->isEmpty());
    if (hadBytes && (!sound || !asIs || attempts > 1)) {
        try {
            KeepAsBackup(native.toStdString());
        } catch (const FileError&) {
            return false;
        }
    }
    // Its user's only, as the records are.
    const QByteArray next = QFile::encodeName(written);
    return ::chmod(next.constData(), 0600) == 0 && std::rename(next.constData(), native.constData()) == 0;
}
