// The amount fields on the three slip windows, driven through the keyboard.
#include "ui/frame/DocumentKind.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"

#include <QClipboard>
#include <QLineEdit>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

static SlipWindow* openSlip(Program& p, FormKind kind, bool autoWords = true)
{
    p.folder.write("program.nas", autoWords ? settingsBytes({Flag::AutoAmountInWords, Flag::AllowMultipleForms})
                                            : settingsBytes({Flag::AllowMultipleForms}));
    p.loadRecords();
    return qobject_cast<SlipWindow*>(OpenDocumentWindow(*p.app, kind));
}

static void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

class AmountFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void sumaWords_data()
    {
        QTest::addColumn<QString>("suma");
        QTest::addColumn<QString>("slovom1");
        QTest::addColumn<QString>("slovom2");
        QTest::newRow("0") << "0" << "--nula--" << "";
        QTest::newRow("5") << "5" << QStringLiteral("-päť-") << "";
        QTest::newRow("1234") << "1234" << QStringLiteral("-jedentisícdvestotridsaťštyri-") << "";
        QTest::newRow("12345, exactly 30 letters")
            << "12345" << QStringLiteral("-dvanásťtisíctristoštyridsaťpäť-") << "";
        QTest::newRow("19999") << "19999" << QStringLiteral("-devätnásťtisícdeväťstodeväťdes")
                               << QStringLiteral("iatdeväť-");
        QTest::newRow("999999") << "999999" << QStringLiteral("-deväťstodeväťdesiatdeväťtisícd")
                                << QStringLiteral("eväťstodeväťdesiatdeväť-");
        QTest::newRow("171471, 53 letters") << "171471" << QStringLiteral("-jednostosedemdesiatjedentisícš")
                                            << QStringLiteral("tyristosedemdesiatjeden-");
    }
    void sumaWords()
    {
        QFETCH(QString, suma);
        QFETCH(QString, slovom1);
        QFETCH(QString, slovom2);
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            Program p;
            SlipWindow* w = openSlip(p, kind);
            retype(w->suma, suma);
            QCOMPARE(w->slovom1->text(), slovom1);
            QCOMPARE(w->slovom2->text(), slovom2);
            QVERIFY(p.platform.messages.isEmpty());
        }
    }

    // Typing a wrong amount is told but kept; the print and the preview
    // refuse it with the same message, so no slip shows digits its words deny.
    void printRefusesAmountsNotAllDigits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("autoWords");
        QTest::newRow("thousands apart") << "suma" << "1 000" << true;
        QTest::newRow("decimal comma") << "suma" << "12,50" << true;
        QTest::newRow("minus") << "suma" << "-1" << true;
        QTest::newRow("exponent") << "suma" << "1e5" << true;
        QTest::newRow("hellers") << "hal" << "x" << true;
        QTest::newRow("without words too") << "suma" << "12,50" << false;
        QTest::newRow("digits print") << "suma" << "1000" << true;
        QTest::newRow("empty prints") << "hal" << "" << true;
    }
    void printRefusesAmountsNotAllDigits()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, autoWords);
        const bool good = text.isEmpty() || text == QLatin1String("1000");
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            Program p;
            SlipWindow* w = openSlip(p, kind, autoWords);
            retype(w->findChild<QLineEdit*>(field), text);
            const qsizetype typed = p.platform.messages.size();
            w->Tlai1->trigger();
            w->Ukkapredtlaou1->trigger();
            if (good) {
                QCOMPARE(p.platform.messages.size(), typed);
                QCOMPARE(p.platform.printDialogs, 1);
                QCOMPARE(p.platform.dialogsRun, 1);
                continue;
            }
            const QString expected = QStringLiteral("Chybý zápis číslice ") + text;
            QCOMPARE(p.platform.messages.mid(typed), (QStringList{expected, expected}));
            QCOMPARE(p.platform.printDialogs, 0);
            QCOMPARE(p.platform.dialogsRun, 0);
            // The alignment sheet prints none of the texts, so it still opens.
            w->Zarovnanietlaiarne1->trigger();
            QCOMPARE(p.platform.dialogsRun, 1);
            QCOMPARE(p.platform.messages.size(), typed + 2);
        }
    }

    void emptySumaShowsNula()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipC);
        retype(w->suma, "999999");
        w->suma->setFocus();
        w->suma->selectAll();
        QTest::keyClick(w->suma, Qt::Key_Backspace);
        QCOMPARE(w->suma->text(), QString());
        QCOMPARE(w->slovom1->text(), QStringLiteral("- nula -"));
        QCOMPARE(w->slovom2->text(), QString()); // no stale second line
    }

    void shorterAmountClearsTheSecondLine()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipA);
        retype(w->suma, "999999");
        QVERIFY(!w->slovom2->text().isEmpty());
        retype(w->suma, "7");
        QCOMPARE(w->slovom1->text(), QStringLiteral("-sedem-"));
        QCOMPARE(w->slovom2->text(), QString());
    }

    void halWords_data()
    {
        QTest::addColumn<QString>("hal");
        QTest::addColumn<QString>("slovomh");
        QTest::newRow("5") << "5" << QStringLiteral("-päťdesiat-");
        QTest::newRow("1") << "1" << QStringLiteral("-desať-");
        QTest::newRow("0") << "0" << QStringLiteral("--");
        QTest::newRow("9") << "9" << QStringLiteral("-deväťdesiat-");
    }
    void halWords()
    {
        QFETCH(QString, hal);
        QFETCH(QString, slovomh);
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipA); // slip A starts with an empty hal
        QTest::keyClicks(w->hal, hal);
        QCOMPARE(w->slovomh->text(), slovomh);
        QTest::keyClick(w->hal, Qt::Key_Backspace);
        QCOMPARE(w->slovomh->text(), QStringLiteral("- nula -"));
    }

    void typingCharacterByCharacterFollowsEveryChange()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipD);
        w->suma->clear();
        QStringList seen;
        connect(w->slovom1, &QLineEdit::textChanged, [&](const QString& t) { seen << t; });
        QTest::keyClicks(w->suma, "123");
        QCOMPARE(seen, (QStringList{QStringLiteral("-jeden-"), QStringLiteral("-dvanásť-"),
                                    QStringLiteral("-jednostodvadsaťtri-")}));
        QCOMPARE(w->suma->maxLength(), 6);
        QTest::keyClicks(w->suma, "45678"); // only six characters fit
        QCOMPARE(w->suma->text(), QStringLiteral("123456"));
    }

    void pastedLetterGivesOneMessageAndKeepsTheWords()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipC);
        retype(w->suma, "25");
        const QString before = w->slovom1->text();
        QGuiApplication::clipboard()->setText("3x");
        w->suma->setFocus();
        w->suma->end(false);
        w->suma->paste();
        QCOMPARE(w->suma->text(), QStringLiteral("253x")); // the field keeps what was typed
        QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Chybý zápis číslice 253x")});
        QCOMPARE(w->slovom1->text(), before);

        retype(w->hal, "4");
        w->hal->selectAll();
        QTest::keyClicks(w->hal, "a"); // one change: "4" becomes "a"
        QCOMPARE(p.platform.messages.last(), QStringLiteral("Chybý zápis číslice a"));
        QCOMPARE(p.platform.messages.size(), 2);
        QCOMPARE(w->slovomh->text(), QStringLiteral("-štyridsať-"));
    }

    void nothingHappensWithTheFlagOff()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipA, false);
        typeText(w->slovom1, QStringLiteral("ručne písané"));
        retype(w->suma, "12q");
        QTest::keyClicks(w->hal, "z");
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(w->slovom1->text(), QStringLiteral("ručne písané"));
        QCOMPARE(w->slovomh->text(), QString());
    }

    void fieldsOnEachWindow_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QString>("hal");
        QTest::addColumn<QColor>("wordsColour");
        QTest::newRow("A") << FormKind::SlipA << "" << QColor(188, 233, 206);
        QTest::newRow("C") << FormKind::SlipC << "0" << QColor(0xBD, 0xC4, 0xE8);
        QTest::newRow("D") << FormKind::SlipD << "0" << QColor(0xDF, 0xC4, 0xCC);
    }
    void fieldsOnEachWindow()
    {
        QFETCH(FormKind, kind);
        QFETCH(QString, hal);
        QFETCH(QColor, wordsColour);
        Program p;
        SlipWindow* w = openSlip(p, kind);
        QCOMPARE(w->suma->text(), QStringLiteral("0"));
        QCOMPARE(w->hal->text(), hal);
        QCOMPARE(w->hal->maxLength(), 1);
        QVERIFY(w->suma->font().bold());
        // The initial texts are not converted on opening.
        for (QLineEdit* words : {w->slovom1, w->slovom2, w->slovomh}) {
            QCOMPARE(words->text(), QString());
            QCOMPARE(words->focusPolicy(), Qt::ClickFocus);
            QVERIFY(!words->isReadOnly());
            QCOMPARE(words->palette().color(QPalette::Base), wordsColour);
        }
        QCOMPARE(w->suma->geometry().topLeft(), QPoint(176, 8));
        QCOMPARE(w->suma->width(), 73);
        QCOMPARE(w->hal->geometry().topLeft(), QPoint(272, 8));
        QCOMPARE(w->slovom1->geometry().topLeft(), QPoint(64, 40));
        QCOMPARE(w->slovom1->width(), 241);
        QCOMPARE(w->slovom2->geometry().topLeft(), QPoint(3, 64));
        QCOMPARE(w->slovomh->geometry().topLeft(), QPoint(224, 64));
        QCOMPARE(w->suma->nextInFocusChain(), w->hal);
    }

    void textOutsideTheCodePageIsRefused()
    {
        Program p;
        SlipWindow* w = openSlip(p, FormKind::SlipC);
        typeText(w->slovom1, QStringLiteral("a☺b"));
        QCOMPARE(w->slovom1->text(), QStringLiteral("ab"));
    }
};

QTEST_MAIN(AmountFieldsTest)
#include "test_amount_fields.moc"
