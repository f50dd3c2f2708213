// 1 000 payment pages (QR code, details, address) into one PDF, beside the
// 1 000-row slip A batch in the same run: time and peak resident memory.
#include "batch/BatchJob.h"
#include "print/QtPrintCanvas.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace {

long peakKb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

struct Run {
    double ms = 0;
    long peakKb = 0;
    bool ok = false;
};

Run printTable(const BatchContext& context, const QString& table, const QString& pdf, int rows)
{
    const auto start = std::chrono::steady_clock::now();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(pdf);
    QtPrintCanvas canvas(printer, QStringLiteral("PDF"), pdf);
    const BatchOutcome outcome = PrintTable(canvas, context, table, {}, false);
    Run run;
    run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = peakKb();
    run.ok = outcome.outcome == PrintOutcome::Printed && outcome.pages == rows;
    if (!run.ok)
        std::fprintf(stderr, "%s\n", qPrintable(BatchOutcomeMessage(outcome)));
    return run;
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("data"));
    QByteArray slips = "suma;hal;banka;cu1;cu2;nazov_uctu;vsymbol;od1;od2;odpsc;od3\r\n";
    QByteArray payments = "prijemca;prijemca_ulica;prijemca_mesto;iban;suma;vsymbol;splatnost;sprava;adresat\r\n";
    for (int i = 0; i < rows; ++i) {
        slips += QStringLiteral("%1;5;Moja banka;%2;0200;\"Spoločenstvo vlastníkov\r\nbytov Košice\";%3;"
                                "Ing. Ján Košický;Hlavná 12;04001;Košice\r\n")
                     .arg(100000 + i * 7).arg(1234567890 + i).arg(20260000 + i).toUtf8();
        payments += QStringLiteral("Spoločenstvo vlastníkov Košice;Hlavná 12;04001 Košice;"
                                   "SK76 0200 0000 1900 0012 3457;%1,%2;%3;31. 1. 2027;Nájom a služby, byt %4;"
                                   "\"Ing. Peter Malý\r\nDlhá %4\r\n04001 Košice\"\r\n")
                        .arg(10 + i).arg(i % 100, 2, 10, QLatin1Char('0')).arg(20260000 + i).arg(i + 1).toUtf8();
    }
    if (!write(dir.filePath("slips.csv"), slips) || !write(dir.filePath("payments.csv"), payments)
        || !write(dir.filePath("data/bic.txt"), "0200;SUBASKBX;Všeobecná úverová banka, a.s.\n"))
        return 1;

    BatchContext context;
    context.settings.setDefaults();
    context.settings.setFlag(Flag::AutoAmountInWords, true);
    context.settings.setPrintFontSize(10);
    context.programFolder = dir.path() + '/';
    const long before = peakKb();
    context.form = FormKind::SlipA;
    const Run slip = printTable(context, dir.filePath("slips.csv"), dir.filePath("slips.pdf"), rows);
    context.form = FormKind::Payment;
    const Run pay = printTable(context, dir.filePath("payments.csv"), dir.filePath("payments.pdf"), rows);
    if (!slip.ok || !pay.ok)
        return 1;
    std::printf("slip A batch: %d rows into one PDF in %.0f ms, %.1f MB PDF\n", rows, slip.ms,
                QFileInfo(dir.filePath("slips.pdf")).size() / 1048576.0);
    std::printf("payment batch: %d pages with QR codes into one PDF in %.0f ms, %.1f MB PDF; payment / slip = %.2f "
                "(aim: at most 2)\n",
                rows, pay.ms, QFileInfo(dir.filePath("payments.pdf")).size() / 1048576.0, pay.ms / slip.ms);
    std::printf("peak resident memory: %.1f MB at start, %.1f MB after the slips, %.1f MB after the payments "
                "(aim: under 100 MB)\n",
                before / 1024.0, slip.peakKb / 1024.0, pay.peakKb / 1024.0);
    return 0;
}
