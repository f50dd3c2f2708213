// Links in the help: its own anchors and help files are followed, web pages go
// to the desktop, every other link stays where it is; "Späť" and Alt+Left
// return to the place before.
#include "ui/desktop/HelpWindow.h"
#include "support/TempProgramFolder.h"
#include "support/TestPlatform.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QtTest>

namespace {

QByteArray page(const QString& title, const QString& links)
{
    QString filler;
    for (int i = 0; i < 120; ++i)
        filler += QStringLiteral("<p>Riadok %1 textu pomoci.</p>").arg(i);
    return QStringLiteral("<html><head><title>%1</title></head><body><h2>%1</h2>%2%3"
                          "<h2><a name=\"dalej\"></a>Ďalej</h2><p>Koniec.</p></body></html>")
        .arg(title, links, filler)
        .toUtf8();
}

// Clicks the link with `caption` as a user does, with the mouse; returns
// where the page was scrolled to when it was clicked.
int clickLink(HelpWindow* help, const QString& caption)
{
    QTextCursor at = help->text->document()->find(caption);
    if (at.isNull())
        qFatal("no link %s", qPrintable(caption));
    at.setPosition(at.selectionStart() + 1); // the links are all in view
    const QPoint point = help->text->cursorRect(at).center();
    const int scrolled = help->text->verticalScrollBar()->value();
    QTest::mouseClick(help->text->viewport(), Qt::LeftButton, {}, point);
    return scrolled;
}

} // namespace

class HelpLinksTest : public QObject {
    Q_OBJECT
    TempProgramFolder folder;
    TestPlatform platform;
    QPointer<HelpWindow> help;

private slots:
    void init()
    {
        const QString links = QStringLiteral(
            "<p><a href=\"file:///etc/passwd\">heslá</a> <a href=\"javascript:alert(1)\">skript</a> "
            "<a href=\"mailto:x@example.org\">pošta</a> <a href=\"../mimo.hlp\">mimo</a> "
            "<a href=\"data/obrazok.png\">obrázok</a> <a href=\"https://www.posta.sk/\">web</a> "
            "<a href=\"http://example.org/a\">starý web</a> <a href=\"#dalej\">dolu</a> "
            "<a href=\"data/druha.hlp#dalej\">druhá</a></p>");
        folder.write("pomoc.hlp", page(QStringLiteral("Prvá"), links));
        folder.write("data/druha.hlp", page(QStringLiteral("Druhá"), QString()));
        folder.write("data/obrazok.png", "not shown");
        help = HelpWindow::open(folder.file("pomoc.hlp"), &platform);
        QVERIFY(help);
        help->resize(600, 300);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        platform.opened.clear();
    }
    void cleanup() { delete help; }

    void foreignLinksStayPut_data()
    {
        QTest::addColumn<QString>("caption");
        for (const char* c : {"heslá", "skript", "pošta", "mimo", "obrázok"})
            QTest::newRow(c) << QString::fromUtf8(c);
    }
    void foreignLinksStayPut()
    {
        QFETCH(QString, caption);
        const QString before = help->text->toHtml();
        clickLink(help, caption);
        QCOMPARE(help->windowTitle(), QStringLiteral("Prvá"));
        QCOMPARE(help->text->toHtml(), before);
        QVERIFY(platform.opened.isEmpty());
        QVERIFY(!help->backButton->isEnabled());
    }

    void webLinksGoToTheDesktop()
    {
        clickLink(help, QStringLiteral("starý web"));
        clickLink(help, QStringLiteral("web"));
        QCOMPARE(platform.opened, (QStringList{"http://example.org/a", "https://www.posta.sk/"}));
        QCOMPARE(help->windowTitle(), QStringLiteral("Prvá"));
    }

    void anchorsAndHelpFilesAndBack()
    {
        QScrollBar* bar = help->text->verticalScrollBar();
        const int top = clickLink(help, QStringLiteral("dolu"));
        QVERIFY(bar->value() > top + 1000);
        QVERIFY(help->backButton->isEnabled());
        QTest::mouseClick(help->backButton, Qt::LeftButton);
        QVERIFY(bar->value() <= top + 10); // back at the links (a press may bring the line into view)
        QVERIFY(!help->backButton->isEnabled());

        clickLink(help, QStringLiteral("druhá"));
        QCOMPARE(help->windowTitle(), QStringLiteral("Druhá"));
        QVERIFY(bar->value() > top + 1000); // at its anchor
        QTest::keyClick(help->text, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(help->windowTitle(), QStringLiteral("Prvá"));
        QVERIFY(bar->value() <= top + 10); // back at the links (a press may bring the line into view)
        QVERIFY(!help->text->toPlainText().contains(QStringLiteral("Druhá")));
    }
};

QTEST_MAIN(HelpLinksTest)
#include "test_help_links.moc"
