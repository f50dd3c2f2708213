// Build tool: the valid seed files of the fuzz targets, each written by the
// program's own writer, into <folder>/<target>/.
#include "core/base/Jpeg.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/records/BankList.h"
#include "core/base/Cp1250.h"
#include "core/records/RecordStore.h"
#include "core/print/PrinterShift.h"
#include "core/forms/Forms.h"
#include "core/forms/slips/SlipForms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

namespace {

QString root;

QString seed(const char* target, const QString& name)
{
    const QString folder = root + QLatin1Char('/') + QLatin1String(target);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "fuzz_seeds: cannot make %s\n", qPrintable(folder));
        std::exit(1);
    }
    return folder + QLatin1Char('/') + name;
}

void put(const char* target, const QString& name, const QByteArray& bytes)
{
    QFile file(seed(target, name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return file.readAll();
}

Cp1250 cp(const char* utf8) { return toCp1250(QString::fromUtf8(utf8)); }

void records()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    {
        RecordStore store(folder);
        store.LoadOrCreatePersonalData();
        store.LoadOrCreateSettings();
        store.closeFiles();
        put("fuzz_settings", QStringLiteral("new.nas"), readAll(store.settingsPath()));
        put("fuzz_personal", QStringLiteral("new.nas"), readAll(store.personalPath()));
    }
    RecordStore store(folder);
    store.LoadOrCreatePersonalData();
    store.LoadOrCreateSettings();
    for (const Flag f : {Flag::AddName, Flag::AddAddress, Flag::AddCountry, Flag::AutoAmountInWords, Flag::OpenOnStart,
                         Flag::AddAccount, Flag::AddBank, Flag::StartWithSlipA, Flag::SlipAOwnerIsSender,
                         Flag::SlipCOwnerIsRecipient, Flag::SlipDOwnerIsSender, Flag::EnvelopeOwnerIsSender})
        store.settings.setFlag(f, true);
    store.settings.setEnvelopeTemplateName("DL 110x220.obl");
    store.settings.setPrintFontName("DejaVu Sans Mono");
    store.settings.setPrintFontSize(12);
    store.SaveSettings();
    const struct {
        Personal field;
        const char* text;
    } personal[] = {{Personal::meno, "Ján"},         {Personal::priezvisko, "Šťastný"},
                    {Personal::titul, "Ing."},       {Personal::psc, "81101"},
                    {Personal::ulica, "Štúrova"},    {Personal::mesto, "Bratislava"},
                    {Personal::cd, "12/A"},          {Personal::stat, "Slovensko"},
                    {Personal::CU, "1234567890/0900"}, {Personal::PU, "Slovenská sporiteľňa"},
                    {Personal::nazov, "Ján Šťastný\r\núčet domácnosti\r\nBratislava"},
                    {Personal::ksymbol, "0308"},     {Personal::PV, "81000"},
                    {Personal::pv2, "Bratislava 1"}};
    for (const auto& [field, text] : personal)
        store.personal.set(field, cp(text));
    store.SavePersonalData();
    store.closeFiles();
    const QByteArray settings = readAll(store.settingsPath());
    const QByteArray data = readAll(store.personalPath());
    put("fuzz_settings", QStringLiteral("filled.nas"), settings);
    put("fuzz_settings", QStringLiteral("longer.nas"), settings + QByteArray("after the record"));
    put("fuzz_personal", QStringLiteral("filled.nas"), data);
    put("fuzz_personal", QStringLiteral("longer.nas"), data + QByteArray("after the record"));
}

void tips(const QString& tipsText)
{
    QFile in(tipsText);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", qPrintable(tipsText));
        std::exit(1);
    }
    QTextStream stream(&in);
    stream.setEncoding(QStringConverter::Utf8);
    QByteArray file;
    int records = 0;
    while (!stream.atEnd() && records < 4) {
        const QString line = stream.readLine();
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QByteArray record(256, '\0');
        writeSlot(reinterpret_cast<unsigned char*>(record.data()), cutToShort(toCp1250(line)));
        file += record;
        if (++records == 1)
            put("fuzz_tips", QStringLiteral("one.tip"), file);
    }
    put("fuzz_tips", QStringLiteral("four.tip"), file);
}

void banks()
{
    const QStringList list{QStringLiteral("Slovenská sporiteľňa"), QStringLiteral("Všeobecná úverová banka"),
                           QStringLiteral("Tatra banka"), QString(), QStringLiteral("Poštová banka")};
    SaveBankList(seed("fuzz_banklist", QStringLiteral("banky.cbx")), list);
    SaveBankList(seed("fuzz_banklist", QStringLiteral("one.cbx")), {QStringLiteral("ČSOB")});
}

void templates()
{
    WriteTemplateFile(QFile::encodeName(seed("fuzz_template", QStringLiteral("DL.obl"))).toStdString(),
                      {110, 220, 11, 9});
    WriteTemplateFile(QFile::encodeName(seed("fuzz_template", QStringLiteral("C4.obl"))).toStdString(),
                      {229, 324, 14, 10});
    // A template followed by the page, shift and line count the target reads
    // after it: the example printer, 3 mm right, 2 mm up, 5 lines.
    const EnvelopeTemplateBytes t = EncodeTemplate({114, 162, 11, 9});
    QByteArray bytes(reinterpret_cast<const char*>(t.data()), qsizetype(t.size()));
    for (const std::int32_t v : {4724, 6778, 200, 287, 0x0000FE03}) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(static_cast<std::uint32_t>(v) >> (8 * i));
    }
    bytes += char(5);
    put("fuzz_template", QStringLiteral("with-page.bin"), bytes);
}

// A header of every control of the form that is typed in, and two rows.
QByteArray table(FormKind form, char separator, bool utf8)
{
    QStringList header, first, second;
    for (const FieldSpec& c : Form(form).fields) {
        if (c.kind == FieldKind::Words)
            continue;
        const QString name = QString::fromLatin1(c.name);
        header << name;
        QString a, b;
        if (name == QLatin1String("suma"))
            a = QStringLiteral("1250"), b = QStringLiteral("7");
        else if (name == QLatin1String("hal"))
            a = QStringLiteral("5"), b = QString();
        else if (name.endsWith(QLatin1String("psc")) || name == QLatin1String("vakup"))
            a = QStringLiteral("81101"), b = QStringLiteral("04001");
        else if (name == QLatin1String("sablona"))
            a = QStringLiteral("DL.obl"), b = QString();
        else if (c.kind == FieldKind::Memo)
            a = QStringLiteral("\"Mária Nováková\nHlavná 1\""), b = QStringLiteral("Košice");
        else
            a = QStringLiteral("Ľudovít Štúr"), b = QStringLiteral("\"Žilina; \"\"centrum\"\"\"");
        first << a;
        second << b;
    }
    const QString sep = QString(QLatin1Char(separator));
    const QString text = header.join(sep) + QStringLiteral("\r\n") + first.join(sep) + QStringLiteral("\r\n")
        + second.join(sep) + QStringLiteral("\r\n");
    return utf8 ? text.toUtf8() : QByteArray::fromStdString(toCp1250(text));
}

void tables()
{
    put("fuzz_table", QStringLiteral("a.csv"), table(FormKind::SlipA, ';', true));
    put("fuzz_table", QStringLiteral("c.csv"), QByteArray("\xEF\xBB\xBF") + table(FormKind::SlipC, ',', true));
    put("fuzz_table", QStringLiteral("d.csv"), table(FormKind::SlipD, ';', false));
    put("fuzz_table", QStringLiteral("obalka.csv"), table(FormKind::Envelope, ',', false));
}

void shifts()
{
    const QString path = seed("fuzz_printer_shift", ShiftFileName);
    WriteShift(path, PdfPrinterName, {1.5, -2.0});
    WriteShift(path, QStringLiteral("HP_LaserJet_1020"), {-30.0, 30.0});
    WriteShift(path, QStringLiteral("Brother HL-L2350DW"), {0.1, 0.0});
    const QString one = seed("fuzz_printer_shift", QStringLiteral("one.ini"));
    WriteShift(one, QStringLiteral("Canon_LBP"), {12.3, 4.5});
}

void pictures()
{
    QImage colour(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < colour.height(); ++y)
        for (int x = 0; x < colour.width(); ++x)
            colour.setPixel(x, y, qRgb(x * 10, y * 15, 128));
    put("fuzz_jpeg", QStringLiteral("colour.jpg"), EncodeJpeg(colour, 75));
    QImage grey(9, 7, QImage::Format_Grayscale8);
    grey.fill(100);
    put("fuzz_jpeg", QStringLiteral("grey.jpg"), EncodeJpeg(grey, 20));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds folder tips.txt\n");
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);
    try {
        records();
        tips(QString::fromLocal8Bit(argv[2]));
        banks();
        templates();
        tables();
        shifts();
        pictures();
    } catch (const FileError& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
