// The template wizard driven as a user does: its pages through the buttons,
// what each page shows, what lands in data/<name>.obl, the names it refuses
// and a write that fails.
#include "ui/desktop/Desktop.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "ui/widgets/SpinEdit.h"
#include "core/forms/envelope/TemplateName.h"
#include "ui/envelopes/Tsablona.h"
#include "ui/slips/TCpoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>
#include <climits>

namespace {

const QString Page1Line = QStringLiteral("Prosím zadajte rozmery obálky (v milimetroch).");
const QString Page2Line = QStringLiteral("Zadajte veľkosť písma pri tlači. ");
const QString Page3Line = QStringLiteral("Nová šablóna pre obálky bola vytvorená");
const QString NamePrompt = QStringLiteral("meno šablóny (napr. 16x22 )");
const QString FontHint = QStringLiteral("Prednastavené sú štandardné veľkosti.\nZelvana sú tlačené veľkosťou 9");
const QString ClosingNote = QStringLiteral("Táto šablóna bude dostupná až pri nasledujúcom\notvorení formuláru.");

QByteArray bytesOf(const EnvelopeTemplate& t)
{
    const EnvelopeTemplateBytes b = EncodeTemplate(t);
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// Replaces a field's text as a user does: select all, delete, type.
void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}
void retype(SpinEdit* spin, const QString& text) { retype(spin->editor(), text); }

QStringList dataFiles(const Program& p) { return QDir(p.folder.file("data")).entryList(QDir::Files | QDir::Hidden); }

} // namespace

class WizardTest : public QObject {
    Q_OBJECT

    static void start(Program& p, bool withData = true)
    {
        p.folder.write("program.nas", settingsBytes({Flag::AllowMultipleForms}));
        p.folder.installShippedTips();
        if (!withData)
            QDir(p.folder.file("data")).removeRecursively();
        p.start();
        p.platform.messages.clear();
    }

    // Opens the wizard from the launcher's popup item; `user` acts in it.
    static void fromLauncher(Program& p, std::function<void(Tsablona&)> user)
    {
        p.platform.onDialog = [user](QDialog& d) {
            auto* wizard = qobject_cast<Tsablona*>(&d);
            QVERIFY(wizard);
            user(*wizard);
        };
        p.launcher->findChild<QAction*>("Novablnanaoblku1")->trigger();
    }

    // Page 1 filled and left: width, height, name.
    static void sizePage(Tsablona& w, const QString& width, const QString& height, const QString& name)
    {
        retype(w.SpinEdit2, width);
        retype(w.SpinEdit1, height);
        retype(w.Edit1, name);
        click(w.Button1);
    }

    static void expectPage1(Tsablona& w)
    {
        QCOMPARE(w.WizardStep, 1);
        QCOMPARE(w.Label1->text(), Page1Line);
        QCOMPARE(w.Label8->text(), NamePrompt);
        QVERIFY(w.Edit1->isVisible());
        QVERIFY(w.SpinEdit1->isVisible() && w.SpinEdit2->isVisible());
        for (QLabel* l : {w.Label4, w.Label5, w.Label6, w.Label7})
            QVERIFY(l->isVisible());
        QCOMPARE(w.Label4->text(), QStringLiteral("mm"));
        QCOMPARE(w.Label5->text(), QStringLiteral("mm"));
        QCOMPARE(w.Label6->text(), QStringLiteral("šírka obálky"));
        QCOMPARE(w.Label7->text(), QStringLiteral("výška obálky"));
        QVERIFY(!w.Button2->isEnabled());
        QVERIFY(w.Button1->isEnabled());
        QCOMPARE(w.Button3->text(), QStringLiteral("Zrušiť"));
    }

    static void expectPage2(Tsablona& w)
    {
        QCOMPARE(w.WizardStep, 2);
        QCOMPARE(w.Label1->text(), Page2Line);
        QCOMPARE(w.Label8->text(), FontHint);
        QVERIFY(!w.Edit1->isVisible());
        QVERIFY(w.Label8->isVisible());
        QVERIFY(w.SpinEdit1->isVisible() && w.SpinEdit2->isVisible());
        QVERIFY(!w.Label4->isVisible() && !w.Label5->isVisible());
        QVERIFY(w.Label6->isVisible() && w.Label7->isVisible());
        QCOMPARE(w.Label6->text(), QStringLiteral("Písmo adresáta"));
        QCOMPARE(w.Label7->text(), QStringLiteral("Písmo odosielateľa"));
        QVERIFY(w.Button1->isEnabled());
        QVERIFY(w.Button2->isEnabled());
    }

    // Every shown control inside the window, every shown text whole.
    static void nothingClipped(Tsablona& w)
    {
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (!c->isVisible() || c->parentWidget() != &w)
                continue;
            QVERIFY2(w.rect().contains(c->geometry()), qPrintable(c->objectName()));
            if (auto* l = qobject_cast<QLabel*>(c); l && !l->text().isEmpty()) {
                const int needed = l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
                QVERIFY2(l->height() >= needed, qPrintable(l->objectName() + ": " + l->text()));
                if (!l->wordWrap())
                    QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName() + ": " + l->text()));
            }
            if (auto* b = qobject_cast<QPushButton*>(c))
                QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()) + 8, qPrintable(b->text()));
        }
    }

private slots:
    void initTestCase() { SubstituteWindowsFaces(); }

    void looksAsDesigned()
    {
        Program p;
        start(p);
        fromLauncher(p, [](Tsablona& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Sprievodca na vytvorenie šablóny pre obálku."));
            QCOMPARE(w.size(), QSize(413, 200));
            QCOMPARE(w.minimumSize(), w.maximumSize());
            QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
            QCOMPARE(w.Image1->geometry(), QRect(0, 0, 120, 200));
            const QImage picture = w.Image1->pixmap().toImage();
            QCOMPARE(picture.size(), QSize(120, 200));
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 4)
                for (int x = 0; x < picture.width(); x += 4)
                    colours.insert(picture.pixel(x, y));
            QVERIFY(colours.size() > 8); // a picture, not a blank
            QCOMPARE(w.Label2->text(), QStringLiteral("Pomocou tohto sprievodcu vytvoríte šablónu"));
            QCOMPARE(w.Label3->text(), QStringLiteral("aj pre neštandardné veľkosti obálok."));
            QVERIFY(w.Label1->font().bold());
            QVERIFY(!w.Label8->font().bold());
            QCOMPARE(w.Button1->text(), QStringLiteral("Pokračovať"));
            QCOMPARE(w.Button2->text(), QStringLiteral("Späť"));
            QVERIFY(w.Button1->isDefault());
            QCOMPARE(w.SpinEdit2->x() < w.SpinEdit1->x(), true); // width on the left
            QCOMPARE(w.Label6->x(), w.SpinEdit2->x());
            QCOMPARE(w.Label7->x(), w.SpinEdit1->x());
            QVERIFY(w.Label4->x() > w.SpinEdit2->geometry().right());
            QVERIFY(w.Label5->x() > w.SpinEdit1->geometry().right());
            expectPage1(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("0"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("0"));
            QCOMPARE(w.Edit1->text(), QString());
            nothingClipped(w);
            sizePage(w, "110", "220", "DL");
            nothingClipped(w);
            click(w.Button1);
            nothingClipped(w);
            click(w.Button3);
        });
        QCOMPARE(p.platform.dialogsRun, 1);
    }

    void threePagesWriteTheTemplate()
    {
        Program p;
        start(p);
        bool closed = false;
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "110", "220", QStringLiteral("Moja obálka"));
            expectPage2(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("11"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("9"));
            QVERIFY(!p.folder.exists(QStringLiteral("data/Moja obálka.obl"))); // nothing before page 3
            retype(w.SpinEdit2, "12");
            retype(w.SpinEdit1, "8");
            click(w.Button1);
            QCOMPARE(w.WizardStep, 3);
            QCOMPARE(w.Label1->text(), Page3Line);
            QCOMPARE(w.Label8->text(), ClosingNote);
            QVERIFY(w.Label8->isVisible());
            for (QWidget* hidden : std::initializer_list<QWidget*>{w.Edit1, w.SpinEdit1, w.SpinEdit2, w.Label4,
                                                                   w.Label5, w.Label6, w.Label7})
                QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
            QVERIFY(!w.Button1->isEnabled());
            QVERIFY(!w.Button2->isEnabled()); // back would take the fonts for the size
            QCOMPARE(w.Button3->text(), QStringLiteral("Dokončiť"));
            click(w.Button2); // disabled: nothing happens
            QCOMPARE(w.WizardStep, 3);
            click(w.Button3);
            closed = !w.isVisible();
            QCOMPARE(w.result(), int(QDialog::Accepted));
        });
        QVERIFY(closed);
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(p.folder.read(QStringLiteral("data/Moja obálka.obl")), bytesOf({110, 220, 12, 8}));
    }

    void enterGoesOn()
    {
        Program p;
        start(p);
        fromLauncher(p, [&](Tsablona& w) {
            retype(w.SpinEdit2, "114");
            retype(w.SpinEdit1, "162");
            retype(w.Edit1, "C6");
            QTest::keyClick(w.Edit1, Qt::Key_Return);
            expectPage2(w);
            QTest::keyClick(w.SpinEdit2->editor(), Qt::Key_Return);
            QCOMPARE(w.WizardStep, 3);
            click(w.Button3);
        });
        QCOMPARE(p.folder.read("data/C6.obl"), bytesOf({114, 162, 11, 9}));
    }

    void backFromPage2KeepsTheSizeAndForgetsTheFonts()
    {
        Program p;
        start(p);
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "110", "220", "x");
            retype(w.SpinEdit2, "30");
            retype(w.SpinEdit1, "40");
            click(w.Button2);
            expectPage1(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("110"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("220"));
            QCOMPARE(w.Edit1->text(), QStringLiteral("x"));
            retype(w.SpinEdit1, "230"); // a new height is taken on the way out again
            click(w.Button1);
            expectPage2(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("11"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("9"));
            click(w.Button1);
            click(w.Button3);
        });
        QCOMPARE(p.folder.read("data/x.obl"), bytesOf({110, 230, 11, 9}));
    }

    void everyRunStartsFromTheDefaults()
    {
        Program p;
        start(p);
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "99", "88", "first");
            retype(w.SpinEdit2, "77");
            click(w.Button3); // cancelled on page 2
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Rejected));
        });
        fromLauncher(p, [&](Tsablona& w) {
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("0"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("0"));
            QCOMPARE(w.Edit1->text(), QString());
            QCOMPARE(w.building(), (EnvelopeTemplate{0, 0, 11, 9}));
            sizePage(w, "1", "2", "second");
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("11"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("9"));
            click(w.Button3);
        });
        QCOMPARE(p.platform.dialogsRun, 2);
        QVERIFY(dataFiles(p) == QStringList{"subor1.tip"}); // cancelled runs write nothing
    }

    void spinEditsTakeAnyNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-15" << -15;
        QTest::newRow("plus sign") << "+7" << 7;
        QTest::newRow("largest") << "2147483647" << INT_MAX;
        QTest::newRow("smallest") << "-2147483648" << INT_MIN;
        QTest::newRow("empty counts as 0") << "" << 0;
        QTest::newRow("a lone minus counts as 0") << "-" << 0;
        QTest::newRow("too large counts as 0") << "99999999999" << 0;
        QTest::newRow("letters are refused") << "12ab3" << 123;
        QTest::newRow("a space is refused") << "4 5" << 45;
    }
    void spinEditsTakeAnyNumber()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        Program p;
        start(p);
        fromLauncher(p, [&](Tsablona& w) {
            retype(w.SpinEdit2, typed);
            QCOMPARE(w.SpinEdit2->readValue(), value);
            retype(w.SpinEdit1, "5");
            retype(w.Edit1, "n");
            click(w.Button1);
            retype(w.SpinEdit2, typed); // the recipient's font
            retype(w.SpinEdit1, "-1");
            click(w.Button1);
            click(w.Button3);
        });
        QCOMPARE(p.folder.read("data/n.obl"), bytesOf({value, 5, value, -1}));
    }

    // Measured against the printer the next print goes to: told, and written all the same.
    void sizeLargerThanThePageIsTold()
    {
        Program p;
        start(p);
        p.platform.currentPrinter().setPageMargins(QMarginsF(), QPageLayout::Millimeter); // A4: 210 x 297 mm
        for (const auto& [width, height] : std::initializer_list<std::pair<QString, QString>>{{"210", "297"}, {"235", "298"}})
            fromLauncher(p, [&](Tsablona& w) { sizePage(w, width, height, "velka"); click(w.Button1); });
        QCOMPARE(p.platform.messages, QStringList{"Obálka 235 × 298 mm sa nezmestí na stranu súboru PDF: šírka 235 mm je väčšia ako šírka tlačovej plochy 210 mm; výška 298 mm je väčšia ako výška tlačovej plochy 297 mm. Čo je mimo tlačovej plochy, sa nevytlačí, napríklad odosielateľ. Rozmery zmeníte tlačidlom „Späť“."});
        QCOMPARE(p.folder.read("data/velka.obl"), bytesOf({235, 298, 11, 9}));
    }

    void sameNameOverwritesWithoutAsking()
    {
        Program p;
        start(p);
        p.folder.write("data/16x22.obl", bytesOf({1, 2, 3, 4}) + "old tail");
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "160", "220", "16x22");
            click(w.Button1);
            QCOMPARE(w.Label1->text(), Page3Line);
            click(w.Button3);
        });
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(p.folder.read("data/16x22.obl"), bytesOf({160, 220, 11, 9}));
    }

    void badNamesAreRefusedOnPage1_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("typed"); // else pasted in whole
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << true << EmptyTemplateNameMessage;
        QTest::newRow("up out of data") << "../program" << true << SeparatorInTemplateNameMessage;
        QTest::newRow("into a folder") << "sub/x" << true << SeparatorInTemplateNameMessage;
        QTest::newRow("backslash") << "..\\x" << true << SeparatorInTemplateNameMessage;
        QTest::newRow("dot") << "." << true << DotTemplateNameMessage;
        QTest::newRow("dot dot") << ".." << true << DotTemplateNameMessage;
        QTest::newRow("hidden") << ".obalka" << true << DotTemplateNameMessage;
        QTest::newRow("tab") << "a\tb" << false << ControlInTemplateNameMessage;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << false << ControlInTemplateNameMessage;
        QTest::newRow("outside the code page") << QString::fromUtf16(u"\u4E2D") << false << CodePageInTemplateNameMessage;
    }
    void badNamesAreRefusedOnPage1()
    {
        QFETCH(QString, name);
        QFETCH(bool, typed);
        QFETCH(QString, message);
        Program p;
        start(p);
        const auto everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        const QStringList programFolder = QDir(p.folder.path()).entryList(everything);
        fromLauncher(p, [&](Tsablona& w) {
            retype(w.SpinEdit2, "110");
            retype(w.SpinEdit1, "220");
            if (typed) {
                retype(w.Edit1, name);
                QCOMPARE(w.Edit1->text(), name);
            } else {
                w.Edit1->setText(name); // no key types it
            }
            click(w.Button1);
            QCOMPARE(p.platform.messages, QStringList{message});
            expectPage1(w);
            QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.Edit1)); // where the user mends it
            // Mended, the same page goes on.
            retype(w.Edit1, "good");
            click(w.Button1);
            expectPage2(w);
            click(w.Button3);
        });
        // Nothing written, in data or beside it where "../program" would lead.
        QCOMPARE(dataFiles(p), (QStringList{"subor1.tip"}));
        QCOMPARE(QDir(p.folder.path()).entryList(everything), programFolder);
    }

    void failedWriteSaysSoAndLetsTheUserTryAgain()
    {
        Program p;
        start(p, false); // no data folder
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "110", "220", "DL");
            retype(w.SpinEdit2, "12");
            retype(w.SpinEdit1, "8");
            click(w.Button1);
            QCOMPARE(p.platform.messages, QStringList{"File not found"});
            QCOMPARE(w.Label1->text(), Tsablona::NotWrittenLine);
            QVERIFY(!w.Label1->text().contains(QStringLiteral("vytvorená")));
            QCOMPARE(w.Label8->text(), Tsablona::NotWrittenNote);
            QVERIFY(!w.written());
            QVERIFY(!w.Button1->isEnabled());
            QVERIFY(w.Button2->isEnabled());
            QCOMPARE(w.Button3->text(), QStringLiteral("Zrušiť"));
            nothingClipped(w);
            // The user makes the folder and goes back: the fonts as typed.
            QVERIFY(QDir().mkpath(p.folder.file("data")));
            click(w.Button2);
            expectPage2(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("12"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("8"));
            click(w.Button1);
            QCOMPARE(w.Label1->text(), Page3Line);
            QVERIFY(!w.Button2->isEnabled());
            click(w.Button3);
            QCOMPARE(w.result(), int(QDialog::Accepted));
        });
        QCOMPARE(p.platform.messages.size(), 1);
        QCOMPARE(p.folder.read("data/DL.obl"), bytesOf({110, 220, 12, 8}));
    }

    void backTwiceAfterAFailureReachesTheSize()
    {
        Program p;
        start(p, false);
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "110", "220", "DL");
            click(w.Button1);
            click(w.Button2);
            click(w.Button2);
            expectPage1(w);
            QCOMPARE(w.SpinEdit2->text(), QStringLiteral("110"));
            QCOMPARE(w.SpinEdit1->text(), QStringLiteral("220"));
            click(w.Button3);
            QCOMPARE(w.result(), int(QDialog::Rejected));
        });
        QVERIFY(!p.folder.exists("data"));
    }

    void fullDiskLeavesNoHalfTemplate()
    {
        Program p;
        start(p);
        fromLauncher(p, [&](Tsablona& w) {
            sizePage(w, "110", "220", "DL");
            {
                FileSizeLimit full(10);
                click(w.Button1);
            }
            QCOMPARE(p.platform.messages, QStringList{"Disk full"});
            QCOMPARE(w.Label1->text(), Tsablona::NotWrittenLine);
            QVERIFY(!p.folder.exists("data/DL.obl"));
            click(w.Button3);
        });
        QVERIFY(!p.folder.exists("data/DL.obl"));
    }

    void documentWindowOpensItAndRefillsNothing()
    {
        Program p;
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::SlipCOwnerIsSender}));
        p.folder.installShippedTips();
        p.start();
        QTest::mouseClick(p.launcher->Image2, Qt::LeftButton);
        auto* slip = qobject_cast<TCpoukazka*>(openDocumentWindows().value(0));
        QVERIFY(slip);
        QCOMPARE(slip->od1->text(), QStringLiteral("Ing. Ján Košický"));
        slip->ad1->setText("typed");
        p.platform.onDialog = [&](QDialog& d) {
            auto* w = qobject_cast<Tsablona*>(&d);
            QVERIFY(w);
            // Were the window refilled afterwards, it would show this name.
            p.app->personal().set(Personal::meno, "Eva");
            sizePage(*w, "110", "220", "z okna");
            click(w->Button1);
            click(w->Button3);
        };
        slip->Novablnapreoblky1->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
        QCOMPARE(p.folder.read("data/z okna.obl"), bytesOf({110, 220, 11, 9}));
        QCOMPARE(slip->od1->text(), QStringLiteral("Ing. Ján Košický"));
        QCOMPARE(slip->ad1->text(), QStringLiteral("typed"));
        QVERIFY(slip->isVisible());
    }
};

QTEST_MAIN(WizardTest)
#include "test_wizard.moc"
