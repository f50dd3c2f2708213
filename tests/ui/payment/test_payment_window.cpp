// The payment window and its table: what the personal data fills in, every
// refusal named, and the QR code on paper read back by a real QR reader.
#include "app/TForm1.h"
#include "core/batch/BatchJob.h"
#include "printer/SplitPdf.h"
#include "core/forms/payment/PaymentForm.h"
#include "core/forms/payment/PaymentPage.h"
#include "ui/payment/Tplatba.h"
#include "printer/ChosenPrinter.h"
#include "support/PdfCodes.h"
#include "support/Fixture.h"
#include "support/PayBySquareDecode.h"
#include "support/RecordingCanvas.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

const std::initializer_list<std::pair<Personal, QString>> Payee = {
    {Personal::meno, QStringLiteral("Ján")},     {Personal::priezvisko, QStringLiteral("Novák")},
    {Personal::ulica, QStringLiteral("Hlavná")}, {Personal::cd, QStringLiteral("12")},
    {Personal::psc, QStringLiteral("04001")},    {Personal::mesto, QStringLiteral("Košice")},
    {Personal::CU, QStringLiteral("19-123457/0200")}, {Personal::ksymbol, QStringLiteral("0558")}};

// The fields a banking app reads for Ján Novák's rent, diacritics left out.
const QList<QByteArray> RentFields = {"",    "1",        "1",        "1234.5", "EUR", "20350131", "123", "0558", "",
                                      "",    "Najom januar", "1", "SK7602000000190000123457", "SUBASKBX", "0", "0",
                                      "Jan Novak", "Hlavna 12", "04001 Kosice"};

Tplatba* openPayment(Program& p)
{
    p.folder.installShipped(QStringLiteral("data/bic.txt"));
    return openWith<Tplatba>(p, FormKind::Payment, {}, Payee);
}

void retypeLine(QLineEdit* e, const QString& text)
{
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    typeText(e, text);
}

} // namespace

class PaymentWindowTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { deleteDocumentWindows(); }

    void opensFilledFromThePersonalData()
    {
        Program p;
        Tplatba* w = openPayment(p);
        QVERIFY(w);
        QCOMPARE(p.app->OpenFormCount, 1);
        QCOMPARE(w->windowTitle(), QStringLiteral("Platba QR (PAY by square)"));
        QCOMPARE(w->iban->text(), QStringLiteral("SK76 0200 0000 1900 0012 3457"));
        QCOMPARE(w->bic->text(), QStringLiteral("SUBASKBX"));
        QCOMPARE(w->prijemca->text(), QStringLiteral("Ján Novák"));
        QCOMPARE(w->prijemca_ulica->text(), QStringLiteral("Hlavná 12"));
        QCOMPARE(w->prijemca_mesto->text(), QStringLiteral("04001 Košice"));
        QCOMPARE(w->ksymbol->text(), QStringLiteral("0558"));
        retypeLine(w->suma, QStringLiteral("1234,50"));
        QCOMPARE(w->slovom->text(), QStringLiteral("-jedentisícdvestotridsaťštyri- EUR 50/100"));
        retypeLine(w->prijemca, QStringLiteral("Iný"));
        QCOMPARE(fromCp1250(p.app->personal().get(Personal::meno)), QStringLiteral("Ján")); // records untouched
        QVERIFY(!w->Zarovnanietlaiarne1->isVisible() && !w->Zarovnanietlaiarne1->isEnabled());
    }

    void opensFromTheLauncherAndEveryPoukazkaMenu()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.start();
        const QList<QAction*> items = p.launcher->PopupMenu1->actions();
        const auto at = [&](const char* name) {
            return std::find_if(items.begin(), items.end(), [&](QAction* a) { return a->objectName() == name; });
        };
        QVERIFY(at("PlatbaQR1") == at("Oblka1") + 1);
        (*at("PlatbaQR1"))->trigger();
        QCOMPARE(openDocumentWindows().size(), 1);
        openDocumentWindows().first()->TypuA1->trigger();
        for (DocumentWindow* w : openDocumentWindows())
            if (w->form().kind == FormKind::SlipA)
                w->PlatbaQR1->trigger();
        QCOMPARE(openDocumentWindows().size(), 3);
        QCOMPARE(p.app->OpenFormCount, 3);
    }

    // Tab goes down the left column, past the words it cannot edit, to the payer and round again.
    void tabGoesThroughTheFieldsInTheirOrder()
    {
        Program p;
        Tplatba* w = openPayment(p);
        w->show();
        QList<QWidget*> reached{w->focusWidget()};
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(reached.last(), Qt::Key_Tab);
            reached << w->focusWidget();
        }
        QCOMPARE(reached, (QList<QWidget*>{w->prijemca, w->prijemca_ulica, w->prijemca_mesto, w->iban, w->bic, w->suma,
                                           w->vsymbol, w->ksymbol, w->ssymbol, w->splatnost, w->sprava, w->adresat,
                                           w->prijemca}));
    }

    void refusesBadInputNamingTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("checksum") << "iban" << "SK76 0200 0000 1900 0012 3458" << "IBAN: ";
        QTest::newRow("length") << "iban" << "SK76 0200 0000 1900 0012 345" << "IBAN: ";
        QTest::newRow("decimals") << "suma" << "12,345" << "Suma: najviac dve desatinné miesta";
        QTest::newRow("letters") << "vsymbol" << "12a4" << "Variabilný symbol: len číslice";
        QTest::newRow("ks5") << "ksymbol" << "12345" << "Konštantný symbol: najviac 4 číslice";
        QTest::newRow("message") << "sprava" << QString(141, 'x') << "Správa pre príjemcu: najviac 140 znakov";
        QTest::newRow("date") << "splatnost" << "30. 2. 2027" << "Dátum splatnosti: taký deň";
        QTest::newRow("another bank's bic") << "bic" << "TATRSKBX" << "BIC: účet v IBAN vedie Všeobecná úverová banka";
    }

    void refusesBadInputNamingTheField()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        Program p;
        Tplatba* w = openPayment(p);
        retypeLine(w->suma, QStringLiteral("10"));
        retypeLine(w->client()->findChild<QLineEdit*>(field), text);
        w->Tlai1->trigger();
        w->Ukkapredtlaou1->trigger();
        QCOMPARE(p.platform.messages.size(), 2);
        QVERIFY2(p.platform.messages[0].startsWith(message), qPrintable(p.platform.messages[0]));
        QCOMPARE(p.platform.printDialogs, 0);
        QCOMPARE(p.platform.dialogsRun, 0);

        // The same text in a table row: its line and column, nothing printed.
        const QString amount = field == QLatin1String("suma") ? QString() : QStringLiteral(";10");
        p.folder.write("t.csv", (field + (amount.isEmpty() ? "" : ";suma") + "\n\"" + text + "\"" + amount + "\n").toUtf8());
        BatchContext context;
        context.form = FormKind::Payment;
        context.personal = p.app->personal();
        context.programFolder = p.app->programFolder();
        const BatchCheck check = CheckTable(context, p.folder.file("t.csv"));
        QVERIFY(!check.ok());
        QVERIFY(check.pages.isEmpty());
        QCOMPARE(check.problems.size(), 1);
        QCOMPARE(check.problems[0].line, 2);
        QCOMPARE(check.problems[0].column, field);
        QVERIFY2(check.problems[0].text.startsWith(message), qPrintable(check.problems[0].text));
    }

    // A date already past is asked about: "Nie" goes back to it, "Áno" prints.
    void pastDueDateIsAsked()
    {
        Program p;
        Tplatba* w = openPayment(p);
        retypeLine(w->suma, QStringLiteral("10"));
        const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("d. M. yyyy"));
        retypeLine(w->splatnost, yesterday);
        QString asked;
        p.platform.onDialog = [&](QDialog& d) { asked = qobject_cast<QMessageBox*>(&d)->text(); }; // closed: "Nie"
        w->Tlai1->trigger();
        QCOMPARE(asked, QStringLiteral("Dátum splatnosti %1 už uplynul.\nTlačiť aj tak?").arg(yesterday));
        QCOMPARE(p.platform.printDialogs, 0);
        QCOMPARE(w->focusWidget(), w->splatnost);
        p.platform.onDialog = [](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click(); };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.printDialogs, 1);
    }

    void addressThatLeavesTheEnvelopeWindowIsRefused()
    {
        Program p;
        Tplatba* w = openPayment(p);
        retypeLine(w->suma, QStringLiteral("10"));
        retype(w->adresat, QStringLiteral("1\n2\n3\n4\n5\n6\n7"));
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages.value(0), QStringLiteral("Adresa platiteľa: má 7 riadkov, do okna obálky sa "
                                                              "zmestí najviac 6."));
        retype(w->adresat, QString(37, 'W'));
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.value(1).startsWith(QStringLiteral("Adresa platiteľa: 1. riadok má 37 znakov")));
        QCOMPARE(p.platform.printDialogs, 0);
    }

    void pageHoldsALargeCodeAndTheAddressInTheWindow()
    {
        Program p;
        Tplatba* w = openPayment(p);
        retypeLine(w->suma, QStringLiteral("1234.50"));
        retype(w->adresat, QStringLiteral("Peter Malý\nDlhá 1\n81101 Bratislava"));
        RecordingCanvas page(ExamplePrinter); // 200 x 287 mm printable, taken as centred on A4
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(page); };
        w->Tlai1->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.value(0)));
        QVERIFY(!page.rects.isEmpty());
        QRect code;
        for (const QRect& r : page.rects)
            code |= r;
        const double perMm = 4724.0 / 200.0;
        const int module = page.rects.first().height();
        QVERIFY(code.width() == code.height());
        QVERIFY((code.width() + 8 * module) / perMm >= 40.0); // with its quiet zone
        QVERIFY(code.left() - 4 * module >= qRound((QrLeftMm - 5) * perMm)); // quiet zone free of anything else
        const auto first = std::find_if(page.drawn.begin(), page.drawn.end(),
                                        [](const RotatedText& t) { return t.text == QStringLiteral("Peter Malý"); });
        QVERIFY(first != page.drawn.end());
        QCOMPARE(first->x, qRound((AddressTextLeftMm - 5) * perMm));
        QCOMPARE(first->y, qRound((AddressTextTopMm - 5) * perMm));
        QVERIFY(std::any_of(page.drawn.begin(), page.drawn.end(),
                            [](const RotatedText& t) { return t.text == QStringLiteral("PAY by square"); }));
        QVERIFY(std::any_of(page.drawn.begin(), page.drawn.end(),
                            [](const RotatedText& t) { return t.text == QStringLiteral("1 234,50 EUR"); }));
    }

    void codeOnPaperReadsBackFromWindowAndTable()
    {
        Program p;
        Tplatba* w = openPayment(p);
        retypeLine(w->suma, QStringLiteral("1234,50"));
        retypeLine(w->vsymbol, QStringLiteral("123"));
        retypeLine(w->splatnost, QStringLiteral("31. 1. 2035"));
        retypeLine(w->sprava, QStringLiteral("Nájom január"));
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfFile(printer, p.folder.file("window.pdf"));
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        w->Tlai1->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.value(0)));
        QString error;
        const QStringList fromWindow = ReadQrCodes(p.folder.file("window.pdf"), &error);
        QVERIFY2(fromWindow.size() == 1, qPrintable(error));
        const std::optional<DecodedPayBySquare> window = DecodePayBySquare(fromWindow.first());
        QVERIFY(window);
        QCOMPARE(window->fields, RentFields);

        // Two rows, one file each; a column left out takes the personal data.
        p.folder.write("rows.csv", QStringLiteral("suma;vsymbol;splatnost;sprava\n1234,50;123;2035-01-31;Nájom "
                                                  "január\n7;9;;\n").toUtf8());
        BatchContext context;
        context.form = FormKind::Payment;
        context.personal = p.app->personal();
        context.programFolder = p.app->programFolder();
        const BatchCheck check = CheckTable(context, p.folder.file("rows.csv"));
        QVERIFY2(check.ok(), qPrintable(check.report(5)));
        const SplitOutcome split = PrintSplitPdf(PaymentForm(), check.pages, p.folder.file("out.pdf"), {}, false);
        QVERIFY2(split.problem.isEmpty(), qPrintable(split.problem));
        QCOMPARE(split.files, 2);
        const QStringList first = ReadQrCodes(p.folder.file("out-0001.pdf"), &error);
        const QStringList second = ReadQrCodes(p.folder.file("out-0002.pdf"), &error);
        QVERIFY2(first.size() == 1 && second.size() == 1, qPrintable(error));
        QCOMPARE(DecodePayBySquare(first.first())->fields, RentFields);
        const QList<QByteArray> seven = DecodePayBySquare(second.first())->fields;
        QCOMPARE(seven.value(3), QByteArray("7"));
        QCOMPARE(seven.value(6), QByteArray("9"));
        QCOMPARE(seven.value(12), QByteArray("SK7602000000190000123457"));
        QVERIFY(!QDir(p.folder.path()).entryList({".out-*"}, QDir::Files | QDir::Hidden).size()); // no scratch left
    }
};

QTEST_MAIN(PaymentWindowTest)
#include "test_payment_window.moc"
