// Texts that would not print in their place: the window asks before it
// prints, and the preview's line names them.
#include "app/DocumentKind.h"
#include "print/PageFit.h"
#include "slips/TApoukazka.h"
#include "slips/TCpoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QtTest>

class PrintFitTest : public QObject {
    Q_OBJECT
private slots:
    void askBeforePrinting_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("listed"); // empty: no question
        QTest::newRow("usual texts") << "od1" << QStringLiteral("Ing. Ján Košický") << "";
        QTest::newRow("full account name")
            << "nazov_uctu" << QStringLiteral("Bytové družstvo pracujúcich v obci Veľká Čierna") << "";
        QTest::newRow("120 characters of account name")
            << "nazov_uctu" << QStringLiteral("Spolok xxxx ").repeated(10)
            << QStringLiteral("cez iný text alebo do inej časti formulára: nazov_uctu");
        QTest::newRow("a line off the page")
            << "od1" << QString(400, QLatin1Char('m')) << QStringLiteral("mimo tlačovú plochu: od1");
    }
    void askBeforePrinting()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, listed);
        for (const bool yes : {false, true}) {
            Program p;
            auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AutoAmountInWords});
            w->suma->setText(QStringLiteral("12345"));
            w->vakup2->setText(QStringLiteral("123456789"));
            QWidget* control = w->client()->findChild<QWidget*>(field);
            control->setFocus();
            if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
                memo->setPlainText(text); // as pasted
            else
                qobject_cast<QLineEdit*>(control)->setText(text);
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
                QCOMPARE(p.platform.dialogsRun, 0);
                QCOMPARE(canvas.ended, 1);
                continue;
            }
            QCOMPARE(p.platform.dialogsRun, 1);
            QVERIFY2(asked.contains(listed) && asked.endsWith(QStringLiteral("Tlačiť aj tak?")), qPrintable(asked));
            QCOMPARE(canvas.begun, yes ? 1 : 0);
            QCOMPARE(canvas.ended, yes ? 1 : 0);
            // The preview's line names the same texts.
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            const QString line = w->printing().describeJob(printer);
            QVERIFY2(line.contains(QStringLiteral("Nie na svojom mieste: ") + listed), qPrintable(line));
        }
    }

    // Every form as the window opens it, with long but usual texts, prints
    // without a question.
    void usualFormsAreClean()
    {
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            Program p;
            auto* w = openWith<DocumentWindow>(
                p, kind,
                {Flag::AutoAmountInWords, Flag::AddBank, Flag::AddAccount, Flag::AddName, Flag::AddAddress,
                 Flag::AddCountry, Flag::AddConstantSymbol, Flag::SlipAOwnerIsSender});
            w->client()->findChild<QLineEdit*>("suma")->setText(QStringLiteral("171471"));
            w->client()->findChild<QLineEdit*>("hal")->setText(QStringLiteral("9"));
            const std::optional<FormPage> page = w->currentPage();
            QVERIFY(page);
            const FitReport fit = CheckPageFit(w->form(), *page, ExamplePrinter, 96, 600, {}, {});
            QVERIFY2(fit.clean(), qPrintable(FitReportLines(fit)));
        }
    }
};

QTEST_MAIN(PrintFitTest)
#include "test_print_fit.moc"
