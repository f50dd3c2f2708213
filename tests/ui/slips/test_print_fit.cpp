// Texts that would not print in their place: the window asks before it
// prints, and the preview's line names them.
#include "ui/frame/DocumentKind.h"
#include "core/print/PageFit.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QtTest>

class PrintFitTest : public QObject {
    Q_OBJECT
private slots:
    // The default print font (no face, size 0), measured as the page sets it.
    void askBeforePrinting_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QStringList>("texts"); // field, text, field, text...
        QTest::addColumn<QString>("listed");    // empty: no question
        const QString into = QStringLiteral("cez iný text, do inej časti formulára alebo za jeho okraj: ");
        QTest::newRow("usual texts") << FormKind::SlipA << QStringList{"od1", "Ing. Ján Košický", "hal", "2"} << "";
        QTest::newRow("usual account name")
            << FormKind::SlipA << QStringList{"nazov_uctu", "Bytové družstvo\nVeľká Čierna"} << "";
        // At 10 points the window's line is longer than the part it is printed in.
        QTest::newRow("account name wider than its part")
            << FormKind::SlipA << QStringList{"nazov_uctu", "Bytové družstvo pracujúcich v obci Veľká Čierna"}
            << into + "Názov účtu adresáta";
        QTest::newRow("account name over the post office")
            << FormKind::SlipA
            << QStringList{"vakup2", "123456789", "nazov_uctu", QStringLiteral("Spolok xxxx ").repeated(10)}
            << into + "Názov účtu adresáta; Prev. pošta VAKÚP, vedľa";
        QTest::newRow("a line off the page") << FormKind::SlipA << QStringList{"od1", QString(400, QLatin1Char('m'))}
                                             << QStringLiteral("mimo tlačovej plochy: Odosielateľ, 1. riadok");
        QTest::newRow("hellers in words over the part line")
            << FormKind::SlipA << QStringList{"hal", "5"} << into + "Suma slovom, haliere";
        QTest::newRow("account across the parts and the edge")
            << FormKind::SlipD << QStringList{"ucet", "19-123457/0200"} << into + "z účtu číslo";
        QTest::newRow("name over itself")
            << FormKind::SlipD << QStringList{"ad1", "Slovenský plynárenský podnik"} << into + "Adresát, 1. riadok";
        QTest::newRow("postcode into town")
            << FormKind::SlipC << QStringList{"adpsc", "97101", "ad3", "Prievidza"} << into + "Adresát, PSČ; Adresát, obec";
        QTest::newRow("postcode and town joined by a blank")
            << FormKind::SlipD << QStringList{"adpsc", "97101", "ad3", "Prievidza"} << "";
    }
    void askBeforePrinting()
    {
        QFETCH(FormKind, kind);
        QFETCH(QStringList, texts);
        QFETCH(QString, listed);
        for (const bool yes : {false, true}) {
            Program p;
            auto* w = openWith<DocumentWindow>(p, kind, {Flag::AutoAmountInWords});
            w->client()->findChild<QLineEdit*>("suma")->setText(QStringLiteral("12345"));
            for (qsizetype i = 0; i + 1 < texts.size(); i += 2) {
                QWidget* control = w->client()->findChild<QWidget*>(texts[i]);
                control->setFocus();
                if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
                    memo->setPlainText(texts[i + 1]); // as pasted
                else
                    qobject_cast<QLineEdit*>(control)->setText(texts[i + 1]);
            }
            RecordingCanvas canvas(ExamplePrinter);
            p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
            QString asked;
            p.platform.onDialog = [&](QDialog& d) {
                auto* box = qobject_cast<QMessageBox*>(&d);
                QVERIFY(box && box->objectName() == QLatin1String("PrintAnyway"));
                asked = box->text();
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            };
            w->Tlai1->trigger();
            QVERIFY(p.platform.messages.isEmpty());
            if (listed.isEmpty()) {
                QVERIFY2(p.platform.dialogsRun == 0, qPrintable(asked));
                QCOMPARE(canvas.ended, 1);
                continue;
            }
            QCOMPARE(p.platform.dialogsRun, 1);
            QVERIFY2(asked.contains(listed + QLatin1Char('\n')) && asked.endsWith(QStringLiteral("Tlačiť aj tak?")),
                     qPrintable(asked));
            QCOMPARE(canvas.begun, yes ? 1 : 0);
            QCOMPARE(canvas.ended, yes ? 1 : 0);
            // The preview's line names the same texts.
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            const QString line = w->printing().describeJob(printer);
            QVERIFY2(line.contains(QStringLiteral("Nie na svojom mieste: ") + listed), qPrintable(line));
        }
    }

    // Every form as the window opens it, with usual texts, prints
    // without a question.
    void usualFormsAreClean()
    {
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            Program p;
            auto* w = openWith<DocumentWindow>(
                p, kind,
                {Flag::AutoAmountInWords, Flag::AddBank, Flag::AddAccount, Flag::AddName, Flag::AddAddress,
                 Flag::AddCountry, Flag::AddConstantSymbol, Flag::SlipAOwnerIsSender});
            w->client()->findChild<QLineEdit*>("suma")->setText(QStringLiteral("1250"));
            w->client()->findChild<QLineEdit*>("hal")->setText(QStringLiteral("3"));
            const std::optional<FormPage> page = w->currentPage();
            QVERIFY(page);
            const FitReport fit = CheckPageFit(w->form(), *page, ExamplePrinter, 96, 600, {}, {});
            QVERIFY2(fit.clean(), qPrintable(FitReportLines(w->form(), fit)));
        }
    }
};

QTEST_MAIN(PrintFitTest)
#include "test_print_fit.moc"
