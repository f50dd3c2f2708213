// The personal data dialog driven as a user does: typed fields, the bank
// button, accept and cancel, and the bytes of uziv.nas and banky.cbx after.
#include "ui/desktop/Desktop.h"
#include "ui/frame/DocumentKind.h"
#include "ui/settings/Tosobne.h"
#include "ui/slips/TApoukazka.h"
#include "support/FileFaults.h"
#include "support/Fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <unistd.h>

static QByteArray slot(const QByteArray& record, Personal field)
{
    const QByteArray s = record.mid(int(field) * 256, 256);
    return s.mid(1, static_cast<unsigned char>(s[0]));
}

static QByteArray cp1250(const QString& text) { return QByteArray::fromStdString(toCp1250(text)); }

// Replaces a field's text as a user does: select all, type.
static void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

class PersonalDialogTest : public QObject {
    Q_OBJECT

    // Opens the dialog from the launcher's popup item and lets `user` act in it.
    static void fromLauncher(Program& p, std::function<void(Tosobne&)> user)
    {
        p.platform.onDialog = [user](QDialog& d) {
            auto* dialog = qobject_cast<Tosobne*>(&d);
            QVERIFY(dialog);
            user(*dialog);
        };
        p.launcher->findChild<QAction*>("Osobnnastavenia1")->trigger();
    }

    static void start(Program& p, const QByteArray& personal = personalBytes(Owner))
    {
        p.folder.write("uziv.nas", personal);
        p.folder.write("program.nas", settingsBytes({}));
        p.folder.installShippedTips();
        p.start();
    }

private slots:
    // The faces the program maps at start, so widths are those users see.
    void initTestCase() { SubstituteWindowsFaces(); }

    void looksAsDesigned()
    {
        Program p;
        start(p);
        fromLauncher(p, [](Tosobne& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Osobné údaje"));
            QCOMPARE(d.size(), QSize(209, 286));
            QCOMPARE(d.pos(), QPoint(267, 115));
            QCOMPARE(d.PageControl1->count(), 2);
            QCOMPARE(d.PageControl1->tabText(0), QStringLiteral("Adresa"));
            QCOMPARE(d.PageControl1->tabText(1), QStringLiteral("Ostatné údaje"));
            QCOMPARE(d.PageControl1->currentIndex(), 0);
            QCOMPARE(d.BitBtn1->text(), QStringLiteral("Akceptovať"));
            QCOMPARE(d.BitBtn2->text(), QStringLiteral("Zrušiť"));
            QVERIFY(d.BitBtn1->isDefault());
            QStringList captions;
            for (QLabel* l : d.findChildren<QLabel*>())
                captions << l->text();
            for (const char* c : {"Titul", "Meno", "Priezvisko", "Názov ulice", "číslo domu", "Mesto/obec", "PSČ", "Štát",
                                  "Predvolený peňažný ústav", "Ćíslo účtu", "Názov účtu adresáta", "K. symbol",
                                  "Prev. pošta VAKÚP"})
                QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
            // Every field sits inside the dialog, its caption readable.
            for (int page = 0; page < 2; ++page) {
                d.PageControl1->setCurrentIndex(page);
                QWidget* shown = d.PageControl1->currentWidget();
                for (QWidget* w : shown->findChildren<QWidget*>()) {
                    if (!w->isVisible() || w->parentWidget() != shown)
                        continue;
                    QVERIFY2(shown->rect().contains(w->geometry()), qPrintable(w->objectName()));
                    if (auto* l = qobject_cast<QLabel*>(w))
                        QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()), qPrintable(l->text()));
                }
            }
            QCOMPARE(d.psc->maxLength(), 5);
            QCOMPARE(d.PV->maxLength(), 5);
            QCOMPARE(tabChain(d.meno, d.meno->parentWidget(), 8),
                     (QList<QWidget*>{d.meno, d.priezvisko, d.ulica, d.cd, d.mesto, d.psc, d.stat, d.titul}));
            d.BitBtn2->click();
        });
        QCOMPARE(p.platform.dialogsRun, 1);
    }

    void loadsEveryFieldAndTheBankList()
    {
        Program p;
        p.folder.write("banky.cbx", cp1250(QStringLiteral("Prvá banka\r\nDruhá banka\nTretia\r")));
        start(p);
        fromLauncher(p, [](Tosobne& d) {
            QCOMPARE(d.titul->text(), QStringLiteral("Ing."));
            QCOMPARE(d.meno->text(), QStringLiteral("Ján"));
            QCOMPARE(d.priezvisko->text(), QStringLiteral("Košický"));
            QCOMPARE(d.ulica->text(), QStringLiteral("Hlavná"));
            QCOMPARE(d.cd->text(), QStringLiteral("12"));
            QCOMPARE(d.psc->text(), QStringLiteral("04001"));
            QCOMPARE(d.mesto->text(), QStringLiteral("Košice"));
            QCOMPARE(d.stat->text(), QStringLiteral("SR"));
            QCOMPARE(d.CU->text(), QStringLiteral("123456/0200"));
            QCOMPARE(d.nazov->toPlainText(), QStringLiteral("Spolok\nKošice")); // CR LF shown as two lines
            QCOMPARE(d.ksymbol->text(), QStringLiteral("0558"));
            QCOMPARE(d.PV->text(), QStringLiteral("04012"));
            QCOMPARE(d.pv2->text(), QStringLiteral("Košice 1"));
            // The stored bank is the text although it is not in the list.
            QCOMPARE(d.PU->currentText(), QStringLiteral("Moja banka"));
            QStringList items;
            for (int i = 0; i < d.PU->count(); ++i)
                items << d.PU->itemText(i);
            QCOMPARE(items, (QStringList{QStringLiteral("Prvá banka"), QStringLiteral("Druhá banka"), "Tretia"}));
            d.BitBtn2->click();
        });
    }

    void missingBankListIsCreatedEmpty()
    {
        Program p;
        start(p);
        QVERIFY(!p.folder.exists("banky.cbx"));
        fromLauncher(p, [](Tosobne& d) {
            QCOMPARE(d.PU->count(), 0);
            d.BitBtn2->click();
        });
        QVERIFY(p.folder.exists("banky.cbx"));
        QCOMPARE(p.folder.read("banky.cbx"), QByteArray());
    }

    void acceptStoresEveryFieldByteExact()
    {
        Program p;
        QByteArray before = personalBytes({});
        before.append("tail bytes beyond the record");
        start(p, before);
        fromLauncher(p, [](Tosobne& d) {
            retype(d.meno, QStringLiteral("Mária"));
            retype(d.priezvisko, QStringLiteral("Nováková"));
            retype(d.titul, QStringLiteral("Mgr."));
            retype(d.ulica, QStringLiteral("Štúrova"));
            retype(d.cd, QStringLiteral("7/A"));
            retype(d.mesto, QStringLiteral("Žilina"));
            retype(d.psc, QStringLiteral("01001"));
            retype(d.stat, QStringLiteral("Slovensko"));
            d.PageControl1->setCurrentIndex(1);
            d.PU->setFocus();
            typeText(d.PU->lineEdit(), QStringLiteral("Poštová banka"));
            retype(d.CU, QStringLiteral("998877/6500"));
            d.nazov->setFocus();
            typeText(d.nazov, QStringLiteral("Spolok"));
            QTest::keyClick(d.nazov, Qt::Key_Return);
            typeText(d.nazov, QStringLiteral("Žilina"));
            retype(d.ksymbol, QStringLiteral("0308"));
            retype(d.PV, QStringLiteral("01002"));
            retype(d.pv2, QStringLiteral("Žilina 2"));
            d.BitBtn1->click();
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Accepted));
        });
        const QByteArray file = p.folder.read("uziv.nas");
        QCOMPARE(file.size(), 3584 + 28);
        QCOMPARE(file.mid(3584), QByteArray("tail bytes beyond the record")); // never touched
        const std::pair<Personal, QString> expected[] = {
            {Personal::meno, QStringLiteral("Mária")},     {Personal::priezvisko, QStringLiteral("Nováková")},
            {Personal::titul, QStringLiteral("Mgr.")},     {Personal::psc, QStringLiteral("01001")},
            {Personal::ulica, QStringLiteral("Štúrova")},  {Personal::mesto, QStringLiteral("Žilina")},
            {Personal::cd, QStringLiteral("7/A")},         {Personal::stat, QStringLiteral("Slovensko")},
            {Personal::CU, QStringLiteral("998877/6500")}, {Personal::PU, QStringLiteral("Poštová banka")},
            {Personal::nazov, QStringLiteral("Spolok\r\nŽilina")}, {Personal::ksymbol, QStringLiteral("0308")},
            {Personal::PV, QStringLiteral("01002")},       {Personal::pv2, QStringLiteral("Žilina 2")}};
        for (const auto& [field, text] : expected)
            QCOMPARE(slot(file, field), cp1250(text));
        QCOMPARE(p.app->personal().get(Personal::meno), toCp1250(QStringLiteral("Mária")));
        // The typed bank was not added with the button: the list stays empty.
        QCOMPARE(p.folder.read("banky.cbx"), QByteArray());
    }

    void fieldsAreCutTo255Characters()
    {
        Program p;
        start(p, personalBytes({}));
        const QString longStreet = QString(300, QLatin1Char('s'));
        fromLauncher(p, [&](Tosobne& d) {
            d.ulica->setText(longStreet); // the field holds what the record keeps, no more
            QCOMPARE(d.ulica->text().size(), 255);
            d.nazov->setPlainText(QString(200, QLatin1Char('a')) + "\n" + QString(100, QLatin1Char('b')));
            QCOMPARE(d.nazov->toPlainText(), QString(200, QLatin1Char('a')) + "\n" + QString(53, QLatin1Char('b')));
            d.BitBtn1->click();
        });
        const QByteArray file = p.folder.read("uziv.nas");
        QCOMPARE(slot(file, Personal::ulica), QByteArray(255, 's'));
        QCOMPARE(slot(file, Personal::nazov), QByteArray(200, 'a') + "\r\n" + QByteArray(53, 'b'));
    }

    void everyFieldHoldsWhatItsSlotKeeps()
    {
        Program p;
        start(p, personalBytes({}));
        fromLauncher(p, [&](Tosobne& d) {
            for (QLineEdit* e : {d.titul, d.meno, d.priezvisko, d.ulica, d.cd, d.mesto, d.stat, d.CU, d.ksymbol, d.pv2,
                                 d.PU->lineEdit()}) {
                e->setFocus();
                e->setText(QString(254, QLatin1Char('x')));
                e->end(false);
                typeText(e, QStringLiteral("ýžč"));
                QCOMPARE(e->text(), QString(254, QLatin1Char('x')) + QStringLiteral("ý"));
            }
            // Typed into the memo: a line break counts as the two bytes it is stored as.
            d.nazov->setPlainText(QString(252, QLatin1Char('n')));
            d.nazov->moveCursor(QTextCursor::End);
            QTest::keyClick(d.nazov, Qt::Key_Return);
            QTest::keyClicks(d.nazov, QStringLiteral("ab"));
            QCOMPARE(d.nazov->toPlainText(), QString(252, QLatin1Char('n')) + QStringLiteral("\na"));
            QTest::keyClick(d.nazov, Qt::Key_Return);
            QCOMPARE(d.nazov->toPlainText(), QString(252, QLatin1Char('n')) + QStringLiteral("\na"));
            d.BitBtn1->click();
        });
        const QByteArray file = p.folder.read("uziv.nas");
        QCOMPARE(slot(file, Personal::meno), QByteArray(254, 'x') + "\xFD");
        QCOMPARE(slot(file, Personal::nazov), QByteArray(252, 'n') + "\r\na");
    }

    void bankButtonAddsTheTextOnce()
    {
        Program p;
        start(p, personalBytes({}));
        fromLauncher(p, [](Tosobne& d) {
            d.PageControl1->setCurrentIndex(1);
            d.SpeedButton1->click(); // empty text: nothing
            QCOMPARE(d.PU->count(), 0);
            d.PU->setFocus();
            typeText(d.PU->lineEdit(), QStringLiteral("Tatra banka"));
            d.SpeedButton1->click();
            d.SpeedButton1->click();
            d.PU->lineEdit()->selectAll();
            typeText(d.PU->lineEdit(), QStringLiteral("TATRA banka")); // other letter case: another bank
            d.SpeedButton1->click();
            QCOMPARE(d.PU->count(), 2);
            d.BitBtn1->click();
        });
        QCOMPARE(p.folder.read("banky.cbx"), cp1250(QStringLiteral("Tatra banka\r\nTATRA banka\r\n")));
        QCOMPARE(slot(p.folder.read("uziv.nas"), Personal::PU), QByteArray("TATRA banka"));
    }

    void cancelAndCloseChangeNothing_data()
    {
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("Zrušiť") << false;
        QTest::newRow("close button of the frame") << true;
    }
    void cancelAndCloseChangeNothing()
    {
        QFETCH(bool, byCloseButton);
        Program p;
        p.folder.write("banky.cbx", "Jedna\r\n");
        start(p);
        const QByteArray fileBefore = p.folder.read("uziv.nas");
        const Cp1250 nameBefore = p.app->personal().get(Personal::meno);
        fromLauncher(p, [&](Tosobne& d) {
            retype(d.meno, QStringLiteral("Iné meno"));
            retype(d.psc, QStringLiteral("99999"));
            d.PageControl1->setCurrentIndex(1);
            typeText(d.PU->lineEdit(), QStringLiteral(" navyše"));
            d.SpeedButton1->click();
            if (byCloseButton)
                d.close();
            else
                d.BitBtn2->click();
            QCOMPARE(d.result(), int(QDialog::Rejected));
        });
        QCOMPARE(p.folder.read("uziv.nas"), fileBefore);
        QCOMPARE(p.folder.read("banky.cbx"), QByteArray("Jedna\r\n"));
        QCOMPARE(p.app->personal().get(Personal::meno), nameBefore);
    }

    void invalidPostcodeChangesNothingAndSaysWhy_data()
    {
        QTest::addColumn<QString>("postcode");
        QTest::newRow("a letter") << "040a1";
        QTest::newRow("a space") << "040 1";
        QTest::newRow("a sign") << "-4001";
    }
    void invalidPostcodeChangesNothingAndSaysWhy()
    {
        QFETCH(QString, postcode);
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::SlipAOwnerIsSender}));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.loadRecords();
        auto* slip = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        const QByteArray fileBefore = p.folder.read("uziv.nas");
        const QByteArray memoryBefore(reinterpret_cast<const char*>(p.app->personal().data()), PersonalData::Size);
        p.platform.onDialog = [&](QDialog& dialog) {
            auto& d = static_cast<Tosobne&>(dialog);
            retype(d.meno, QStringLiteral("Peter"));
            d.PageControl1->setCurrentIndex(1);
            retype(d.psc, postcode); // letters go in while typing
            QCOMPARE(d.psc->text(), postcode);
            d.BitBtn1->click();
            QVERIFY(d.isVisible()); // still open
            QCOMPARE(p.platform.messages, QStringList{Tosobne::PostcodeMessage});
            QCOMPARE(d.PageControl1->currentIndex(), 0);
            QCOMPARE(d.focusWidget(), d.psc);
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.app->personal().data()), PersonalData::Size),
                     memoryBefore);
            d.BitBtn2->click();
        };
        slip->Osobndaje1->trigger();
        QCOMPARE(p.folder.read("uziv.nas"), fileBefore);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.app->personal().data()), PersonalData::Size), memoryBefore);
        QCOMPARE(slip->od1->text(), QStringLiteral("Ing. Ján Košický")); // refilled with the old name
    }

    void validPostcodes_data()
    {
        QTest::addColumn<QString>("postcode");
        QTest::newRow("five digits") << "04001";
        QTest::newRow("empty") << "";
        QTest::newRow("fewer digits") << "123";
    }
    void validPostcodes()
    {
        QFETCH(QString, postcode);
        Program p;
        start(p);
        fromLauncher(p, [&](Tosobne& d) {
            retype(d.psc, postcode);
            d.BitBtn1->click();
            QVERIFY(!d.isVisible());
        });
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(slot(p.folder.read("uziv.nas"), Personal::psc), postcode.toLatin1());
    }

    void failedSaveShowsTheErrorAndStaysOpen()
    {
        Program p;
        start(p, personalBytes({}));
        fromLauncher(p, [&](Tosobne& d) {
            retype(d.meno, QStringLiteral("Eva"));
            {
                FileSizeLimit full(100); // the disk takes no more than 100 bytes of a file
                d.BitBtn1->click();
            }
            QVERIFY(d.isVisible());
            QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Disk full")});
            d.BitBtn2->click();
        });
        // Memory keeps what was accepted, so a later accept can save it.
        QCOMPARE(p.app->personal().get(Personal::meno), Cp1250("Eva"));
    }

    void readOnlyRecordFileIsReported()
    {
        if (geteuid() == 0)
            QSKIP("root writes read-only files");
        Program p;
        p.folder.write("uziv.nas", personalBytes(Owner));
        QFile::setPermissions(p.folder.file("uziv.nas"), QFile::ReadOwner);
        p.folder.installShippedTips();
        p.start(); // start-up reports the file and stops
        p.platform.messages.clear();
        fromLauncher(p, [&](Tosobne& d) {
            d.BitBtn1->click();
            QVERIFY(d.isVisible());
            QCOMPARE(p.platform.messages.size(), 1);
            d.BitBtn2->click();
        });
        QCOMPARE(p.folder.read("uziv.nas"), personalBytes(Owner));
    }

    void documentWindowRefillsItselfAloneAfterACancel()
    {
        Program p;
        p.folder.write("program.nas",
                       settingsBytes({Flag::AllowMultipleForms, Flag::AddName, Flag::SlipAOwnerIsSender}));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.loadRecords();
        auto* first = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        auto* second = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        for (TApoukazka* w : {first, second}) {
            w->od1->setText(QStringLiteral("typed by hand"));
            w->vsymbol->setText("123");
        }
        p.platform.onDialog = [](QDialog& d) { static_cast<Tosobne&>(d).BitBtn2->click(); };
        first->Osobndaje1->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
        QCOMPARE(first->od1->text(), QStringLiteral("Ing. Ján Košický"));
        QCOMPARE(first->vsymbol->text(), QString());
        QCOMPARE(second->od1->text(), QStringLiteral("typed by hand"));
        QCOMPARE(second->vsymbol->text(), QStringLiteral("123"));
    }

    void launcherRefillsNoWindow()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::SlipAOwnerIsSender}));
        start(p);
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::SlipAOwnerIsSender}));
        QTest::mouseClick(p.launcher->Image1, Qt::LeftButton);
        auto* slip = qobject_cast<TApoukazka*>(openDocumentWindows().value(0));
        QVERIFY(slip);
        fromLauncher(p, [](Tosobne& d) {
            retype(d.meno, QStringLiteral("Eva"));
            d.BitBtn1->click();
        });
        QCOMPARE(slot(p.folder.read("uziv.nas"), Personal::meno), QByteArray("Eva"));
        QCOMPARE(slip->od1->text(), QString()); // settings were all off when it opened; nothing refilled
    }

    void textOutsideTheCodePageCannotBeTyped()
    {
        Program p;
        start(p, personalBytes({}));
        fromLauncher(p, [&](Tosobne& d) {
            d.meno->setFocus();
            typeText(d.meno, QStringLiteral("AΩB"));
            d.nazov->setFocus();
            typeText(d.nazov, QStringLiteral("xΩy"));
            d.BitBtn1->click();
        });
        const QByteArray file = p.folder.read("uziv.nas");
        QCOMPARE(slot(file, Personal::meno), QByteArray("AB"));
        QCOMPARE(slot(file, Personal::nazov), QByteArray("xy"));
        QCOMPARE(p.platform.hints.size(), 2);
    }
};

QTEST_MAIN(PersonalDialogTest)
#include "test_personal_dialog.moc"
