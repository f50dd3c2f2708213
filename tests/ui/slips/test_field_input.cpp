// What the slip windows' fields take and show: filled texts from their
// beginning, the bank list readable, the window font in the bank combo, and
// no character the code page cannot hold, typed or pasted.
#include "ui/widgets/Controls.h"
#include "ui/frame/DocumentKind.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QtTest>

Q_DECLARE_METATYPE(FormKind)

// A name longer than any of the edits is wide.
static const QString LongName = QStringLiteral("Ľubomír Alexander Maximilián Šťastný-Rozhodný z Dolného Kubína a Čierneho Balogu");
static const QString LongBank = QStringLiteral("Všeobecná úverová banka, a. s., pobočka Košice – Staré Mesto");
static const QString Emoji = QStringLiteral("😀"); // outside the basic plane: two UTF-16 units
static const QString Omega = QStringLiteral("Ω"); // Greek: not in code page 1250
static const QString GoodText = QStringLiteral("Ľubošť ő €"); // all of it in code page 1250

static DocumentWindow* openKind(Program& p, FormKind kind, const QList<Flag>& flags,
                                std::initializer_list<std::pair<Personal, QString>> personal = Owner)
{
    return openWith<DocumentWindow>(p, kind, flags, personal);
}

// The edit the user types into: an edit itself, or a combo's edit.
static QWidget* typingTarget(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    return control;
}

static QString textOf(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        return memo->toPlainText();
    return qobject_cast<QLineEdit*>(control)->text();
}

// One key press carrying `text` whole, as a keyboard sends a character
// outside the basic plane.
static void pressCharacter(QWidget* widget, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

static void pasteWithKeys(QWidget* target, const QString& clip)
{
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

static bool onlyCodePageHints(const TestPlatform& platform, QWidget* field, qsizetype count)
{
    if (platform.hints.size() != count)
        return false;
    for (const auto& [where, text] : platform.hints)
        if (where != field || text != CodePageHint)
            return false;
    return true;
}

class FieldInputTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QGuiApplication::clipboard()->clear(); }

    void filledFieldsShowTheirBeginning_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("A sender and bank")
            << FormKind::SlipA
            << QList<Flag>{Flag::AddName, Flag::AddAddress, Flag::SlipAOwnerIsSender, Flag::AddBank,
                           Flag::AddAccount, Flag::SlipAOwnerIsRecipient}
            << QStringList{"od1", "od2", "od3", "banka", "vakup2"};
        QTest::newRow("C recipient")
            << FormKind::SlipC << QList<Flag>{Flag::AddName, Flag::AddAddress, Flag::SlipCOwnerIsRecipient}
            << QStringList{"ad1", "ad2", "ad3"};
        QTest::newRow("C sender") << FormKind::SlipC
                                  << QList<Flag>{Flag::AddName, Flag::AddAddress, Flag::SlipCOwnerIsSender}
                                  << QStringList{"od1", "od2", "od3"};
        QTest::newRow("D recipient")
            << FormKind::SlipD << QList<Flag>{Flag::AddName, Flag::AddAddress, Flag::SlipDOwnerIsRecipient}
            << QStringList{"ad1", "ad2", "ad3"};
        QTest::newRow("D sender and bank")
            << FormKind::SlipD
            << QList<Flag>{Flag::AddName, Flag::AddAddress, Flag::AddBank, Flag::SlipDOwnerIsSender}
            << QStringList{"od2", "od3", "banka"};
    }
    void filledFieldsShowTheirBeginning()
    {
        QFETCH(FormKind, kind);
        QFETCH(QList<Flag>, flags);
        QFETCH(QStringList, fields);
        Program p;
        DocumentWindow* w = openKind(p, kind, flags,
                                     {{Personal::meno, LongName},
                                      {Personal::ulica, LongName},
                                      {Personal::mesto, LongName},
                                      {Personal::PU, LongBank},
                                      {Personal::pv2, LongName}});
        QVERIFY(w);
        for (const QString& name : fields) {
            auto* edit = qobject_cast<QLineEdit*>(typingTarget(w->client()->findChild<QWidget*>(name)));
            QVERIFY2(edit, qPrintable(name));
            QVERIFY2(edit->text().size() > 40, qPrintable(name + ": " + edit->text()));
            QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width(), qPrintable(name));
            QVERIFY2(edit->cursorPosition() == 0,
                     qPrintable(QStringLiteral("%1: cursor at %2").arg(name).arg(edit->cursorPosition())));
        }
    }

    void bankListOpensWideEnoughToRead_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("A") << FormKind::SlipA;
        QTest::newRow("D") << FormKind::SlipD;
    }
    void bankListOpensWideEnoughToRead()
    {
        QFETCH(FormKind, kind);
        Program p;
        const QString list = QStringLiteral("VÚB\r\n") + LongBank + QStringLiteral("\r\nTatra banka\r\n");
        p.folder.write("banky.cbx", QByteArray::fromStdString(toCp1250(list)));
        DocumentWindow* w = openKind(p, kind, {});
        auto* banka = w->client()->findChild<QComboBox*>("banka");
        QVERIFY(banka);
        QCOMPARE(banka->count(), 3);
        QCOMPARE(banka->itemText(1), LongBank);
        const int needed = banka->view()->fontMetrics().horizontalAdvance(LongBank);
        QVERIFY(needed > banka->width()); // the name would not fit a list as wide as the combo
        QVERIFY(banka->view()->minimumWidth() >= needed);

        banka->showPopup();
        QVERIFY(banka->view()->isVisible());
        QVERIFY2(banka->view()->viewport()->width() >= needed,
                 qPrintable(QStringLiteral("%1 < %2").arg(banka->view()->viewport()->width()).arg(needed)));
        banka->hidePopup();
    }

    void bankComboTakesTheWindowFont_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::newRow("A") << FormKind::SlipA;
        QTest::newRow("D") << FormKind::SlipD;
    }
    void bankComboTakesTheWindowFont()
    {
        QFETCH(FormKind, kind);
        Program p;
        DocumentWindow* w = openKind(p, kind, {});
        auto* banka = w->client()->findChild<QComboBox*>("banka");
        QVERIFY(banka);
        QCOMPARE(banka->font().pixelSize(), SmallFontPixels);
        QCOMPARE(banka->font().family(), w->client()->font().family());
        QCOMPARE(w->client()->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(QFontInfo(banka->lineEdit()->font()).family(), QFontInfo(w->client()->font()).family());
        QCOMPARE(banka->lineEdit()->font().pixelSize(), SmallFontPixels);
    }

    void typedCharacterOutsideTheCodePageIsRefusedWithAHint_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("character");
        for (const QString& c : {Omega, Emoji}) {
            const QString tag = c == Omega ? QStringLiteral("omega") : QStringLiteral("emoji");
            QTest::newRow(qPrintable("A suma " + tag)) << FormKind::SlipA << "suma" << c;
            QTest::newRow(qPrintable("A od1 " + tag)) << FormKind::SlipA << "od1" << c;
            QTest::newRow(qPrintable("A banka " + tag)) << FormKind::SlipA << "banka" << c;
            QTest::newRow(qPrintable("A nazov_uctu " + tag)) << FormKind::SlipA << "nazov_uctu" << c;
            QTest::newRow(qPrintable("C ad1 " + tag)) << FormKind::SlipC << "ad1" << c;
            QTest::newRow(qPrintable("D ucet " + tag)) << FormKind::SlipD << "ucet" << c;
            QTest::newRow(qPrintable("D banka " + tag)) << FormKind::SlipD << "banka" << c;
        }
    }
    void typedCharacterOutsideTheCodePageIsRefusedWithAHint()
    {
        QFETCH(FormKind, kind);
        QFETCH(QString, field);
        QFETCH(QString, character);
        Program p;
        DocumentWindow* w = openKind(p, kind, {});
        QWidget* control = w->client()->findChild<QWidget*>(field);
        QVERIFY(control);
        QWidget* target = typingTarget(control);
        typeText(target, QStringLiteral("12"));
        const QString before = textOf(control);
        QVERIFY(before.endsWith(QLatin1String("12"))); // typing reaches the field

        pressCharacter(target, character);
        QCOMPARE(textOf(control), before);
        QVERIFY(onlyCodePageHints(p.platform, target, 1));
        QVERIFY(p.platform.messages.isEmpty());

        typeText(target, QStringLiteral("3")); // the field goes on taking text
        QCOMPARE(textOf(control), before + QLatin1Char('3'));
        QCOMPARE(p.platform.hints.size(), 1);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void pasteOutsideTheCodePageIsRefusedWhole_data()
    {
        QTest::addColumn<FormKind>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("clip");
        for (const QString& clip : {QStringLiteral("ab") + Emoji, QStringLiteral("ab") + Omega}) {
            const QString tag = clip.contains(Omega) ? QStringLiteral("omega") : QStringLiteral("emoji");
            QTest::newRow(qPrintable("A od1 " + tag)) << FormKind::SlipA << "od1" << clip;
            QTest::newRow(qPrintable("A vakup " + tag)) << FormKind::SlipA << "vakup" << clip;
            QTest::newRow(qPrintable("A banka " + tag)) << FormKind::SlipA << "banka" << clip;
            QTest::newRow(qPrintable("A nazov_uctu " + tag)) << FormKind::SlipA << "nazov_uctu" << clip;
            QTest::newRow(qPrintable("C ad3 " + tag)) << FormKind::SlipC << "ad3" << clip;
            QTest::newRow(qPrintable("D banka " + tag)) << FormKind::SlipD << "banka" << clip;
        }
    }
    void pasteOutsideTheCodePageIsRefusedWhole()
    {
        QFETCH(FormKind, kind);
        QFETCH(QString, field);
        QFETCH(QString, clip);
        Program p;
        DocumentWindow* w = openKind(p, kind, {});
        QWidget* control = w->client()->findChild<QWidget*>(field);
        QVERIFY(control);
        QWidget* target = typingTarget(control);
        typeText(target, QStringLiteral("x"));
        QCOMPARE(textOf(control), QStringLiteral("x"));

        pasteWithKeys(target, clip);
        QCOMPARE(textOf(control), QStringLiteral("x"));
        QVERIFY(onlyCodePageHints(p.platform, target, 1));
        QVERIFY(p.platform.messages.isEmpty());

        // Text the code page holds is pasted as ever (vakup takes five characters).
        pasteWithKeys(target, GoodText);
        const QString expected = (QStringLiteral("x") + GoodText).left(field == QLatin1String("vakup") ? 5 : 100);
        QCOMPARE(textOf(control), expected);
        QCOMPARE(p.platform.hints.size(), 1);
    }

    void pasteFromTheContextMenuIsCheckedToo()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        w->od1->setText(QStringLiteral("Eva"));
        auto pasteFromMenu = [&](const QString& clip) -> bool {
            QGuiApplication::clipboard()->setText(clip);
            QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), w->od1->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(w->od1, &menuEvent);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return false;
            QAction* paste = nullptr;
            for (QAction* a : menu->actions())
                if (a->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste"))
                    paste = a;
            if (!paste || !paste->isEnabled())
                return false;
            paste->trigger();
            menu->close();
            return true;
        };
        QVERIFY(pasteFromMenu(QStringLiteral(" ") + Omega));
        QCOMPARE(w->od1->text(), QStringLiteral("Eva"));
        QVERIFY(onlyCodePageHints(p.platform, w->od1, 1));
        QVERIFY(pasteFromMenu(QStringLiteral(" Ľubošť")));
        QCOMPARE(w->od1->text(), QStringLiteral("Eva Ľubošť"));
        QCOMPARE(p.platform.hints.size(), 1);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void droppedAndComposedTextIsCheckedWhole_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("edit with room for two more") << "vakup";
        QTest::newRow("memo") << "nazov_uctu";
    }
    void droppedAndComposedTextIsCheckedWhole()
    {
        QFETCH(QString, field);
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        QWidget* control = w->client()->findChild<QWidget*>(field);
        QVERIFY(control);
        typeText(control, QStringLiteral("xyz"));
        const QString refused = QStringLiteral("ab") + Emoji;

        auto drop = [&](const QString& text) {
            QMimeData data;
            data.setText(text);
            auto* memo = qobject_cast<QPlainTextEdit*>(control);
            QWidget* target = memo ? memo->viewport() : control; // a memo takes drops on its viewport
            const QPointF at(target->width() - 2, 5);
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
        };
        drop(refused);
        QCOMPARE(textOf(control), QStringLiteral("xyz"));
        QVERIFY(onlyCodePageHints(p.platform, control, 1));

        // The committed text of an input method (a compose key, a character map).
        QInputMethodEvent composed(QString(), {});
        composed.setCommitString(refused);
        QApplication::sendEvent(control, &composed);
        QCOMPARE(textOf(control), QStringLiteral("xyz"));
        QVERIFY(onlyCodePageHints(p.platform, control, 2));

        // Text the code page holds goes in either way.
        drop(QStringLiteral("ô"));
        QCOMPARE(textOf(control), QStringLiteral("xyzô"));
        QInputMethodEvent good(QString(), {});
        good.setCommitString(QStringLiteral("ľ"));
        QApplication::sendEvent(control, &good);
        QCOMPARE(textOf(control), QStringLiteral("xyzôľ"));
        QCOMPARE(p.platform.hints.size(), 2);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void amountPasteNeverKeepsHalfACharacter()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AutoAmountInWords});
        QCOMPARE(w->suma->maxLength(), 6);
        QCOMPARE(w->suma->text(), QStringLiteral("0"));
        const QString clip = QStringLiteral("12345") + Emoji; // seven units: the sixth is half the emoji

        pasteWithKeys(w->suma, clip); // after the "0": room for five more
        QCOMPARE(w->suma->text(), QStringLiteral("0"));
        w->suma->selectAll();
        pasteWithKeys(w->suma, clip); // over the whole text: room for six
        QCOMPARE(w->suma->text(), QStringLiteral("0"));
        QVERIFY(onlyCodePageHints(p.platform, w->suma, 2));
        QVERIFY(p.platform.messages.isEmpty());

        p.app->settings().setPrintFontSize(10);
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        QVERIFY(!canvas.drawn.isEmpty());
        QVERIFY(canvas.drawn.first().text.startsWith(QLatin1String("-0-")));
        for (const RotatedText& t : canvas.drawn)
            for (const QChar c : t.text)
                QVERIFY2(!c.isSurrogate() && c != QChar::ReplacementCharacter && c != QChar(0x1A), qPrintable(t.text));

        // Digits alone still paste, and the words follow.
        w->suma->selectAll();
        pasteWithKeys(w->suma, QStringLiteral("125"));
        QCOMPARE(w->suma->text(), QStringLiteral("125"));
        QVERIFY(!w->slovom1->text().isEmpty());
        QCOMPARE(p.platform.hints.size(), 2);
    }
};

QTEST_MAIN(FieldInputTest)
#include "test_field_input.moc"
