// What the slip windows hand to the print: every field a layout names, the
// lines a memo really shows, and fill texts that are not cut where they
// should not be.
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/MemoLines.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"

#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

// The lines the memo's own document layout has laid out, as the user sees them.
static QStringList linesOnScreen(QPlainTextEdit* memo)
{
    QStringList lines;
    for (QTextBlock block = memo->document()->firstBlock(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (block.text().isEmpty()) {
            if (block.next().isValid())
                lines << QString();
            continue;
        }
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

class SlipTextsTest : public QObject {
    Q_OBJECT
private slots:
    void everyLayoutFieldHasItsControl_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("A") << FormKind::SlipA;
        QTest::newRow("C") << FormKind::SlipC;
        QTest::newRow("D") << FormKind::SlipD;
    }
    void everyLayoutFieldHasItsControl()
    {
        QFETCH(FormKind, kind);
        Program p;
        auto* w = openWith<SlipWindow>(p, kind, {});
        QVERIFY(w);
        QCOMPARE(MissingFields(w->form().layout, w->fieldTexts()), QStringList());
        // And the texts are the controls' own.
        w->suma->setText("4711");
        QCOMPARE(w->fieldTexts().text("suma"), QStringLiteral("4711"));
    }

    void printedMemoLinesAreTheLinesOnScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::newRow("two short lines") << QStringLiteral("Spolok\nKošice") << 2;
        QTest::newRow("a long name wraps") << QStringLiteral(
            "Združenie vlastníkov bytov a nebytových priestorov na ulici Hlavnej v Košiciach") << 3;
        QTest::newRow("a word wider than the memo") << QStringLiteral("Veľmidlhýnázovúčtubezmedzierktorýsanezmestí") << 2;
        QTest::newRow("an empty line inside") << QStringLiteral("prvý\n\ntretí") << 3;
        QTest::newRow("trailing line end") << QStringLiteral("jeden\n") << 1;
    }
    void printedMemoLinesAreTheLinesOnScreen()
    {
        QFETCH(QString, text);
        QFETCH(int, lines);
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        w->nazov_uctu->setPlainText(text);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCoreApplication::processEvents();
        const QStringList screen = linesOnScreen(w->nazov_uctu);
        QVERIFY2(screen.size() >= lines, qPrintable(screen.join('|')));
        QCOMPARE(ShownLines(w->nazov_uctu), screen);
        QCOMPARE(w->fieldTexts().lines("nazov_uctu"), screen);
    }

    void slipDSenderStreetIsNotCut()
    {
        // Only the name line is a short string; the street goes on after it whole.
        const QString street = QString(250, QLatin1Char('u'));
        Program p;
        auto* w = openWith<TDpoukazka>(p, FormKind::SlipD, {Flag::AddName, Flag::AddAddress, Flag::SlipDOwnerIsSender},
                                       {{Personal::meno, QStringLiteral("Ján")},
                                        {Personal::ulica, street},
                                        {Personal::cd, QStringLiteral("12")}});
        QCOMPARE(w->od2->text(), QStringLiteral(" Ján , ") + street + QStringLiteral(" 12"));
        QVERIFY(w->od2->text().size() > 255);
    }

    void slipDRecipientStreetIsAShortString()
    {
        const QString street = QString(250, QLatin1Char('u'));
        Program p;
        auto* w = openWith<TDpoukazka>(p, FormKind::SlipD, {Flag::AddAddress, Flag::SlipDOwnerIsRecipient},
                                       {{Personal::ulica, street}, {Personal::cd, QStringLiteral("123456789")}});
        QCOMPARE(w->ad2->text(), (street + QStringLiteral(" 123456789")).left(255));
    }
};

QTEST_MAIN(SlipTextsTest)
#include "test_slip_texts.moc"
