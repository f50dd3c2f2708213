// Slip A: the window's controls, its fill operations, the bank list and every printed row.
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/MemoLines.h"
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/LayoutCheck.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

class SlipATest : public QObject {
    Q_OBJECT

    TApoukazka* open(Program& p, const QList<Flag>& flags,
                     std::initializer_list<std::pair<Personal, QString>> personal = Owner)
    {
        return openWith<TApoukazka>(p, FormKind::SlipA, flags, personal);
    }

    static QStringList personalTexts(TApoukazka* w)
    {
        return {w->banka->currentText(), w->cu1->text(),    w->cu2->text(), w->ksymbol->text(),
                w->nazov_uctu->toPlainText(), w->vakup->text(), w->vakup2->text(), w->vsymbol->text(),
                w->od1->text(), w->od2->text(),  w->odpsc->text(), w->od3->text()};
    }

private slots:
    void controls()
    {
        Program p;
        TApoukazka* w = open(p, {});
        QCOMPARE(w->banka->geometry().topLeft(), QPoint(8, 120));
        QCOMPARE(w->banka->width(), 145);
        QVERIFY(w->banka->isEditable());
        QCOMPARE(w->nazov_uctu->geometry(), QRect(120, 160, 185, 49));
        QCOMPARE(w->vakup->maxLength(), 5);
        QCOMPARE(w->odpsc->maxLength(), 5);
        QCOMPARE(w->cu2->geometry(), QRect(264, 120, 41, 21));
        QCOMPARE(w->od3->geometry(), QRect(72, 320, 233, 21));
        QCOMPARE(w->hal->text(), QString());
        QCOMPARE(tabChain(w->suma, w->client(), 14), (QList<QWidget*>{w->suma, w->hal, w->banka, w->cu1, w->cu2, w->ksymbol, w->nazov_uctu,
                                          w->vakup, w->vakup2, w->vsymbol, w->od1, w->od2, w->odpsc, w->od3}));
    }

    void fill_data()
    {
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QStringList>("texts");
        using L = QList<Flag>;
        const QStringList none(12, QString());
        QTest::newRow("nothing") << L{} << none;
        QTest::newRow("recipient: bank and account")
            << L{Flag::AddBank, Flag::AddAccount, Flag::AddName, Flag::AddAddress, Flag::SlipAOwnerIsRecipient}
            << QStringList{"Moja banka", "123456", "0200", "", QStringLiteral("Spolok\nKošice"), "04012",
                           QStringLiteral("Košice 1"), "", "", "", "", ""};
        QTest::newRow("sender: name and address")
            << L{Flag::AddBank, Flag::AddAccount, Flag::AddName, Flag::AddAddress, Flag::AddCountry,
                 Flag::SlipAOwnerIsSender}
            << QStringList{"", "", "", "", "", "", "", "", QStringLiteral("Ing. Ján Košický"), QStringLiteral("Hlavná 12"),
                           "04001", QStringLiteral("Košice SR")};
        QTest::newRow("constant symbol either way")
            << L{Flag::AddConstantSymbol} << QStringList{"", "", "", "0558", "", "", "", "", "", "", "", ""};
        QTest::newRow("country without address")
            << L{Flag::AddCountry, Flag::SlipAOwnerIsSender} << none;
    }
    void fill()
    {
        QFETCH(QList<Flag>, flags);
        QFETCH(QStringList, texts);
        Program p;
        TApoukazka* w = open(p, flags);
        QCOMPARE(personalTexts(w), texts);
    }

    void accountSplit_data()
    {
        QTest::addColumn<QString>("cu");
        QTest::addColumn<QString>("cu1");
        QTest::addColumn<QString>("cu2");
        QTest::newRow("number/code") << "123/0200" << "123" << "0200";
        QTest::newRow("two slashes") << "12/34/56" << "12" << "34/56";
        QTest::newRow("no slash") << "123456" << "" << "123456";
        QTest::newRow("leading slash") << "/0200" << "" << "0200";
        QTest::newRow("empty") << "" << "" << "";
    }
    void accountSplit()
    {
        QFETCH(QString, cu);
        QFETCH(QString, cu1);
        QFETCH(QString, cu2);
        Program p;
        TApoukazka* w = open(p, {Flag::AddAccount, Flag::SlipAOwnerIsRecipient}, {{Personal::CU, cu}});
        QCOMPARE(w->cu1->text(), cu1);
        QCOMPARE(w->cu2->text(), cu2);
    }

    void emptyCityGetsABlankBeforeTheCountry()
    {
        Program p;
        TApoukazka* w = open(p, {Flag::AddAddress, Flag::AddCountry, Flag::SlipAOwnerIsSender},
                             {{Personal::stat, "SR"}});
        QCOMPARE(w->od3->text(), QStringLiteral(" SR"));
        QCOMPARE(w->od2->text(), QStringLiteral(" "));
    }

    void clearEmptiesPersonalFieldsAndVariableSymbol()
    {
        Program p;
        TApoukazka* w = open(p, {Flag::AddName, Flag::SlipAOwnerIsSender});
        w->vsymbol->setText("777");
        w->suma->setText("10");
        w->banka->setEditText("typed bank");
        w->ClearPersonalFields();
        QCOMPARE(personalTexts(w), QStringList(12, QString()));
        QCOMPARE(w->suma->text(), QStringLiteral("10"));
        w->FillFromPersonalData();
        QCOMPARE(w->od1->text(), QStringLiteral("Ing. Ján Košický"));
    }

    void bankListIsCreatedAndLoaded()
    {
        Program p;
        TApoukazka* first = open(p, {Flag::AddBank, Flag::SlipAOwnerIsRecipient});
        QVERIFY(p.folder.exists("banky.cbx"));
        QCOMPARE(p.folder.read("banky.cbx"), QByteArray());
        QCOMPARE(first->banka->count(), 0);
        first->close();

        p.folder.write("banky.cbx", toCp1250(QStringLiteral("Slovenská sporiteľňa\r\nVÚB\nTatra banka\rPoštová banka")).c_str());
        auto* w = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        QStringList items;
        for (int i = 0; i < w->banka->count(); ++i)
            items << w->banka->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("Slovenská sporiteľňa"), QStringLiteral("VÚB"),
                                     QStringLiteral("Tatra banka"), QStringLiteral("Poštová banka")}));
        QCOMPARE(w->banka->currentText(), QStringLiteral("Moja banka")); // not in the list, kept
    }

    void unreadableBankListOpensTheWindowAnyway()
    {
        Program p;
        QDir().mkpath(p.folder.file("banky.cbx"));
        TApoukazka* w = open(p, {Flag::AddName, Flag::SlipAOwnerIsSender});
        QVERIFY(w);
        QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Súbor „%1“ nie je obyčajný súbor, program ho nečíta.")
                                                      .arg(p.folder.file("banky.cbx"))});
        QCOMPARE(w->banka->count(), 0);
        QCOMPARE(w->od1->text(), QStringLiteral("Ing. Ján Košický"));
    }

    void shownLinesOfTheMemo()
    {
        Program p;
        TApoukazka* w = open(p, {});
        w->nazov_uctu->setPlainText("one\ntwo\n");
        QCOMPARE(ShownLines(w->nazov_uctu), (QStringList{"one", "two"})); // a last empty line does not count
        w->nazov_uctu->setPlainText("one\n\nthree");
        QCOMPARE(ShownLines(w->nazov_uctu), (QStringList{"one", "", "three"}));
        w->nazov_uctu->setPlainText("");
        QCOMPARE(ShownLines(w->nazov_uctu), QStringList());
        const QString longName = QStringLiteral("Združenie vlastníkov bytov a nebytových priestorov Košice");
        w->nazov_uctu->setPlainText(longName);
        const QStringList wrapped = ShownLines(w->nazov_uctu);
        QVERIFY(wrapped.size() >= 2); // wrapped at the memo's width
        QCOMPARE(wrapped.join(QString()), longName);
    }

    void printsEveryRow()
    {
        Program p;
        TApoukazka* w = open(p, {Flag::AddBank, Flag::AddAccount, Flag::AddConstantSymbol, Flag::SlipAOwnerIsRecipient});
        p.app->settings().setPrintFontSize(10);
        w->suma->setText("250");
        w->hal->setText("5");
        w->slovom1->setText("-dvestopäťdesiat-");
        w->slovomh->setText("-x-");
        w->nazov_uctu->setPlainText("A\nB\nC");
        w->vakup->setText("040"); // three characters: boxes 4 and 5 empty
        w->vsymbol->setText("2026");
        w->od1->setText("Eva");
        w->od2->setText("Nova 1");
        w->odpsc->setText("81101");
        w->od3->setText("Bratislava");
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();

        const QString bank = QStringLiteral("Moja banka");
        const QList<ExpectedRow> rows = {
            {"-250-", 8, 39, 77}, {"-50-", 8, 69, 77}, {QStringLiteral("-dvestopäťdesiat-"), 16, 14, 77},
            {"", 21, 5, 77}, {"-x-", 21, 65, 54}, {bank, 27, 22, 77}, {"123456", 31, 40, 77}, {"0200", 31, 63, 77},
            {"0558", 42, 3, 77}, {"A", 40, 29, 77}, {"B", 43, 29, 77}, {"C", 46, 29, 77},
            {"0", 50, 4, 77, 43}, {"4", 50, 7, 77, 43}, {"0", 50, 10, 77, 43}, {"", 50, 15, 77, 43},
            {"", 50, 18, 77, 43}, {QStringLiteral("Košice 1"), 50, 25, 77}, {"Eva", 57, 25, 77},
            {"Nova 1", 63, 25, 77}, {"8", 69, 4, 77, 43}, {"1", 69, 7, 77, 43}, {"1", 69, 10, 77, 43},
            {"0", 69, 15, 77, 43}, {"1", 69, 18, 77, 43}, {"Bratislava", 69, 25, 77},
            // area 2
            {"-250-", 8, 90, 77}, {"-50-", 8, 129, 77}, {"A", 15, 83, 77}, {"B", 18, 83, 77}, {"C", 21, 83, 77},
            {bank, 30, 97, 77}, {"123456", 34, 100, 77}, {"0200", 34, 121, 77}, {"2026", 41, 97, 77},
            {"0558", 49, 123, 77}, {"Eva", 57, 85, 77}, {"Nova 1", 63, 85, 77}, {"81101 Bratislava", 69, 85, 77},
            // area 3
            {"-250-", 8, 145, 77}, {"-50-", 8, 180, 77}, {"A", 15, 140, 77}, {"B", 18, 140, 77}, {"C", 21, 140, 77},
            {bank, 30, 150, 77}, {"123456", 34, 154, 77}, {"0200", 34, 177, 77}, {"2026", 41, 154, 77},
            {"0558", 49, 175, 77}, {"Eva", 57, 142, 77}, {"Nova 1", 63, 142, 77}, {"81101 Bratislava", 69, 142, 77},
            // area 4 at 0.9
            {"-250-", 8, 195, 69}, {"-50-", 8, 229, 69}, {"A", 15, 190, 69}, {"B", 18, 190, 69}, {"C", 21, 190, 69},
            {bank, 30, 195, 69}, {"123456/0200", 34, 203, 69}, {"Eva", 57, 205, 69}, {"Nova 1", 63, 192, 69},
            {"81101 Bratislava", 69, 192, 69},
        };
        QVERIFY(checkRows(canvas.drawn, rows, ExamplePrinter, 102));
    }

    void emptyMemoDrawsNoRowsAndStepsFollowTheBaseSize()
    {
        // A base size of 75: row 5 at 52, rows 6-46 at 74, the last area at 67.
        Program p;
        TApoukazka* w = open(p, {}, {});
        p.app->settings().setPrintFontSize(10);
        RecordingCanvas canvas({4724, 6660, 200, 287});
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1Click();
        QCOMPARE(canvas.drawn.size(), 50); // 54 rows less the four memo loops
        QList<int> sizes;
        for (const RotatedText& t : canvas.drawn)
            sizes << t.size;
        QList<int> expected = {75, 75, 75, 75, 52};
        while (expected.size() < 43)
            expected << 74;
        while (expected.size() < 50)
            expected << 67;
        QCOMPARE(sizes, expected);
        QCOMPARE(canvas.drawn[1].text, QStringLiteral("-0-") + QString(44, ' ')); // empty hal prints -0-
    }
};

QTEST_MAIN(SlipATest)
#include "test_slip_a.moc"
