// Slip D: the window's controls, its six fill rules, the bank combo and every printed row.
#include "ui/frame/DocumentKind.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"
#include "support/LayoutCheck.h"

#include <QComboBox>
#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>

class SlipDTest : public QObject {
    Q_OBJECT

    TDpoukazka* open(Program& p, const QList<Flag>& flags,
                     std::initializer_list<std::pair<Personal, QString>> personal = Owner)
    {
        return openWith<TDpoukazka>(p, FormKind::SlipD, flags, personal);
    }

    static QStringList texts(TDpoukazka* w)
    {
        return {w->ad1->text(), w->ad2->text(), w->adpsc->text(), w->ad3->text(), w->banka->currentText(),
                w->skr->text(), w->ucet->text(), w->od2->text(), w->odpsc->text(), w->od3->text()};
    }

    // Prints with a recorder on `page` and returns what was drawn.
    static QList<RotatedText> print(Program& p, TDpoukazka* w, const PageMeasures& page)
    {
        RecordingCanvas canvas(page);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        p.platform.onDialog = [](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click(); };
        w->Tlai1->trigger();
        return canvas.drawn;
    }

private slots:
    void controls()
    {
        Program p;
        TDpoukazka* w = open(p, {});
        QCOMPARE(w->banka->geometry().topLeft(), QPoint(0, 200));
        QCOMPARE(w->banka->width(), 137);
        QCOMPARE(w->skr->geometry(), QRect(136, 200, 65, 21));
        QCOMPARE(w->ucet->geometry(), QRect(200, 200, 105, 21));
        QCOMPARE(w->od2->geometry(), QRect(72, 224, 233, 21));
        QCOMPARE(w->odpsc->maxLength(), 5);
        QCOMPARE(w->adpsc->maxLength(), 5);
        QCOMPARE(w->hal->text(), QStringLiteral("0"));
        QCOMPARE(w->client()->palette().color(QPalette::Window), QColor(0xF7, 0xF7, 0xEA));
        QCOMPARE(tabChain(w->suma, w->client(), 12), (QList<QWidget*>{w->suma, w->hal, w->ad1, w->ad2, w->adpsc, w->ad3, w->od2, w->odpsc, w->od3,
                                          w->ucet, w->skr, w->banka}));
    }

    void fill_data()
    {
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QStringList>("texts"); // ad1 ad2 adpsc ad3 banka skr ucet od2 odpsc od3
        using L = QList<Flag>;
        const L all{Flag::AddName, Flag::AddAddress, Flag::AddAccount, Flag::AddBank};
        QTest::newRow("sender: name and street share od2, account whole, bank")
            << (L(all) << Flag::SlipDOwnerIsSender << Flag::AddCountry)
            << QStringList{"", "", "", "", "Moja banka", "", "123456/0200", QStringLiteral("Ing. Ján Košický, Hlavná 12"),
                           "04001", QStringLiteral("Košice SR")};
        QTest::newRow("recipient: no account, no bank")
            << (L(all) << Flag::SlipDOwnerIsRecipient)
            << QStringList{QStringLiteral("Ing. Ján Košický"), QStringLiteral("Hlavná 12"), "04001",
                           QStringLiteral("Košice"), "", "", "", "", "", ""};
        QTest::newRow("address without name starts od2 with the comma")
            << L{Flag::AddAddress, Flag::SlipDOwnerIsSender}
            << QStringList{"", "", "", "", "", "", "", QStringLiteral(", Hlavná 12"), "04001", QStringLiteral("Košice")};
        QTest::newRow("nothing") << L{} << QStringList(10, QString());
    }
    void fill()
    {
        QFETCH(QList<Flag>, flags);
        QFETCH(QStringList, texts);
        Program p;
        TDpoukazka* w = open(p, flags);
        QCOMPARE(this->texts(w), texts);
    }

    void clearKeepsShortCodeAndBankList()
    {
        Program p;
        p.folder.write("banky.cbx", "VUB\r\nSLSP\r\n");
        TDpoukazka* w = open(p, {Flag::AddBank, Flag::AddName, Flag::SlipDOwnerIsSender});
        QCOMPARE(w->banka->count(), 2);
        QCOMPARE(w->banka->itemText(1), QStringLiteral("SLSP"));
        QCOMPARE(w->banka->currentText(), QStringLiteral("Moja banka")); // not in the list, kept
        w->skr->setText("SK");
        w->ad1->setText("x");
        w->ClearPersonalFields();
        QCOMPARE(texts(w), (QStringList{"", "", "", "", "", "SK", "", "", "", ""}));
        QCOMPARE(w->banka->count(), 2);
        w->FillFromPersonalData();
        QCOMPARE(w->od2->text(), QStringLiteral("Ing. Ján Košický"));
        QCOMPARE(w->banka->currentText(), QStringLiteral("Moja banka"));
    }

    void missingBankListIsCreatedEmpty()
    {
        Program p;
        TDpoukazka* w = open(p, {});
        QVERIFY(p.folder.exists("banky.cbx"));
        QCOMPARE(p.folder.read("banky.cbx").size(), 0);
        QCOMPARE(w->banka->count(), 0);
    }

    void printsEveryRowAtBaseSize14()
    {
        // PageHeight 1240 over HorzSize 200: Trunc(10 / 4.4 x 6.2) = 14.
        const PageMeasures page{4724, 1240, 200, 287};
        Program p;
        TDpoukazka* w = open(p, {Flag::AddName, Flag::AddAddress, Flag::AddAccount, Flag::AddBank, Flag::SlipDOwnerIsSender});
        p.app->settings().setPrintFontSize(10);
        w->suma->setText("80");
        w->slovom1->setText(QStringLiteral("-osemdesiat-"));
        w->slovomh->setText("--");
        w->ad1->setText("Firma");
        w->ad2->setText("Cesta 3");
        w->adpsc->setText("90101");
        w->ad3->setText("Malacky");
        w->skr->setText("TB");
        const QList<RotatedText> drawn = print(p, w, page);
        const QString od2 = QStringLiteral("Ing. Ján Košický, Hlavná 12"), name = QStringLiteral("Ing. Ján Košický"),
                      street = QStringLiteral("Hlavná 12"), bank = QStringLiteral("Moja banka"),
                      ucet = QStringLiteral("123456/0200"), sender3 = QStringLiteral("04001 Košice");
        const QList<ExpectedRow> rows = {
            {"-80-", 11, 40, 14}, {"-00-", 11, 70, 14}, {QStringLiteral("-osemdesiat-"), 16, 15, 14}, {"", 22, 5, 14},
            {"--", 22, 55, 14}, {"Firma", 41, 24, 14}, {"Cesta 3", 47, 24, 14}, {"9", 53, 3, 14, 43},
            {"0", 53, 6, 14, 43}, {"1", 53, 9, 14, 43}, {"0", 53, 15, 14, 43}, {"1", 53, 18, 14, 43},
            {"Malacky", 53, 24, 14}, {bank, 61, 2, 14}, {ucet, 61, 50, 14}, {od2, 67, 19, 14},
            {"0", 73, 3, 14, 43}, {"4", 73, 6, 14, 43}, {"0", 73, 9, 14, 43}, {"0", 73, 15, 14, 43},
            {"1", 73, 18, 14, 43}, {QStringLiteral("Košice"), 73, 24, 14},
            // area 2: reduced by 0.9 for good, the account row by a further 0.8
            {"-80-", 19, 88, 13}, {"-00-", 19, 129, 13}, {"Firma", 41, 95, 13}, {"Cesta 3", 47, 84, 13},
            {"90101 Malacky", 53, 84, 13}, {"TB", 59, 92, 13}, {ucet, 59, 116, 10}, {name, 63, 98, 12},
            {street, 68, 84, 12}, {sender3, 73, 84, 12},
            // area 3
            {"-80-", 19, 145, 12}, {"-00-", 19, 179, 12}, {"Firma", 41, 152, 12}, {"Cesta 3", 47, 141, 12},
            {"90101 Malacky", 53, 141, 12}, {"TB", 59, 148, 12}, {ucet, 59, 165, 10}, {name, 63, 155, 12},
            {street, 68, 141, 12}, {sender3, 73, 141, 12},
            // area 4
            {"-80-", 19, 194, 12}, {"-00-", 19, 226, 12}, {"Firma", 41, 201, 12}, {"Cesta 3", 47, 190, 12},
            {"90101 Malacky", 53, 190, 12}, {"TB", 59, 197, 12}, {ucet, 59, 212, 10, 40}, {name, 63, 202, 12},
            {street, 68, 190, 12}, {sender3, 73, 190, 12},
        };
        QCOMPARE(rows.size(), 52);
        QVERIFY(checkRows(drawn, rows, page, 104));
    }

    void sizesForTheWorkedExampleBase()
    {
        // The example printer gives a base size of 77: 69 after 0.9, 55 at the
        // account rows, back to Round(55 / 0.8) = 69.
        Program p;
        TDpoukazka* w = open(p, {});
        p.app->settings().setPrintFontSize(10);
        const QList<RotatedText> drawn = print(p, w, ExamplePrinter);
        QCOMPARE(drawn.size(), 52);
        QList<int> sizes;
        for (const RotatedText& t : drawn)
            sizes << t.size;
        QList<int> expected(22, 77);
        for (int row = 23; row <= 52; ++row)
            expected << ((row == 29 || row == 39 || row == 49) ? 55 : 69);
        QCOMPARE(sizes, expected);
        QCOMPARE(drawn[0].x, 2456 - 260); // R = 104: Round(2456.48) - Round(259.82)
    }

    void senderLineSplit_data()
    {
        QTest::addColumn<QString>("od2");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("street");
        QTest::newRow("name, street") << QStringLiteral("Ján Novák, Hlavná 1") << QStringLiteral("Ján Novák")
                                      << QStringLiteral("Hlavná 1");
        QTest::newRow("comma first") << QStringLiteral(", Hlavná 1") << "" << QStringLiteral("Hlavná 1");
        // Only the blank that the fill writes after the comma is dropped: a typed
        // letter there belongs to the street.
        QTest::newRow("comma without a blank keeps the next character") << QStringLiteral("Novák,Hlavná 1") << QStringLiteral("Novák") << QStringLiteral("Hlavná 1");
        QTest::newRow("comma and blank") << QStringLiteral("Novák, Hlavná 1") << QStringLiteral("Novák") << QStringLiteral("Hlavná 1");
        QTest::newRow("comma at the end") << "A," << "A" << "";
        QTest::newRow("comma and two blanks keeps the second") << "A,  B" << "A" << " B";
        QTest::newRow("two commas split at the first") << "A, B, C" << "A" << "B, C";
        QTest::newRow("no comma keeps everything as the name") << QStringLiteral("Ján Novák Hlavná 1")
                                                               << QStringLiteral("Ján Novák Hlavná 1") << "";
        QTest::newRow("empty") << "" << "" << "";
    }
    void senderLineSplit()
    {
        QFETCH(QString, od2);
        QFETCH(QString, name);
        QFETCH(QString, street);
        Program p;
        TDpoukazka* w = open(p, {});
        w->od2->setText(od2);
        const QList<RotatedText> drawn = print(p, w, ExamplePrinter);
        const QString spaces(44, QLatin1Char(' '));
        QCOMPARE(drawn[15].text, od2 + spaces); // area 1 draws it whole
        for (int row : {29, 39, 49}) {
            QCOMPARE(drawn[row].text, name + spaces);
            QCOMPARE(drawn[row + 1].text, street + spaces);
        }
    }
};

QTEST_MAIN(SlipDTest)
#include "test_slip_d.moc"
