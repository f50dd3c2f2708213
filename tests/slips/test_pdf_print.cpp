// Slip A printed through a real QPrinter into a PDF file and read back: the
// texts are on the page, turned, within 1 mm of where the placement rule puts them.
#include "app/DocumentKind.h"
#include "slips/QtPrintCanvas.h"
#include "slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/PdfWords.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QtTest>

class PdfPrintTest : public QObject {
    Q_OBJECT
private slots:
    void slipATextsLandWhereTheRuleSays()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({}));
        p.loadRecords();
        p.app->settings().setPrintFontSize(10);
        auto* w = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, DocumentKind::SlipA));
        w->suma->setText("1234");
        w->hal->setText("5");
        w->od1->setText(QStringLiteral("Košický"));
        w->cu1->setText("987654");
        w->vsymbol->setText("20261207");

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = p.folder.file("slip.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer); };
        w->Tlai1->trigger();

        QString error;
        const QList<PdfWord> words = pdfWords(pdf, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));

        const PageMeasures page{printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
        const SlipPlacement placement(page, 102);
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
        const double ptPerPixel = 72.0 / printer.resolution();
        const double mm = 72 / 25.4;

        struct Expect {
            QString text;
            int xMm, yMm;
            int count; // how many areas print it
        } expected[] = {{"-1234-", 8, 39, 4}, {"-50-", 8, 69, 4}, {QStringLiteral("Košický"), 57, 25, 4},
                        {"987654", 31, 40, 3}, {"20261207", 41, 97, 2}};
        for (const Expect& e : expected) {
            QList<PdfWord> found;
            for (const PdfWord& wd : words)
                if (wd.text == e.text)
                    found << wd;
            QVERIFY2(found.size() == e.count, qPrintable(e.text + QStringLiteral(": %1 times").arg(found.size())));
            // The first area's copy comes first in y.
            std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.box.top() < b.box.top(); });
            const PdfWord& first = found.first();
            const double top = printable.left() + placement.DeviceX(e.xMm) * ptPerPixel; // letter tops face right
            const double start = printable.top() + placement.DeviceY(e.yMm) * ptPerPixel;
            QVERIFY2(qAbs(first.box.right() - top) < mm,
                     qPrintable(e.text + QStringLiteral(": top edge at %1 pt, rule says %2").arg(first.box.right()).arg(top)));
            QVERIFY2(qAbs(first.box.top() - start) < mm,
                     qPrintable(e.text + QStringLiteral(": starts at %1 pt, rule says %2").arg(first.box.top()).arg(start)));
            // Turned: the word runs down the page.
            QVERIFY2(first.box.height() > first.box.width(), qPrintable(e.text + " is not turned"));
        }
    }
};

QTEST_MAIN(PdfPrintTest)
#include "test_pdf_print.moc"
