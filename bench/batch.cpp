// 1 000 slip A rows printed into one PDF through the batch path, beside a
// bare QPainter job drawing the same strings on 1 000 pages; time and peak
// resident memory of each.
#include "batch/BatchJob.h"
#include "print/QtPrintCanvas.h"

#include <QGuiApplication>
#include <QPainter>
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

// Keeps the strings the job drew on its first page, to draw them bare.
class Keeper : public PrintCanvas {
public:
    explicit Keeper(PrintCanvas& to) : to_(to) { font = to.font; }
    PageMeasures measures() const override { return to_.measures(); }
    int screenDpi() const override { return to_.screenDpi(); }
    int deviceDpi() const override { return to_.deviceDpi(); }
    QString printerName() const override { return to_.printerName(); }
    bool beginDocument() override { return to_.beginDocument(); }
    bool newPage() override { return ++pages, to_.newPage(); }
    bool endDocument() override { return to_.endDocument(); }
    void textOut(const RotatedText& t) override
    {
        if (pages == 0)
            first.append(t);
        to_.font = font;
        to_.textOut(t);
    }
    void drawGuide(const Guide& g) override { to_.drawGuide(g); }
    void fillRects(const QList<QRect>& r) override { to_.fillRects(r); }
    QList<RotatedText> first;
    int pages = 0;

private:
    PrintCanvas& to_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication application(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir dir;
    QFile table(dir.filePath("rows.csv"));
    if (!table.open(QIODevice::WriteOnly))
        return 1;
    table.write("suma;hal;banka;cu1;cu2;nazov_uctu;vsymbol;od1;od2;odpsc;od3\r\n");
    for (int i = 0; i < rows; ++i)
        table.write(QStringLiteral("%1;5;Moja banka;%2;0200;\"Spoločenstvo vlastníkov\r\nbytov Košice\";%3;"
                                   "Ing. Ján Košický;Hlavná 12;04001;Košice\r\n")
                        .arg(100000 + i * 7)
                        .arg(1234567890 + i)
                        .arg(20260000 + i)
                        .toUtf8());
    table.close();

    BatchContext context;
    context.form = FormKind::SlipA;
    context.settings.setDefaults();
    context.settings.setFlag(Flag::AutoAmountInWords, true);
    context.settings.setPrintFontSize(10);
    context.programFolder = dir.path() + '/';

    const long before = peakKb();
    const auto start = std::chrono::steady_clock::now();
    const BatchCheck check = CheckTable(context, table.fileName());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(dir.filePath("batch.pdf"));
    QtPrintCanvas canvas(printer, QStringLiteral("PDF"), printer.outputFileName());
    Keeper keeper(canvas);
    const BatchOutcome outcome = PrintTable(keeper, context, table.fileName(), {}, false);
    const double batchMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const long batchPeak = peakKb();
    if (!check.ok() || outcome.outcome != PrintOutcome::Printed || outcome.pages != rows) {
        std::fprintf(stderr, "batch failed: %s\n", qPrintable(BatchOutcomeMessage(outcome) + check.report(3)));
        return 1;
    }

    // The bare job: the same strings, rotated, one page each.
    const auto bareStart = std::chrono::steady_clock::now();
    QPrinter bare(QPrinter::HighResolution);
    bare.setOutputFormat(QPrinter::PdfFormat);
    bare.setPageSize(QPageSize(QPageSize::A4));
    bare.setOutputFileName(dir.filePath("bare.pdf"));
    QPainter painter(&bare);
    for (int page = 0; page < rows; ++page) {
        if (page > 0)
            bare.newPage();
        for (const RotatedText& t : keeper.first) {
            QFont f(t.face.isEmpty() ? QStringLiteral("Arial") : t.face);
            f.setPixelSize(t.emPixels);
            painter.setFont(f);
            painter.save();
            painter.translate(t.x, t.y);
            painter.rotate(-t.angle);
            painter.drawText(QPoint(0, t.emPixels), t.text);
            painter.restore();
        }
    }
    painter.end();
    const double bareMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - bareStart).count();

    std::printf("batch: %d slip A rows checked and printed into one PDF in %.0f ms (aim: under 2000 ms)\n", rows, batchMs);
    std::printf("bare QPainter job, same strings on %d pages: %.0f ms; batch / bare = %.2f (aim: at most 1.5)\n", rows,
                bareMs, batchMs / bareMs);
    std::printf("peak resident memory: %.1f MB before, %.1f MB after the batch, %.1f MB at the end (aim: under 100 MB)\n",
                before / 1024.0, batchPeak / 1024.0, peakKb() / 1024.0);
    return 0;
}
