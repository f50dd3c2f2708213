// The program settings dialog driven as a user does: how it loads from the
// record, what accepting writes into program.nas, the font dialog, cancel.
#include "ui/desktop/Desktop.h"
#include "ui/frame/DocumentKind.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/settings/Tnastavenia.h"
#include "ui/slips/TApoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <sys/stat.h>

static QByteArray record(const QList<int>& flagsSet, const QList<std::pair<int, char>>& bytes = {})
{
    ProgramSettings s;
    s.setDefaults();
    for (int f : flagsSet)
        s.setFlag(f, true);
    QByteArray r(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size);
    for (const auto& [at, value] : bytes)
        r[at] = value;
    return r;
}

static QByteArray shortString(const QByteArray& file, int offset)
{
    return file.mid(offset + 1, static_cast<unsigned char>(file[offset]));
}

class SettingsDialogTest : public QObject {
    Q_OBJECT

    // Starts from `settings`, opens the dialog from the launcher and lets `user` act.
    static void run(Program& p, const QByteArray& settings, std::function<void(Tnastavenia&)> user)
    {
        p.folder.write("program.nas", settings);
        p.folder.installShippedTips();
        p.start();
        p.platform.onDialog = [user](QDialog& d) {
            auto* dialog = qobject_cast<Tnastavenia*>(&d);
            QVERIFY(dialog);
            user(*dialog);
        };
        p.launcher->findChild<QAction*>("Nastaveniaprogramu1")->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
    }

    static QList<QCheckBox*> checkBoxes(Tnastavenia& d)
    {
        return {d.CheckBox1, d.CheckBox2, d.CheckBox3, d.CheckBox4, d.CheckBox5,
                d.CheckBox6, d.CheckBox7, d.CheckBox8, d.CheckBox9};
    }
    static QList<QRadioButton*> starts(Tnastavenia& d)
    {
        return {d.RadioButton1, d.RadioButton2, d.RadioButton3, d.RadioButton4};
    }

private slots:
    // The faces the program maps at start, so widths are those users see.
    void initTestCase() { SubstituteWindowsFaces(); }

    void looksAsDesigned()
    {
        Program p;
        run(p, record({}), [](Tnastavenia& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Nastavenia programu"));
            QCOMPARE(d.size(), QSize(241, 355));
            QCOMPARE(d.pos(), QPoint(364, 109));
            QCOMPARE(d.PageControl1->count(), 3);
            QCOMPARE(d.PageControl1->tabText(0), QStringLiteral("Všeobecné"));
            QCOMPARE(d.PageControl1->tabText(1), QStringLiteral("Ostatné nastavenia"));
            QCOMPARE(d.PageControl1->tabText(2), QStringLiteral("Tlač"));
            QCOMPARE(d.PageControl1->currentIndex(), 0);
            QVERIFY(d.Button1->isDefault());
            QCOMPARE(d.Button1->text(), QStringLiteral("Akceptovať"));
            QCOMPARE(d.Button2->text(), QStringLiteral("Zrušiť"));
            QStringList captions;
            for (QCheckBox* b : checkBoxes(d))
                captions << b->text();
            QCOMPARE(captions, (QStringList{QStringLiteral("Automaticky pridať meno a priezvisko"),
                                            QStringLiteral("Automaticky pridať adresu"), QStringLiteral("Pridať štát k adrese"),
                                            QStringLiteral("Automatický prevod sumy na text"),
                                            QStringLiteral("Pri spustení programu otvoriť"),
                                            QStringLiteral("Automaticky pridať číslo účtu"),
                                            QStringLiteral("Automaticky pridať  peňažný ústav"),
                                            QStringLiteral("Povoliť otvorenie viacerých poukážok."),
                                            QStringLiteral("Vkladať konštantný symbol")}));
            QStringList radios;
            for (QRadioButton* r : starts(d))
                radios << r->text();
            QCOMPARE(radios, (QStringList{QStringLiteral("poukážku typu A"), QStringLiteral("poukážku typu C"),
                                          QStringLiteral("poukážku typu D"), QStringLiteral("obálku")}));
            const std::pair<const char*, const char*> groups[] = {
                {"a", "Poukážka typu A"}, {"c", "Poukážka typu C"}, {"d", "Poukážka typu D"}, {"ob", "Obálka"}};
            for (const auto& [name, caption] : groups) {
                auto* g = d.findChild<RadioGroup*>(QString::fromLatin1(name));
                QVERIFY2(g, name);
                QCOMPARE(g->title(), QString::fromUtf8(caption));
                QCOMPARE(g->count(), 2);
                QCOMPARE(g->item(0)->text(), QStringLiteral("Osobné údaje ako adresát"));
                QCOMPARE(g->item(1)->text(), QStringLiteral("Osobné údaje ako odosielateť"));
            }
            QVERIFY(d.Edit1->isReadOnly());
            QVERIFY(d.Edit2->isReadOnly());
            QCOMPARE(d.SpeedButton1->text(), QStringLiteral("..."));
            QStringList labels;
            for (QLabel* l : d.findChildren<QLabel*>())
                labels << l->text();
            QVERIFY(labels.contains(QStringLiteral("Šablóna obálky")));
            QVERIFY(labels.contains(QStringLiteral("! Pri tlači obálok je veľkosť písma predvolená !")));
            QVERIFY(d.findChild<QGroupBox*>()); // the font frame
            bool framed = false;
            for (QGroupBox* g : d.findChildren<QGroupBox*>())
                framed |= g->title() == QStringLiteral(" Font pre tlač ");
            QVERIFY(framed);
            // The print page says, in Slovak, what the font is for.
            QVERIFY(d.findChild<QLabel*>("printFontUse")->text().contains(QStringLiteral("poukážky")));
            // Nothing is clipped: every control inside its page, every caption whole.
            for (int page = 0; page < 3; ++page) {
                d.PageControl1->setCurrentIndex(page);
                QWidget* shown = d.PageControl1->currentWidget();
                for (QWidget* w : shown->findChildren<QWidget*>()) {
                    if (!w->isVisible())
                        continue;
                    const QRect inPage(w->mapTo(shown, QPoint(0, 0)), w->size());
                    QVERIFY2(shown->rect().contains(inPage), qPrintable(w->objectName() + " " + w->metaObject()->className()));
                    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !qobject_cast<QToolButton*>(w))
                        QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->text()));
                }
            }
            for (int i = 0; i < 3; ++i)
                QVERIFY(d.PageControl1->tabBar()->tabRect(i).right() < d.PageControl1->width());
            d.Button2->click();
        });
    }

    void newFileLoadsEmptyAndAcceptsToAllZero()
    {
        Program p;
        run(p, record({}), [](Tnastavenia& d) {
            for (QCheckBox* b : checkBoxes(d))
                QVERIFY(!b->isChecked());
            for (QRadioButton* r : starts(d)) {
                QVERIFY(!r->isChecked());
                QVERIFY(!r->isEnabled());
            }
            for (RadioGroup* g : {d.a, d.c, d.d, d.ob})
                QCOMPARE(g->itemIndex(), -1);
            QCOMPARE(d.ComboBox1->currentText(), QStringLiteral(" "));
            QCOMPARE(d.Edit1->text(), QString());
            QCOMPARE(d.Edit2->text(), QStringLiteral("0"));
            d.Button1->click();
            QVERIFY(!d.isVisible());
        });
        QCOMPARE(p.folder.read("program.nas"), record({})); // byte for byte what a new file holds
    }

    void loadingFollowsTheRecord_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QList<bool>>("checks");
        QTest::addColumn<int>("startChecked"); // -1 none
        QTest::addColumn<QList<int>>("groups");
        using B = QList<bool>;
        using G = QList<int>;
        const B none(9, false);
        QTest::newRow("flag byte 2 acts as set") << record({}, {{0, 2}, {8, char(0xFF)}})
                                                << B{true, false, false, false, false, false, false, false, true} << -1
                                                << G{-1, -1, -1, -1};
        QTest::newRow("the last start flag set wins") << record({4, 9, 11}) << B{false, false, false, false, true, false, false, false, false}
                                                      << 2 << G{-1, -1, -1, -1};
        QTest::newRow("both owner flags: item 1 wins") << record({13, 14, 17}) << none << -1 << G{1, -1, 0, -1};
        QTest::newRow("one owner flag each") << record({14, 15, 18, 19}) << none << -1 << G{1, 0, 1, 0};
    }
    void loadingFollowsTheRecord()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QList<bool>, checks);
        QFETCH(int, startChecked);
        QFETCH(QList<int>, groups);
        Program p;
        run(p, settings, [&](Tnastavenia& d) {
            QList<bool> shown;
            for (QCheckBox* b : checkBoxes(d))
                shown << b->isChecked();
            QCOMPARE(shown, checks);
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(starts(d)[i]->isChecked(), i == startChecked);
                QCOMPARE(starts(d)[i]->isEnabled(), d.CheckBox5->isChecked());
            }
            QList<int> selected;
            for (RadioGroup* g : {d.a, d.c, d.d, d.ob})
                selected << g->itemIndex();
            QCOMPARE(selected, groups);
            d.Button2->click();
        });
    }

    void acceptWritesFlagsAsOneOrZero()
    {
        Program p;
        run(p, record({}, {{0, 2}, {13, 5}, {14, 7}}), [](Tnastavenia& d) {
            d.PageControl1->setCurrentIndex(1);
            QTest::mouseClick(d.c->item(1), Qt::LeftButton); // "odosielateť" of slip C
            d.Button1->click();
        });
        const QByteArray file = p.folder.read("program.nas");
        QList<int> flags;
        for (int i = 0; i <= 20; ++i)
            flags << file[i];
        // Flag 0 keeps its meaning as 1; group a (both set) stays item 1; c now item 1.
        QCOMPARE(flags, (QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0}));
    }

    void onlyTheChosenItemOfAGroupIsSet()
    {
        Program p;
        run(p, record({}), [](Tnastavenia& d) {
            d.PageControl1->setCurrentIndex(1);
            QTest::mouseClick(d.c->item(1), Qt::LeftButton);
            d.Button1->click();
        });
        const QByteArray file = p.folder.read("program.nas");
        for (int i = 13; i <= 20; ++i)
            QCOMPARE(int(file[i]), i == 16 ? 1 : 0);
    }

    void startButtonsFollowCheckBox5AndAreStoredWhenDisabled()
    {
        Program p;
        run(p, record({}), [](Tnastavenia& d) {
            QTest::mouseClick(d.CheckBox5, Qt::LeftButton);
            for (QRadioButton* r : starts(d))
                QVERIFY(r->isEnabled());
            QTest::mouseClick(d.RadioButton3, Qt::LeftButton);
            QTest::mouseClick(d.RadioButton1, Qt::LeftButton); // one group: 1 unchecks 3
            QVERIFY(!d.RadioButton3->isChecked());
            QTest::mouseClick(d.RadioButton3, Qt::LeftButton);
            QTest::mouseClick(d.CheckBox5, Qt::LeftButton);
            for (QRadioButton* r : starts(d))
                QVERIFY(!r->isEnabled());
            d.Button1->click();
        });
        const QByteArray file = p.folder.read("program.nas");
        QCOMPARE(int(file[4]), 0);
        QCOMPARE((QList<int>{file[9], file[10], file[11], file[12]}), (QList<int>{0, 0, 1, 0}));
    }

    void templateListAndName()
    {
        Program p;
        QDir().mkpath(p.folder.file("data/adresar.obl")); // a folder is no template
        for (const char* name : {"data/Malá.obl", "data/b.obl", "data/A.obl", "data/.skrytá.obl", "data/poznámky.txt"})
            p.folder.write(QString::fromUtf8(name), QByteArray(16, '\0'));
        QVERIFY(::mkfifo(QFile::encodeName(p.folder.file("data/rura.obl")).constData(), 0600) == 0);
        QFile::link(p.folder.file("data/nikde"), p.folder.file("data/zlomená.obl"));
        const QString typed = QStringLiteral("vlastná šablóna.obl") + QString(250, QLatin1Char('x'));
        run(p, record({}), [&](Tnastavenia& d) {
            QStringList items;
            for (int i = 0; i < d.ComboBox1->count(); ++i)
                items << d.ComboBox1->itemText(i);
            QCOMPARE(items, (QStringList{"A.obl", "b.obl", QStringLiteral("Malá.obl")}));
            d.PageControl1->setCurrentIndex(1);
            d.ComboBox1->lineEdit()->selectAll();
            d.ComboBox1->setFocus();
            typeText(d.ComboBox1->lineEdit(), typed); // matching no file: stored as typed
            d.Button1->click();
        });
        QCOMPARE(shortString(p.folder.read("program.nas"), 21), QByteArray::fromStdString(toCp1250(typed.left(255))));
    }

    void missingDataFolderGivesAnEmptyList()
    {
        Program p;
        p.folder.write("program.nas", record({}));
        p.loadRecords();
        QVERIFY(!QFileInfo::exists(p.folder.file("data")));
        Tnastavenia d(*p.app);
        QCOMPARE(d.ComboBox1->count(), 0);
    }

    void fontComesOnlyFromTheFontDialog()
    {
        Program p;
        QFont first(QStringLiteral("DejaVu Serif"));
        first.setPointSize(14);
        QFont inPixels(QStringLiteral("DejaVu Sans Mono"));
        inPixels.setPixelSize(16); // reports no point size
        p.platform.fontAnswers = {first, std::nullopt, inPixels};
        run(p, record({}), [&](Tnastavenia& d) {
            d.PageControl1->setCurrentIndex(2);
            d.Edit1->setFocus();
            typeText(d.Edit1, QStringLiteral("typed"));
            QCOMPARE(d.Edit1->text(), QString()); // read-only
            d.SpeedButton1->click();
            QCOMPARE(d.Edit1->text(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(d.Edit2->text(), QStringLiteral("14"));
            d.SpeedButton1->click(); // cancelled: nothing changes
            QCOMPARE(d.Edit1->text(), QStringLiteral("DejaVu Serif"));
            d.SpeedButton1->click();
            QCOMPARE(d.Edit1->text(), QStringLiteral("DejaVu Sans Mono"));
            QCOMPARE(d.Edit2->text(), QStringLiteral("12")); // 16 px at 96 dpi
            d.Button1->click();
        });
        // Opened first at the dialog's own font, then at the last confirmed one.
        QCOMPARE(p.platform.fontDialogsOpenedAt.size(), 3);
        QCOMPARE(p.platform.fontDialogsOpenedAt[0].family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(p.platform.fontDialogsOpenedAt[0].pointSize(), 8);
        QCOMPARE(p.platform.fontDialogsOpenedAt[1].family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(p.platform.fontDialogsOpenedAt[2].family(), QStringLiteral("DejaVu Serif"));
        const QByteArray file = p.folder.read("program.nas");
        QCOMPARE(shortString(file, 1045), QByteArray("DejaVu Sans Mono"));
        QCOMPARE(file.mid(1304, 4), QByteArray("\x0c\0\0\0", 4));
        QCOMPARE(p.app->settings().printFontSize(), 12);
    }

    void aFontNameTheRecordCannotHoldIsRefused()
    {
        Program p;
        p.platform.fontAnswers = {QFont(QStringLiteral("Νέα γραμματοσειρά"))};
        run(p, record({}), [&](Tnastavenia& d) {
            d.SpeedButton1->click();
            QCOMPARE(d.Edit1->text(), QString());
            d.Button1->click();
        });
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY(p.platform.messages.first().contains(QStringLiteral("Νέα")));
        QCOMPARE(shortString(p.folder.read("program.nas"), 1045), QByteArray());
    }

    void cancelAfterChangingEverythingChangesNothing()
    {
        Program p;
        QByteArray before = record({2, 7, 13});
        before.append("beyond the record");
        p.platform.fontAnswers = {QFont(QStringLiteral("DejaVu Sans"), 20)};
        run(p, before, [&](Tnastavenia& d) {
            for (QCheckBox* b : checkBoxes(d))
                QTest::mouseClick(b, Qt::LeftButton);
            QTest::mouseClick(d.RadioButton2, Qt::LeftButton);
            for (RadioGroup* g : {d.a, d.c, d.d, d.ob})
                g->setItemIndex(1);
            typeText(d.ComboBox1->lineEdit(), QStringLiteral("iná.obl"));
            d.SpeedButton1->click();
            d.Button2->click();
        });
        QCOMPARE(p.folder.read("program.nas"), before);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.app->settings().data()), ProgramSettings::Size),
                 before.left(ProgramSettings::Size));
    }

    void failedSaveShowsTheErrorAndKeepsTheDialogOpen()
    {
        Program p;
        run(p, record({}), [&](Tnastavenia& d) {
            QTest::mouseClick(d.CheckBox8, Qt::LeftButton);
            {
                FileSizeLimit full(100);
                d.Button1->click();
            }
            QVERIFY(d.isVisible());
            QCOMPARE(p.platform.messages.size(), 1);
            // The accepted values are in memory already.
            QVERIFY(p.app->settings().flag(Flag::AllowMultipleForms));
            d.Button2->click();
        });
    }

    void f5RefillsTheWindowItWasOpenedFrom()
    {
        Program p;
        p.folder.write("program.nas", record({}));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.loadRecords();
        auto* slip = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        QCOMPARE(slip->od1->text(), QString());
        p.platform.onDialog = [](QDialog& dialog) {
            auto& d = static_cast<Tnastavenia&>(dialog);
            QTest::mouseClick(d.CheckBox1, Qt::LeftButton); // add the name
            d.PageControl1->setCurrentIndex(1);
            QTest::mouseClick(d.a->item(1), Qt::LeftButton); // as the sender
            d.Button1->click();
        };
        QCOMPARE(slip->Nastaveniaprogramu1->shortcut(), QKeySequence(Qt::Key_F5));
        slip->Nastaveniaprogramu1->trigger();
        QCOMPARE(slip->od1->text(), QStringLiteral("Ing. Ján Košický"));
        QCOMPARE(int(p.folder.read("program.nas")[0]), 1);
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "test_settings_dialog.moc"
