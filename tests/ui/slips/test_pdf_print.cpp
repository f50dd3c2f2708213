// Slips printed through a real QPrinter into a PDF file and read back: the
// texts are on the page, turned, within 1 mm of where the placement rule puts them.
#include "ui/frame/DocumentKind.h"
#include "core/print/PrintJob.h"
#include "core/print/QtPrintCanvas.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"
#include "support/PdfPlacement.h"

#include <QLineEdit>
#include <QPrinter>
#include <QtTest>

class PdfPrintTest : public QObject {
    Q_OBJECT

    SlipWindow* open(Program& p, FormKind kind)
    {
        p.folder.write("program.nas", settingsBytes({}));
        p.loadRecords();
        p.app->settings().setPrintFontSize(10);
        return qobject_cast<SlipWindow*>(OpenDocumentWindow(*p.app, kind));
    }

    // Prints `w` into a PDF file and checks the words against the rule for R.
    void printAndCheck(Program& p, SlipWindow* w, int referenceMm, const QList<PdfExpect>& expected)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = p.folder.file("slip.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), printer.outputFileName()); };
        w->Tlai1->trigger();

        QString error;
        const QList<PdfWord> words = pdfWords(pdf, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        checkPdfPlacement(words, printer, referenceMm, expected); // reports its own failure
    }

private slots:
    void slipA()
    {
        Program p;
        auto* w = static_cast<TApoukazka*>(open(p, FormKind::SlipA));
        w->suma->setText("1234");
        w->hal->setText("5");
        w->od1->setText(QStringLiteral("Košický"));
        w->cu1->setText("987654");
        w->vsymbol->setText("20261207");
        printAndCheck(p, w, 102,
                      {{"-1234-", 8, 39, 4}, {"-50-", 8, 69, 4}, {QStringLiteral("Košický"), 57, 25, 4},
                       {QStringLiteral("Košický"), 57, 205, 4}, {"987654", 31, 40, 3}, {"20261207", 41, 97, 2}});
    }

    void unwritableOutputIsReported()
    {
        Program p;
        SlipWindow* w = open(p, FormKind::SlipC);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(p.folder.file("no such folder/slip.pdf"));
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), printer.outputFileName()); };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{PrintFailedMessage});
        QVERIFY(!QFileInfo::exists(p.folder.file("no such folder/slip.pdf")));
    }

    void newInstallationPrintsTenPointText()
    {
        // A new settings file has PrintFontSize 0: the text must still be readable.
        Program p;
        SlipWindow* w = open(p, FormKind::SlipC);
        p.app->settings().setPrintFontSize(0);
        w->suma->setText("321");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = p.folder.file("slip.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), pdf); };
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());
        int found = 0;
        for (const PdfWord& word : pdfWords(pdf)) {
            if (word.text != QStringLiteral("-321-"))
                continue;
            ++found;
            // Turned text: its height on paper is the box's width, 10 points
            // of em times the font's ascent and descent (1.16 em for DejaVu
            // Sans Mono, 1.36 em for Noto Sans Mono, which the font mapper
            // prefers where both are installed).
            QVERIFY2(word.box.width() > 6 && word.box.width() < 14, qPrintable(QString::number(word.box.width())));
        }
        QCOMPARE(found, 4);
    }

    void fullDiskIsReportedAndTheBrokenFileRemoved()
    {
        Program p;
        SlipWindow* w = open(p, FormKind::SlipA);
        w->suma->setText("1234");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = p.folder.file("slip.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), pdf); };
        {
            FileSizeLimit full(4096);
            w->Tlai1->trigger();
        }
        // The full disk keeps the journal from recording the failed print too, and that is told after it.
        QCOMPARE(p.platform.messages.value(0), PrintFailedMessage);
        QCOMPARE(p.platform.messages.size(), 2);
        QVERIFY2(p.platform.messages[1].contains(p.folder.file("historia.sqlite")), qPrintable(p.platform.messages[1]));
        QVERIFY(!QFileInfo::exists(pdf));
        // With room again, the same window prints whole.
        p.platform.messages.clear();
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());
        QVERIFY(IsCompletePdf(pdf));
    }

    void slipD()
    {
        Program p;
        auto* w = static_cast<TDpoukazka*>(open(p, FormKind::SlipD));
        w->suma->setText("77");
        w->od2->setText(QStringLiteral("Novák, Hlavná 1"));
        w->ucet->setText("5566778899");
        w->skr->setText("TATR");
        printAndCheck(p, w, 104,
                      {{"-77-", 11, 40, 4}, {"-77-", 19, 88, 4}, {QStringLiteral("Novák,"), 67, 19, 1},
                       {QStringLiteral("Novák"), 63, 98, 3}, {QStringLiteral("Hlavná"), 68, 84, 4}, {QStringLiteral("Hlavná"), 68, 141, 4},
                       {"5566778899", 61, 50, 4}, {"5566778899", 59, 212, 4}, {"TATR", 59, 92, 3}});
    }
};

QTEST_MAIN(PdfPrintTest)
#include "test_pdf_print.moc"
