// tlaciarne.ini as a print job and the alignment sheet read it: any bytes
// give each printer a shift within 30 mm or none with the damage named;
// storing a shift for one printer reads back as stored and keeps every other
// printer's shift as it was.
#include "FuzzSupport.h"
#include "core/print/PrinterShift.h"

#include <QSettings>
#include <cmath>

namespace {

void checkShift(const FormShift& s, const QString& damage)
{
    FUZZ_CHECK(std::isfinite(s.rightMm) && std::isfinite(s.downMm));
    FUZZ_CHECK(std::abs(s.rightMm) <= MaxShiftMm && std::abs(s.downMm) <= MaxShiftMm);
    FUZZ_CHECK(damage.isEmpty() || s.isZero());
}

// What a job moves by on the example printer: never more than the shift's
// millimetres, on any page.
void checkPixels(const FormShift& s)
{
    const PageMeasures page{4724, 6778, 200, 287};
    const ShiftPixels px = ShiftOnPage(s, page);
    FUZZ_CHECK(std::abs(px.dx) <= 4724 * MaxShiftMm / 200 + 1 && std::abs(px.dy) <= 6778 * MaxShiftMm / 287 + 1);
}

} // namespace

// Both programs run a QGuiApplication, and QSettings needs one: a value stored
// as "@Variant(...)" may hold an icon, which a bare process cannot load.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString folder = ScratchFolder();
    const QString file = folder + ShiftFileName;
    // Each run starts as a new folder would: the backups of earlier runs
    // would otherwise use up the free .bak names and refuse every save.
    RemoveStartingWith(folder, ShiftFileName + QStringLiteral(".bak"));
    WriteBytes(file, input);

    // The printers the file names, and the PDF printer.
    QStringList printers{PdfPrinterName};
    bool sound = false;
    {
        // QSettings keeps what it parsed per path for the process: a new
        // name each time, as ReadShift's private copy has.
        static int views = 0;
        const QString view = folder + QStringLiteral("view%1.ini").arg(++views);
        WriteBytes(view, input);
        QSettings ini(view, QSettings::IniFormat);
        for (const QString& group : ini.childGroups())
            if (!printers.contains(group) && printers.size() < 8)
                printers << group;
        sound = ini.status() == QSettings::NoError; // known only once the file was read
        RemoveFile(view);
    }

    QList<FormShift> before;
    QList<QString> damages;
    for (const QString& printer : printers) {
        QString damage;
        const FormShift s = ReadShift(file, printer, &damage);
        checkShift(s, damage);
        checkPixels(s);
        FUZZ_CHECK(sound || !damage.isEmpty() || s.isZero());
        before << s;
        damages << damage;
    }
    FUZZ_CHECK(ReadBytes(file) == input); // reading writes nothing

    // The alignment dialog stores the PDF printer's shift in tenths of a millimetre.
    const FormShift stored{input.size() % 601 / 10.0 - 30.0, -(input.size() % 37 / 10.0)};
    FUZZ_CHECK(WriteShift(file, PdfPrinterName, stored));
    QString damage;
    const FormShift back = ReadShift(file, PdfPrinterName, &damage);
    FUZZ_CHECK(damage.isEmpty());
    FUZZ_CHECK(std::abs(back.rightMm - stored.rightMm) < 1e-9 && std::abs(back.downMm - stored.downMm) < 1e-9);
    if (sound) {
        for (qsizetype i = 1; i < printers.size(); ++i) {
            QString now;
            const FormShift s = ReadShift(file, printers[i], &now);
            FUZZ_CHECK(now == damages[i]);
            FUZZ_CHECK(s.rightMm == before[i].rightMm && s.downMm == before[i].downMm);
        }
    }
    return 0;
}
