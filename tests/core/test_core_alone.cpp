// The core on its own, linked without Qt Widgets: a slip is printed into a PDF
// file from texts that no window gave, and the print-job frame reports every
// outcome as a value.
#include "core/base/ProgramFolder.h"
#include "core/base/Cp1250.h"
#include "core/print/PageRenderer.h"
#include "core/forms/slips/SlipForms.h"
#include "core/print/PrintJob.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/TextWrap.h"
#include "support/FileFaults.h"
#include "support/PdfWords.h"
#include "support/PrintWrappers.h"
#include "support/RecordingCanvas.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

// Every field slip C prints, as a table row would give them.
static FieldTexts slipCTexts()
{
    FieldTexts f;
    for (const char* name : {"suma", "hal", "slovom1", "slovom2", "slovomh", "ad1", "ad2", "adpsc", "ad3", "od1",
                             "od2", "odpsc", "od3"})
        f.setText(QString::fromLatin1(name), QString());
    f.setText(QStringLiteral("suma"), QStringLiteral("4321"));
    f.setText(QStringLiteral("ad1"), QStringLiteral("Obecný úrad"));
    return f;
}

Q_DECLARE_METATYPE(PageMeasures)

class CoreAloneTest : public QObject {
    Q_OBJECT
private slots:
    void linksWithoutWidgets()
    {
        // Whatever ran before, no widget library is in this process.
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(mapped.contains("libQt6Gui"));
        QVERIFY(!mapped.contains("libQt6Widgets"));
        QVERIFY(!mapped.contains("libQt6PrintSupport"));
    }

    void printsASlipIntoAPdfWithoutWindows()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("slip.pdf"));
        QPdfWriter writer(pdf);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QtPrintCanvas canvas(writer, QString(), pdf);
        const PrintOutcome outcome = PrintSlip(canvas, {10, QString()}, SlipCForm(), slipCTexts());
        QCOMPARE(outcome, PrintOutcome::Printed);
        QString error;
        int amounts = 0, names = 0;
        for (const PdfWord& w : pdfWords(pdf, &error)) {
            amounts += w.text == QStringLiteral("-4321-");
            names += w.text == QStringLiteral("úrad");
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(amounts, 4); // one per area of the form
        QCOMPARE(names, 4);
        QVERIFY(IsCompletePdf(pdf));
    }

    void pdfTheDiskCannotHoldIsReportedAndRemoved()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("slip.pdf"));
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QtPrintCanvas canvas(writer, QString(), pdf);
        PrintOutcome outcome;
        {
            FileSizeLimit full(2000);
            outcome = PrintSlip(canvas, {10, QString()}, SlipCForm(), slipCTexts());
        }
        QCOMPARE(outcome, PrintOutcome::Refused);
        QCOMPARE(PrintOutcomeMessage(outcome), PrintFailedMessage);
        QVERIFY(!QFileInfo::exists(pdf)); // nobody sends a broken file on
    }

    void completePdfCheck_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        const QByteArray body = "%PDF-1.4\n1 0 obj\n<<>>\nendobj\n";
        const QByteArray xref = "xref\n0 1\n0000000000 65535 f \ntrailer\n<<>>\n";
        const QByteArray whole = body + xref + "startxref\n" + QByteArray::number(body.size()) + "\n%%EOF\n";
        QTest::newRow("whole") << whole << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("cut before the end marker") << whole.left(whole.size() - 7) << false;
        QTest::newRow("cut in the middle") << whole.left(body.size() + 5) << false;
        QTest::newRow("offset misses the table")
            << body + xref + "startxref\n" + QByteArray::number(body.size() - 3) + "\n%%EOF\n" << false;
        QTest::newRow("not a pdf") << QByteArray(whole).replace("%PDF", "%PDX") << false;
    }
    void completePdfCheck()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("x.pdf")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QCOMPARE(IsCompletePdf(f.fileName()), complete);
    }

    void frameDrawsPagesBetweenBeginAndEnd()
    {
        RecordingCanvas canvas(ExamplePrinter);
        QList<int> sizesSeen;
        const PrintOutcome outcome = RunPrintJob(canvas, {10, QStringLiteral("Courier")}, [&](PrintCanvas& c, const PageMeasures& page) {
            sizesSeen << c.font.size;
            [&] { QCOMPARE(page.PageWidth, ExamplePrinter.PageWidth); }();
            for (int i = 0; i < 3; ++i) {
                if (i > 0 && !c.newPage())
                    return false;
                DrawRotatedText(c, QStringLiteral("page"), 0, 0, 270);
            }
            return true;
        });
        QCOMPARE(outcome, PrintOutcome::Printed);
        QCOMPARE(sizesSeen, QList<int>{77}); // the base font is set before drawing
        QCOMPARE(canvas.font.face, QStringLiteral("Courier"));
        QCOMPARE(canvas.begun, 1);
        QCOMPARE(canvas.pages, 2);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(canvas.drawn.size(), 3);
    }

    void frameOutcomes_data()
    {
        QTest::addColumn<PageMeasures>("page");
        QTest::addColumn<bool>("begins");
        QTest::addColumn<bool>("newPages");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("begun");
        QTest::addColumn<int>("ended");
        QTest::newRow("printed") << ExamplePrinter << true << true << true << int(PrintOutcome::Printed) << 1 << 1;
        QTest::newRow("no page width") << PageMeasures{0, 6778, 200, 287} << true << true << true
                                       << int(PrintOutcome::UnusablePage) << 0 << 0;
        QTest::newRow("no millimetres") << PageMeasures{4724, 6778, 0, 287} << true << true << true
                                        << int(PrintOutcome::UnusablePage) << 0 << 0;
        QTest::newRow("begin refused") << ExamplePrinter << false << true << true << int(PrintOutcome::Refused) << 1 << 0;
        // A refused page still ends the document.
        QTest::newRow("new page refused") << ExamplePrinter << true << false << true << int(PrintOutcome::Refused) << 1 << 1;
        QTest::newRow("end refused") << ExamplePrinter << true << true << false << int(PrintOutcome::Refused) << 1 << 1;
    }
    void frameOutcomes()
    {
        QFETCH(PageMeasures, page);
        QFETCH(bool, begins);
        QFETCH(bool, newPages);
        QFETCH(bool, ends);
        QFETCH(int, outcome);
        QFETCH(int, begun);
        QFETCH(int, ended);
        RecordingCanvas canvas(page);
        canvas.acceptBegin = begins;
        canvas.acceptNewPage = newPages;
        canvas.acceptEnd = ends;
        const PrintOutcome got = RunPrintJob(canvas, {10, QString()}, [](PrintCanvas& c, const PageMeasures&) {
            DrawRotatedText(c, QStringLiteral("one"), 0, 0, 270);
            return c.newPage();
        });
        QCOMPARE(int(got), outcome);
        QCOMPARE(canvas.begun, begun);
        QCOMPARE(canvas.ended, ended);
        QCOMPARE(PrintOutcomeMessage(got).isEmpty(), got == PrintOutcome::Printed);
    }

    void aFieldNoTextCarriesStopsThePrint()
    {
        RecordingCanvas canvas(ExamplePrinter);
        FieldTexts texts = slipCTexts();
        FieldTexts partial;
        for (const char* name : {"suma", "hal", "slovom1", "slovom2", "slovomh", "ad1", "ad2", "adpsc", "ad3", "od1", "odpsc"})
            partial.setText(QString::fromLatin1(name), texts.text(name));
        QCOMPARE(MissingFields(SlipCLayout(), partial), (QStringList{"od2", "od3"}));
        QCOMPARE(PrintSlip(canvas, {10, QString()}, SlipCForm(), partial), PrintOutcome::MissingFields);
        QCOMPARE(canvas.begun, 0); // not a single empty row on paper
        QVERIFY(canvas.drawn.isEmpty());
        QVERIFY(PrintOutcomeMessage(PrintOutcome::MissingFields, {"od2", "od3"}).contains(QStringLiteral("od2, od3")));
        // A memo has to carry its shown lines, not only its text.
        FieldTexts memoAsText;
        memoAsText.setText(QStringLiteral("nazov_uctu"), QStringLiteral("Spolok"));
        QVERIFY(MissingFields(SlipALayout(), memoAsText).contains(QStringLiteral("nazov_uctu")));
    }

    void sizeZeroPrintsTenPointsOnPaper_data()
    {
        QTest::addColumn<int>("printFontSize");
        QTest::addColumn<int>("deviceDpi");
        QTest::addColumn<int>("emPixels");
        QTest::newRow("new installation, 600 dpi") << 0 << 600 << 83; // 10/72 inch
        QTest::newRow("new installation, 1200 dpi") << 0 << 1200 << 167;
        QTest::newRow("negative size") << -5 << 300 << 42;
        QTest::newRow("size 1 keeps the rule") << 1 << 600 << 9; // Trunc(1 / 4.4 x 33.89) = 7 points, 96/72 of it
    }
    void sizeZeroPrintsTenPointsOnPaper()
    {
        QFETCH(int, printFontSize);
        QFETCH(int, deviceDpi);
        QFETCH(int, emPixels);
        RecordingCanvas canvas(ExamplePrinter, 96, deviceDpi);
        FieldTexts texts = slipCTexts();
        QCOMPARE(PrintSlip(canvas, {printFontSize, QString()}, SlipCForm(), texts), PrintOutcome::Printed);
        for (const RotatedText& t : canvas.drawn)
            QCOMPARE(t.emPixels, emPixels);
    }

    void wrapLinesFollowTheWidth()
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        const QString name = QStringLiteral("Združenie vlastníkov bytov a nebytových priestorov");
        const QStringList narrow = WrapLines(name, font, 80);
        const QStringList wide = WrapLines(name, font, 2000);
        QCOMPARE(wide, QStringList{name});
        QVERIFY(narrow.size() > 2);
        QCOMPARE(narrow.join(QString()), name); // nothing lost at the breaks
        const QFontMetricsF metrics(font);
        for (const QString& line : narrow)
            QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= 80, qPrintable(line));
        QCOMPARE(WrapLines(QStringLiteral("a\n\nb\n"), font, 80), (QStringList{"a", "", "b"}));
        QCOMPARE(WrapLines(QString(), font, 80), QStringList());
    }

    void programFolder_data()
    {
        QTest::addColumn<QByteArray>("executable");
        QTest::addColumn<QString>("folder"); // empty: none
        QTest::newRow("plain") << QByteArray("/opt/zelvana/zelvana") << QStringLiteral("/opt/zelvana/");
        QTest::newRow("Slovak letters") << QStringLiteral("/home/ján/Plocha/zelvana").toUtf8()
                                        << QStringLiteral("/home/ján/Plocha/");
        QTest::newRow("in the root") << QByteArray("/zelvana") << QStringLiteral("/");
        QTest::newRow("not UTF-8") << QByteArray("/home/j\xe1n/zelvana") << QString();
        QTest::newRow("cut UTF-8 sequence") << QByteArray("/tmp/\xc3/zelvana") << QString();
        QTest::newRow("unknown") << QByteArray() << QString();
        QTest::newRow("relative") << QByteArray("zelvana") << QString();
    }
    void programFolder()
    {
        QFETCH(QByteArray, executable);
        QFETCH(QString, folder);
        const std::optional<QString> got = ProgramFolderOf(executable);
        QCOMPARE(got.value_or(QString()), folder);
        QCOMPARE(got.has_value(), !folder.isEmpty());
    }

    void codePageIsCheckedAtStart()
    {
        QCOMPARE(Cp1250CodecProblem(), QString());
        QVERIFY(!Cp1250CodecProblem("no-such-codepage").isEmpty());
    }

    void halfASurrogatePairDoesNotFit()
    {
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QVERIFY(!fitsCp1250(QStringLiteral("12345") + emoji));
        QVERIFY(!fitsCp1250(QStringLiteral("12345") + emoji.left(1))); // what a 6-character limit leaves
        QVERIFY(!fitsCp1250(emoji.right(1)));
        QVERIFY(fitsCp1250(QStringLiteral("Ľubošť ő €")));
    }
};

QTEST_MAIN(CoreAloneTest)
#include "test_core_alone.moc"
