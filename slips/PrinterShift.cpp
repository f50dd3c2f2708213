#include "slips/PrinterShift.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

namespace {

const QString RightKey = QStringLiteral("posunDoprava");
const QString DownKey = QStringLiteral("posunNadol");

// QSettings keeps a parsed file per process and may miss a change made within
// the same second; a private copy is always read afresh.
class FreshCopy {
public:
    explicit FreshCopy(const QString& path)
    {
        if (dir_.isValid() && QFile::copy(path, dir_.filePath(QStringLiteral("copy.ini"))))
            path_ = dir_.filePath(QStringLiteral("copy.ini"));
    }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

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
    if (!QFileInfo(path).isFile())
        return {};
    const FreshCopy copy(path);
    if (copy.path().isEmpty()) {
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
    if (QFileInfo(path).isFile()) {
        // The other printers' shifts go over; a damaged file is replaced by a sound one.
        const FreshCopy copy(path);
        bool sound = !copy.path().isEmpty();
        if (sound) {
            QSettings old(copy.path(), QSettings::IniFormat);
            sound = parsedStatus(old) == QSettings::NoError;
        }
        if (sound && !QFile::copy(copy.path(), next))
            return false;
    }
    {
        QSettings ini(next, QSettings::IniFormat);
        ini.beginGroup(printer);
        ini.setValue(RightKey, QString::number(shift.rightMm, 'f', 1));
        ini.setValue(DownKey, QString::number(shift.downMm, 'f', 1));
        ini.endGroup();
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return false;
    }
    return std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) == 0;
}
