// Slip C: the window's controls, its fill operations, and every printed row.
#include "ui/frame/DocumentKind.h"
#include "ui/slips/TCpoukazka.h"
#include "support/Fixture.h"
#include "support/LayoutCheck.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>

class SlipCTest : public QObject {
    Q_OBJECT

    TCpoukazka* open(Program& p, const QList<Flag>& flags, bool owner = true)
    {
        return owner ? openWith<TCpoukazka>(p, FormKind::SlipC, flags)
                     : openWith<TCpoukazka>(p, FormKind::SlipC, flags, {});
    }

    static QStringList texts(TCpoukazka* w)
    {
        QStringList t;
        for (QLineEdit* e : {w->ad1, w->ad2, w->adpsc, w->ad3, w->od1, w->od2, w->odpsc, w->od3})
            t << e->text();
        return t;
    }

private slots:
    void controls()
    {
        Program p;
        TCpoukazka* w = open(p, {});
        struct {
            QLineEdit* e;
            QRect geometry;
            int max;
        } expected[] = {{w->ad1, {72, 104, 233, 21}, 32767}, {w->ad2, {72, 128, 233, 21}, 32767},
                        {w->adpsc, {8, 152, 57, 21}, 5},     {w->ad3, {72, 152, 233, 21}, 32767},
                        {w->od1, {72, 184, 233, 21}, 32767}, {w->od2, {72, 208, 233, 21}, 32767},
                        {w->odpsc, {8, 232, 57, 21}, 5},     {w->od3, {72, 232, 233, 21}, 32767}};
        for (const auto& e : expected) {
            QCOMPARE(e.e->geometry(), e.geometry);
            QCOMPARE(e.e->maxLength(), e.max);
            QVERIFY(e.e->font().bold());
        }
        QCOMPARE(tabChain(w->suma, w->client(), 10), (QList<QWidget*>{w->suma, w->hal, w->ad1, w->ad2, w->adpsc, w->ad3, w->od1, w->od2, w->odpsc,
                                          w->od3}));
    }

    void fill_data()
    {
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QStringList>("fields"); // ad1 ad2 adpsc ad3 od1 od2 odpsc od3
        using L = QList<Flag>;
        QTest::newRow("nothing set") << L{} << QStringList(8, QString());
        QTest::newRow("recipient, name and address")
            << L{Flag::AddName, Flag::AddAddress, Flag::SlipCOwnerIsRecipient}
            << QStringList{QStringLiteral("Ing. Ján Košický"), QStringLiteral("Hlavná 12"), "04001",
                           QStringLiteral("Košice"), "", "", "", ""};
        QTest::newRow("sender with country")
            << L{Flag::AddName, Flag::AddAddress, Flag::AddCountry, Flag::SlipCOwnerIsSender}
            << QStringList{"", "", "", "", QStringLiteral("Ing. Ján Košický"), QStringLiteral("Hlavná 12"), "04001",
                           QStringLiteral("Košice SR")};
        QTest::newRow("country without address adds nothing")
            << L{Flag::AddCountry, Flag::SlipCOwnerIsSender} << QStringList(8, QString());
        QTest::newRow("address without name")
            << L{Flag::AddAddress, Flag::SlipCOwnerIsRecipient}
            << QStringList{"", QStringLiteral("Hlavná 12"), "04001", QStringLiteral("Košice"), "", "", "", ""};
        QTest::newRow("both owner flags fill both blocks")
            << L{Flag::AddName, Flag::SlipCOwnerIsRecipient, Flag::SlipCOwnerIsSender}
            << QStringList{QStringLiteral("Ing. Ján Košický"), "", "", "", QStringLiteral("Ing. Ján Košický"), "", "", ""};
        QTest::newRow("flags without an owner side") << L{Flag::AddName, Flag::AddAddress} << QStringList(8, QString());
    }
    void fill()
    {
        QFETCH(QList<Flag>, flags);
        QFETCH(QStringList, fields);
        Program p;
        TCpoukazka* w = open(p, flags);
        QCOMPARE(texts(w), fields);
        QCOMPARE(w->suma->text(), QStringLiteral("0"));
        QCOMPARE(w->hal->text(), QStringLiteral("0"));
    }

    void emptyTitleLeavesTheBlank()
    {
        Program p;
        auto* w = openWith<TCpoukazka>(p, FormKind::SlipC, {Flag::AddName, Flag::SlipCOwnerIsSender},
                                       {{Personal::meno, "Eva"}, {Personal::priezvisko, "Mala"}});
        QCOMPARE(w->od1->text(), QStringLiteral(" Eva Mala"));
    }

    void clearThenFillRefillsTheOwnerSide()
    {
        Program p;
        TCpoukazka* w = open(p, {Flag::AddName, Flag::SlipCOwnerIsRecipient});
        w->od1->setText("typed");
        w->ad1->setText("typed");
        w->suma->setText("55");
        w->ClearPersonalFields();
        w->FillFromPersonalData();
        QCOMPARE(w->od1->text(), QString());
        QCOMPARE(w->ad1->text(), QStringLiteral("Ing. Ján Košický"));
        QCOMPARE(w->suma->text(), QStringLiteral("55"));
    }

    void printsEveryRow()
    {
        Program p;
        TCpoukazka* w = open(p, {Flag::AddName, Flag::AddAddress, Flag::SlipCOwnerIsSender});
        p.app->settings().setPrintFontSize(10);
        w->suma->setText("1234");
        w->hal->setText("5");
        w->slovom1->setText("-slovo1-");
        w->slovom2->setText("druhy");
        w->slovomh->setText(QStringLiteral("-päťdesiat-"));
        w->ad1->setText(QStringLiteral("Mária Veselá"));
        w->ad2->setText(QStringLiteral("Dlhá 5"));
        w->adpsc->setText("811"); // short postcode: boxes 4 and 5 stay empty
        w->ad3->setText("Bratislava");
        RecordingCanvas recorder(ExamplePrinter);
        RecordingCanvas* canvas = &recorder;
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(recorder); };
        p.platform.onDialog = [](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click(); };
        w->Tlai1->trigger();
        QCOMPARE(canvas->begun, 1);
        QCOMPARE(canvas->ended, 1);
        const QString od1 = QStringLiteral("Ing. Ján Košický"), od2 = QStringLiteral("Hlavná 12"),
                      od3 = QStringLiteral("Košice"), ad1 = QStringLiteral("Mária Veselá"), ad2 = QStringLiteral("Dlhá 5");
        const QList<ExpectedRow> rows = {
            {"-1234-", 11, 35, 77}, {"-50-", 11, 72, 77}, {"-slovo1-", 16, 15, 77}, {"druhy", 22, 5, 77},
            {QStringLiteral("-päťdesiat-"), 22, 55, 77}, {ad1, 35, 13, 77}, {ad2, 41, 13, 77},
            {"8", 47, 1, 77, 43}, {"1", 47, 4, 77, 43}, {"1", 47, 7, 77, 43}, {"", 47, 13, 77, 43},
            {"", 47, 16, 77, 43}, {"Bratislava", 47, 24, 77}, {od1, 59, 24, 77}, {od2, 65, 24, 77},
            {"0", 71, 1, 77, 43}, {"4", 71, 4, 77, 43}, {"0", 71, 7, 77, 43}, {"0", 71, 13, 77, 43},
            {"1", 71, 16, 77, 43}, {od3, 71, 24, 77},
            {"-1234-", 11, 90, 77}, {"-50-", 11, 127, 77}, {ad1, 35, 85, 77}, {ad2, 41, 85, 77},
            {"811", 47, 85, 77, 43}, {"Bratislava", 47, 97, 77}, {od1, 59, 85, 77}, {od2, 65, 85, 77},
            {"04001", 71, 85, 77, 43}, {od3, 71, 97, 77},
            {"-1234-", 11, 148, 77}, {"-50-", 11, 175, 77}, {ad1, 35, 142, 77}, {ad2, 41, 142, 77},
            {"811", 47, 142, 77, 43}, {"Bratislava", 47, 153, 77}, {od1, 59, 142, 77}, {od2, 65, 142, 77},
            {"04001", 71, 142, 77, 43}, {od3, 71, 153, 77},
            {"-1234-", 11, 198, 77}, {"-50-", 11, 227, 77}, {ad1, 35, 192, 77}, {ad2, 41, 192, 77},
            {"811", 47, 191, 77, 43}, {"Bratislava", 47, 202, 77}, {od1, 59, 192, 77}, {od2, 65, 192, 77},
            {"04001", 71, 191, 77, 43}, {od3, 71, 202, 77},
        };
        QCOMPARE(rows.size(), 51);
        QVERIFY(checkRows(canvas->drawn, rows, ExamplePrinter, 102));
        QCOMPARE(canvas->drawn[3].x, 1889); // slovom2: the two terms rounded apart
        QCOMPARE(w->suma->text(), QStringLiteral("1234")); // printing changes nothing
    }

    void amountFramesAndEmptyFields_data()
    {
        QTest::addColumn<QString>("suma");
        QTest::addColumn<QString>("hal");
        QTest::addColumn<QString>("sumaDrawn");
        QTest::addColumn<QString>("halDrawn");
        QTest::newRow("hal 0") << "7" << "0" << "-7-" << "-00-";
        QTest::newRow("hal empty") << "7" << "" << "-7-" << "-0-";
        QTest::newRow("suma 0") << "0" << "1" << "-0-" << "-10-";
        QTest::newRow("suma empty") << "" << "1" << "--" << "-10-";
        QTest::newRow("not all digits, refused") << "12x" << "1" << "" << "";
    }
    void amountFramesAndEmptyFields()
    {
        QFETCH(QString, suma);
        QFETCH(QString, hal);
        QFETCH(QString, sumaDrawn);
        QFETCH(QString, halDrawn);
        Program p;
        TCpoukazka* w = open(p, {}, false);
        w->suma->setText(suma);
        w->hal->setText(hal);
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1Click();
        if (sumaDrawn.isEmpty()) {
            // A slip whose amount contradicts its words is not printed.
            QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Chybý zápis číslice ") + suma});
            QCOMPARE(canvas.drawn.size(), 0);
            return;
        }
        QCOMPARE(canvas.drawn.size(), 51);
        const QString spaces(44, QLatin1Char(' '));
        for (int row : {0, 21, 31, 41})
            QCOMPARE(canvas.drawn[row].text, sumaDrawn + spaces);
        for (int row : {1, 22, 32, 42})
            QCOMPARE(canvas.drawn[row].text, halDrawn + spaces);
        QCOMPARE(canvas.drawn[5].text, spaces); // empty ad1: only its spaces
    }

    void cancelledDialogPrintsNothing()
    {
        Program p;
        TCpoukazka* w = open(p, {});
        w->Tlai1->trigger();
        QCOMPARE(p.platform.printDialogs, 1);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void printerWithoutSizeGetsAMessage()
    {
        Program p;
        TCpoukazka* w = open(p, {});
        RecordingCanvas canvas({4724, 6778, 0, 287});
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1Click();
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY(p.platform.messages.first().startsWith(QStringLiteral("Tlačiareň")));
        QCOMPARE(canvas.begun, 0);
        QVERIFY(canvas.drawn.isEmpty());
    }
};

QTEST_MAIN(SlipCTest)
#include "test_slip_c.moc"
