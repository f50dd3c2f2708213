// The envelope window driven as a user does: its controls, the fill from the
// personal data, the template list, and the print: through a recorder for the
// pixels and points, and once into a real PDF file read back.
#include "ui/widgets/CodePageEdit.h"
#include "ui/widgets/CodePageMemo.h"
#include "ui/desktop/Desktop.h"
#include "ui/widgets/RadioGroup.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "ui/widgets/SpinEdit.h"
#include "ui/envelopes/Tobl.h"
#include "ui/envelopes/Tsablona.h"
#include "ui/settings/Tnastavenia.h"
#include "ui/settings/Tosobne.h"
#include "core/print/QtPrintCanvas.h"
#include "support/Fixture.h"
#include "support/PdfWords.h"
#include "support/RecordingCanvas.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QAbstractButton>
#include <QMessageBox>
#include <QtTest>
#include <climits>
#include <sys/stat.h>

namespace {

const QString Spaces(44, QLatin1Char(' '));

QByteArray bytesOf(const EnvelopeTemplate& t)
{
    const EnvelopeTemplateBytes b = EncodeTemplate(t);
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    typeText(field, text);
}

QStringList comboItems(QComboBox* c)
{
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

} // namespace

class EnvelopeWindowTest : public QObject {
    Q_OBJECT

    // A program with the shipped templates, `flags` set, the owner's data and
    // `templateName` as the envelope template of the settings.
    static Tobl* open(Program& p, const QList<Flag>& flags, const QString& templateName = QStringLiteral("DL 110x220.obl"))
    {
        ProgramSettings s = settingsWith(flags);
        s.setEnvelopeTemplateName(toCp1250(templateName));
        p.folder.write("program.nas", QByteArray(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.folder.installShippedTemplates();
        p.loadRecords();
        return qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
    }

    static RecordingCanvas& recorder(Program& p, std::unique_ptr<RecordingCanvas>& keep,
                                     PageMeasures page = ExamplePrinter)
    {
        keep = std::make_unique<RecordingCanvas>(page);
        RecordingCanvas* target = keep.get();
        p.platform.printer = [target] { return std::make_unique<ProxyCanvas>(*target); };
        return *keep;
    }

private slots:
    void initTestCase() { SubstituteWindowsFaces(); }

    void controls()
    {
        Program p;
        Tobl* w = open(p, {});
        QVERIFY(w);
        QWidget* c = w->client();
        for (QPlainTextEdit* memo : {w->od, w->pozn, w->adr}) {
            QCOMPARE(memo->parentWidget(), c);
            QVERIFY(qobject_cast<CodePageMemo*>(memo));
            QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
            QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QVERIFY(memo->horizontalScrollBar()->isVisible());
            QVERIFY(memo->tabChangesFocus());
            QCOMPARE(memo->font().bold(), memo == w->adr);
            QVERIFY(c->rect().contains(memo->geometry()));
        }
        QCOMPARE(w->od->objectName(), QStringLiteral("od"));
        QCOMPARE(w->pozn->objectName(), QStringLiteral("pozn"));
        QCOMPARE(w->adr->objectName(), QStringLiteral("adr"));
        QCOMPARE(w->sablona->objectName(), QStringLiteral("sablona"));
        QVERIFY(w->sablona->isEditable());
        QVERIFY(qobject_cast<CodePageEdit*>(w->sablona->lineEdit()));
        QVERIFY(c->rect().contains(w->sablona->geometry()));
        QVERIFY(!w->FileListBox1->isVisible());
        QStringList captions;
        for (QLabel* l : c->findChildren<QLabel*>()) {
            captions << l->text();
            if (!l->text().isEmpty())
                QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
        }
        for (const QString& caption : {QStringLiteral("Odosielateľ:"), QStringLiteral("Poznámka"), QStringLiteral("Adresát"),
                                       QStringLiteral("Šablóna pre obálku")})
            QVERIFY2(captions.contains(caption), qPrintable(caption));
        // A typed line too long for the box scrolls rather than wraps.
        retype(w->od, QString(200, 'x'));
        QCOMPARE(w->od->document()->lineCount(), 1);
        QVERIFY(w->od->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(tabChain(w->adr, c, 4), (QList<QWidget*>{w->adr, w->od, w->pozn, w->sablona}));
        // The decoration at the top right: a picture, not a blank.
        QVERIFY(w->Image1->x() > c->width() / 2);
        QVERIFY(w->Image1->y() < 20);
        QVERIFY(c->rect().contains(w->Image1->geometry()));
        const QImage picture = w->Image1->pixmap().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }

    void templateListAndName()
    {
        Program p;
        p.folder.write("data/a mala.obl", bytesOf({1, 2, 3, 4}));
        p.folder.write("data/.skryta.obl", bytesOf({1, 2, 3, 4}));
        p.folder.write("data/poznamky.txt", "not a template");
        QDir().mkpath(p.folder.file("data/priecinok.obl"));
        Tobl* w = open(p, {}, QStringLiteral("taka nie je.obl"));
        const QStringList expected{"a mala.obl",     "B6 125x176.obl", "C4 229x324.obl",  "C5 162x229.obl",
                                   "C6 114x162.obl", "C6-5 114x229.obl", "DL 110x220.obl"};
        QCOMPARE(comboItems(w->sablona), expected);
        QCOMPARE(w->FileListBox1->count(), expected.size());
        QCOMPARE(w->sablona->currentText(), QStringLiteral("taka nie je.obl")); // whether or not it exists
        QVERIFY(p.platform.messages.isEmpty());
    }

    void newSettingsShowTheSingleSpace()
    {
        Program p;
        p.folder.installShippedTemplates();
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QCOMPARE(w->sablona->currentText(), QStringLiteral(" "));
        // Printing with it: the template cannot be opened.
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{Tobl::CannotOpenTemplateMessage});
        QCOMPARE(p.platform.printDialogs, 0);
    }

    void fill_data()
    {
        QTest::addColumn<QList<Flag>>("flags");
        QTest::addColumn<QString>("adr");
        QTest::addColumn<QString>("od");
        using L = QList<Flag>;
        const QString name = QStringLiteral("Ing. Ján Košický");
        const QString address = QStringLiteral("Hlavná 12\n04001 Košice");
        QTest::newRow("nothing set") << L{} << "" << "";
        QTest::newRow("recipient, name and address")
            << L{Flag::AddName, Flag::AddAddress, Flag::EnvelopeOwnerIsRecipient} << name + "\n" + address << "";
        QTest::newRow("recipient with country")
            << L{Flag::AddName, Flag::AddAddress, Flag::AddCountry, Flag::EnvelopeOwnerIsRecipient}
            << name + "\n" + address + "\nSR" << "";
        QTest::newRow("sender, name and address")
            << L{Flag::AddName, Flag::AddAddress, Flag::EnvelopeOwnerIsSender} << "" << name + "\n" + address;
        QTest::newRow("sender with country")
            << L{Flag::AddName, Flag::AddAddress, Flag::AddCountry, Flag::EnvelopeOwnerIsSender} << ""
            << name + "\n" + address + "\nSR";
        QTest::newRow("address without name") << L{Flag::AddAddress, Flag::EnvelopeOwnerIsSender} << "" << address;
        QTest::newRow("name without address") << L{Flag::AddName, Flag::EnvelopeOwnerIsRecipient} << name << "";
        QTest::newRow("country without address adds nothing")
            << L{Flag::AddName, Flag::AddCountry, Flag::EnvelopeOwnerIsRecipient} << name << "";
        QTest::newRow("both owner flags fill both")
            << L{Flag::AddName, Flag::EnvelopeOwnerIsRecipient, Flag::EnvelopeOwnerIsSender} << name << name;
        QTest::newRow("flags without an owner side") << L{Flag::AddName, Flag::AddAddress} << "" << "";
        QTest::newRow("the slips' owner flags are not the envelope's")
            << L{Flag::AddName, Flag::SlipAOwnerIsRecipient, Flag::SlipCOwnerIsSender} << "" << "";
    }
    void fill()
    {
        QFETCH(QList<Flag>, flags);
        QFETCH(QString, adr);
        QFETCH(QString, od);
        Program p;
        Tobl* w = open(p, flags);
        QCOMPARE(w->adr->toPlainText(), adr);
        QCOMPARE(w->od->toPlainText(), od);
        QCOMPARE(w->pozn->toPlainText(), QString());
    }

    void emptyPartsKeepTheirBlanks()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::AddAddress, Flag::EnvelopeOwnerIsSender}));
        p.folder.write("uziv.nas", personalBytes({{Personal::meno, "Eva"}, {Personal::priezvisko, "Mala"}}));
        p.folder.installShippedTemplates();
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QCOMPARE(w->od->toPlainText(), QStringLiteral(" Eva Mala\n \n "));
        QCOMPARE(MemoTextLines(w->od->toPlainText()), (QStringList{" Eva Mala", " ", " "}));
    }

    void longPartsAreJoinedWhole()
    {
        Program p;
        const QString longName(255, QLatin1Char('m'));
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::EnvelopeOwnerIsRecipient}));
        p.folder.write("uziv.nas", personalBytes({{Personal::meno, longName}, {Personal::priezvisko, "Dlhý"}}));
        p.folder.installShippedTemplates();
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QCOMPARE(w->adr->toPlainText(), " " + longName + QStringLiteral(" Dlhý"));
    }

    void refillAfterTheDialogs_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("personal data, accepted") << "Osobndaje1";
        QTest::newRow("settings, accepted") << "Nastaveniaprogramu1";
        QTest::newRow("personal data, cancelled") << "Osobndaje1-cancel";
    }
    void refillAfterTheDialogs()
    {
        QFETCH(QString, item);
        Program p;
        Tobl* w = open(p, {Flag::AddName, Flag::EnvelopeOwnerIsRecipient});
        retype(w->adr, "typed recipient");
        retype(w->od, "typed sender");
        retype(w->pozn, "Doporučene");
        QString expectedAdr, expectedOd;
        if (item == "Osobndaje1") {
            p.platform.onDialog = [](QDialog& d) {
                auto* dialog = qobject_cast<Tosobne*>(&d);
                QVERIFY(dialog);
                retype(dialog->meno, "Eva");
                QTest::mouseClick(dialog->BitBtn1, Qt::LeftButton);
            };
            expectedAdr = QStringLiteral("Ing. Eva Košický");
        } else if (item == "Nastaveniaprogramu1") {
            p.platform.onDialog = [](QDialog& d) {
                auto* dialog = qobject_cast<Tnastavenia*>(&d);
                QVERIFY(dialog);
                dialog->PageControl1->setCurrentIndex(1);
                QTest::mouseClick(dialog->ob->item(1), Qt::LeftButton); // the owner as sender
                QTest::mouseClick(dialog->Button1, Qt::LeftButton);
            };
            expectedOd = QStringLiteral("Ing. Ján Košický");
        } else {
            p.platform.onDialog = [](QDialog& d) {
                auto* dialog = qobject_cast<Tosobne*>(&d);
                QVERIFY(dialog);
                retype(dialog->meno, "Eva");
                QTest::mouseClick(dialog->BitBtn2, Qt::LeftButton);
            };
            expectedAdr = QStringLiteral("Ing. Ján Košický");
        }
        w->findChild<QAction*>(item.section('-', 0, 0))->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
        QCOMPARE(w->adr->toPlainText(), expectedAdr); // what was typed is gone
        QCOMPARE(w->od->toPlainText(), expectedOd);
        QCOMPARE(w->pozn->toPlainText(), QStringLiteral("Doporučene"));
        QCOMPARE(w->sablona->currentText(), QStringLiteral("DL 110x220.obl")); // not reread
    }

    void missingDataFolderIsReportedAndTheWindowOpens()
    {
        Program p;
        p.folder.write("program.nas", settingsBytes({Flag::AddName, Flag::EnvelopeOwnerIsRecipient}));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(p.app->OpenFormCount, 1);
        QCOMPARE(p.platform.messages, QStringList{"File not found"});
        QCOMPARE(w->sablona->count(), 0);
        QCOMPARE(w->sablona->currentText(), QString());
        QCOMPARE(w->adr->toPlainText(), QString()); // the rest of the creation was skipped
        // The window works: the refill and the print command report as usual.
        w->findChild<QAction*>("Osobndaje1")->trigger();
        QCOMPARE(w->adr->toPlainText(), QStringLiteral("Ing. Ján Košický"));
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages.last(), Tobl::CannotOpenTemplateMessage);
    }

    void unreadableDataFolderIsReported()
    {
        Program p;
        p.folder.write("data", "a file where the folder should be");
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QVERIFY(w);
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY(!p.platform.messages.first().isEmpty());
        QCOMPARE(w->sablona->count(), 0);
    }

    void workedExample()
    {
        Program p;
        Tobl* w = open(p, {});
        p.app->settings().setPrintFontName("Courier New");
        retype(w->od, QStringLiteral("Ján Košický\nHlavná 12"));
        retype(w->pozn, QStringLiteral("Doporučene"));
        retype(w->adr, QStringLiteral("Mária Veselá"));
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());
        QCOMPARE(p.platform.printDialogs, 1);
        QCOMPARE(canvas.begun, 1);
        QCOMPARE(canvas.ended, 1);
        struct Row {
            QString text;
            int x, y, size;
        };
        const QList<Row> rows = {{QStringLiteral("Ján Košický"), 2436, 236, 61},
                                 {QStringLiteral("Hlavná 12"), 2329, 236, 61},
                                 {QStringLiteral("Doporučene"), 1997, 236, 61},
                                 {QStringLiteral("Mária Veselá"), 1039, 3117, 74}};
        QCOMPARE(canvas.drawn.size(), rows.size());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const RotatedText& d = canvas.drawn[i];
            QCOMPARE(d.text, rows[i].text + Spaces);
            QCOMPARE(QPoint(d.x, d.y), QPoint(rows[i].x, rows[i].y));
            QCOMPARE(d.size, rows[i].size);
            QCOMPARE(d.angle, 270);
            QCOMPARE(d.face, QStringLiteral("Courier New"));
        }
        QCOMPARE(w->od->toPlainText(), QStringLiteral("Ján Košický\nHlavná 12")); // printing changes nothing
    }

    void emptyMemosAndEmptyLines()
    {
        Program p;
        Tobl* w = open(p, {});
        retype(w->od, "");
        retype(w->pozn, "");
        retype(w->adr, QStringLiteral("Adresát\n\nBratislava"));
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        QCOMPARE(canvas.drawn.size(), 3); // no sender, no note
        QCOMPARE(canvas.drawn[0].text, QStringLiteral("Adresát") + Spaces);
        QCOMPARE(canvas.drawn[1].text, Spaces);
        QCOMPARE(canvas.drawn[1].x, 909);
        QCOMPARE(canvas.drawn[2].text, QStringLiteral("Bratislava") + Spaces);
        QCOMPARE(canvas.drawn[2].x, 779);
        for (const RotatedText& d : canvas.drawn)
            QCOMPARE(d.y, 3117);
    }

    // A template with no width or height, or another file of data/, would
    // print an empty page reported as printed: the print and the preview refuse it.
    void unusableTemplatesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        const QString size = QStringLiteral("šablóna udáva obálku %1 × %2 mm");
        QTest::newRow("height zero") << "nula.obl" << bytesOf({110, 0, 11, 9}) << size.arg(110).arg(0);
        QTest::newRow("width zero") << "nula.obl" << bytesOf({0, 220, 11, 9}) << size.arg(0).arg(220);
        QTest::newRow("wizard's 0 x 0") << "nula.obl" << bytesOf({0, 0, 11, 9}) << size.arg(0).arg(0);
        QTest::newRow("negative") << "nula.obl" << bytesOf({-110, 220, 11, 9}) << size.arg(-110).arg(220);
        const QString fonts = QStringLiteral("šablóna udáva písmo adresáta %1 a odosielateľa %2");
        QTest::newRow("negative fonts") << "zle.obl" << bytesOf({110, 220, -11, -9}) << fonts.arg(-11).arg(-9);
        QTest::newRow("zero recipient font") << "zle.obl" << bytesOf({110, 220, 0, 9}) << fonts.arg(0).arg(9);
        QTest::newRow("tips file") << "subor1.tip" << bytesOf({110, 220, 11, 9}) << "príponou .obl";
        QTest::newRow("picture") << "oprograme.jpg" << bytesOf({110, 220, 11, 9}) << "príponou .obl";
    }
    void unusableTemplatesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        Program p;
        p.folder.write("data/" + name, bytes);
        Tobl* w = open(p, {}, name);
        retype(w->adr, "r");
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        w->Ukkapredtlaou1->trigger();
        QCOMPARE(p.platform.messages.size(), 2);
        for (const QString& m : p.platform.messages) {
            QVERIFY2(m.startsWith(QStringLiteral("Šablónu obálky „%1“ nemožno použiť").arg(name)), qPrintable(m));
            QVERIFY2(m.contains(why), qPrintable(m));
        }
        QCOMPARE(p.platform.printDialogs, 0);
        QCOMPARE(p.platform.dialogsRun, 0); // no preview either
        QCOMPARE(canvas.begun, 0);
    }

    void printingTwiceReadsTheTemplateTwice()
    {
        Program p;
        p.folder.write("data/moja.obl", bytesOf({110, 220, 11, 9}));
        Tobl* w = open(p, {}, "moja.obl");
        retype(w->od, "s");
        retype(w->adr, "r");
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        w->Tlai1->trigger();
        QCOMPARE(canvas.begun, 2);
        QCOMPARE(canvas.drawn.size(), 4);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(canvas.drawn[i + 2].text, canvas.drawn[i].text);
            QCOMPARE(QPoint(canvas.drawn[i + 2].x, canvas.drawn[i + 2].y), QPoint(canvas.drawn[i].x, canvas.drawn[i].y));
            QCOMPARE(canvas.drawn[i + 2].size, canvas.drawn[i].size);
        }
        // Changed on disk, the next print takes the new values: C5 162 x 229, fonts 10 and 8.
        p.folder.write("data/moja.obl", bytesOf({162, 229, 10, 8}));
        w->Tlai1->trigger();
        QCOMPARE(canvas.drawn.size(), 6);
        // RefX = 4724 x 0.81 = 3826.44; sender x 10.125 mm -> 239; recipient 97.2 mm -> 2296, y 137.4 mm.
        QCOMPARE(QPoint(canvas.drawn[4].x, canvas.drawn[4].y), QPoint(3826 - 239, 236));
        QCOMPARE(canvas.drawn[4].size, 54); // Trunc(8 / 5 x 33.89)
        QCOMPARE(QPoint(canvas.drawn[5].x, canvas.drawn[5].y), QPoint(3826 - 2296, 3245));
        QCOMPARE(canvas.drawn[5].size, 67);
    }

    void chosenFromTheListOrTyped()
    {
        Program p;
        Tobl* w = open(p, {}, " ");
        retype(w->adr, "r");
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        // Chosen from the list: the fifth item, C6 114 x 162.
        w->sablona->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(w->sablona, Qt::Key_Down);
        QCOMPARE(w->sablona->currentText(), QStringLiteral("C6 114x162.obl"));
        w->Tlai1->trigger();
        QCOMPARE(canvas.drawn.size(), 1);
        QCOMPARE(canvas.drawn[0].x, 2693 - 1616); // RefX 2692.68; 68.4 mm gives 1615.608
        // Typed, with the extension.
        retype(w->sablona->lineEdit(), QStringLiteral("C4 229x324.obl"));
        w->Tlai1->trigger();
        QCOMPARE(canvas.drawn.size(), 2);
        QCOMPARE(canvas.drawn[1].x, 5409 - 3245); // RefX 5408.98; 137.4 mm gives 3245.388
        // Typed without it: no such file.
        retype(w->sablona->lineEdit(), QStringLiteral("C4 229x324"));
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{Tobl::CannotOpenTemplateMessage});
        QCOMPARE(canvas.drawn.size(), 2);
    }

    void templatesThatCannotBeOpened_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("single space") << " ";
        QTest::newRow("no extension") << "DL 110x220";
        QTest::newRow("missing") << "ziadna.obl";
        QTest::newRow("other case") << "dl 110x220.obl";
        QTest::newRow("a file beside data") << "../program.nas";
        QTest::newRow("the folder above") << "..";
        QTest::newRow("data itself") << ".";
        QTest::newRow("absolute") << "/etc/hostname";
        QTest::newRow("backslash") << "..\\program.nas";
        QTest::newRow("a folder") << "priecinok.obl";
        QTest::newRow("a FIFO") << "fifo.obl";
    }
    void templatesThatCannotBeOpened()
    {
        QFETCH(QString, name);
        Program p;
        QDir().mkpath(p.folder.file("data/priecinok.obl"));
        QDir().mkpath(p.folder.file("data"));
        QCOMPARE(::mkfifo(QFile::encodeName(p.folder.file("data/fifo.obl")).constData(), 0644), 0);
        Tobl* w = open(p, {});
        retype(w->adr, "r");
        retype(w->sablona->lineEdit(), name);
        QCOMPARE(w->sablona->currentText(), name);
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{Tobl::CannotOpenTemplateMessage});
        QCOMPARE(p.platform.printDialogs, 0); // before any print dialog
        QCOMPARE(canvas.begun, 0);
    }

    void shortTemplateReadsBeyondItsEnd()
    {
        Program p;
        p.folder.write("data/kratka.obl", bytesOf({110, 220, 11, 9}).left(12));
        Tobl* w = open(p, {}, "kratka.obl");
        retype(w->adr, "r");
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{"Read beyond end of file"});
        QCOMPARE(p.platform.printDialogs, 0);
        QCOMPARE(canvas.begun, 0);
        QVERIFY(w->isVisible()); // the window goes on
    }

    void cancelledPrintDialogPrintsNothing()
    {
        Program p;
        Tobl* w = open(p, {});
        w->Tlai1->trigger(); // no printer set: the dialog is cancelled
        QCOMPARE(p.platform.printDialogs, 1);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void printerFailuresAreShown()
    {
        Program p;
        Tobl* w = open(p, {});
        std::unique_ptr<RecordingCanvas> keep;
        recorder(p, keep, {4724, 6778, 0, 287});
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{UnusablePrinterMessage});
        p.platform.messages.clear();
        RecordingCanvas& refusing = recorder(p, keep);
        refusing.acceptBegin = false;
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{PrintFailedMessage});
    }

    void absurdTemplateStillPrintsAPage()
    {
        Program p;
        p.folder.write("data/zla.obl", bytesOf({INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
        Tobl* w = open(p, {}, "zla.obl");
        retype(w->od, "s\nt");
        retype(w->pozn, "n");
        retype(w->adr, "r\nq");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = p.folder.file("zla.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), pdf); };
        // The text lands off the page: the user is asked, and may print anyway.
        p.platform.onDialog = [&](QDialog& d) {
            qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click();
        };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
        QVERIFY(p.platform.messages.isEmpty());
        QVERIFY(IsCompletePdf(pdf)); // the job is whole
    }

    void realPdfPrint()
    {
        Program p;
        Tobl* w = open(p, {});
        retype(w->od, QStringLiteral("Odosielateľ\nNábrežná"));
        retype(w->pozn, QStringLiteral("Doporučene"));
        retype(w->adr, QStringLiteral("Adresát\nBratislava"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = p.folder.file("obalka.pdf");
        printer.setOutputFileName(pdf);
        p.platform.printer = [&] { return std::make_unique<QtPrintCanvas>(printer, printer.printerName(), pdf); };
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());
        QVERIFY(IsCompletePdf(pdf));

        QString error;
        const QList<PdfWord> words = pdfWords(pdf, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        const PageMeasures page{printer.width(), printer.height(), printer.widthMM(), printer.heightMM()};
        const SlipPlacement place(page, 110);
        const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Point);
        const double ptPerPixel = 72.0 / printer.resolution();
        const double mm = 72 / 25.4;
        struct Expect {
            QString text;
            long double xMm, yMm;
            bool recipient;
        };
        const QList<Expect> expected = {{QStringLiteral("Odosielateľ"), 110.0L / 16, 10, false},
                                        {QStringLiteral("Nábrežná"), 110.0L / 16 + 4.5L, 10, false},
                                        {QStringLiteral("Doporučene"), 3.7L * 110 / 16, 10, false},
                                        {QStringLiteral("Adresát"), 66, 132, true},
                                        {QStringLiteral("Bratislava"), 71.5L, 132, true}};
        const int senderSize = BasePrintSize(page, 9, 5), recipientSize = BasePrintSize(page, 11, 5);
        for (const Expect& e : expected) {
            QList<PdfWord> found;
            for (const PdfWord& word : words)
                if (word.text == e.text)
                    found << word;
            QVERIFY2(found.size() == 1, qPrintable(e.text + QStringLiteral(": %1 times").arg(found.size())));
            const QRectF box = found.first().box;
            const double top = printable.left() + place.DeviceX(e.xMm) * ptPerPixel; // letter tops face right
            const double start = printable.top() + place.DeviceY(e.yMm) * ptPerPixel;
            QVERIFY2(qAbs(box.right() - top) < mm, qPrintable(e.text + QStringLiteral(": top at %1, rule %2").arg(box.right()).arg(top)));
            QVERIFY2(qAbs(box.top() - start) < mm, qPrintable(e.text + QStringLiteral(": start at %1, rule %2").arg(box.top()).arg(start)));
            QVERIFY2(box.height() > box.width(), qPrintable(e.text + " is not turned"));
            // Turned, the box's width is the letters' height: about the em of Part size x 96 / 72 pixels.
            const double em = MulDiv(e.recipient ? recipientSize : senderSize, 96, 72) * ptPerPixel;
            // The box spans the font's ascent and descent: 1.36 em for Noto Sans
            // Mono, which the font mapper prefers where it is installed.
            QVERIFY2(box.width() > 0.6 * em && box.width() < 1.45 * em,
                     qPrintable(e.text + QStringLiteral(": %1 pt high, em %2 pt").arg(box.width()).arg(em)));
        }
    }

    void wizardFromTheWindowLeavesItsListAlone()
    {
        Program p;
        Tobl* first = open(p, {Flag::AllowMultipleForms, Flag::AddName, Flag::EnvelopeOwnerIsRecipient});
        const QStringList before = comboItems(first->sablona);
        retype(first->pozn, "kept");
        p.platform.onDialog = [](QDialog& d) {
            auto* wizard = qobject_cast<Tsablona*>(&d);
            QVERIFY(wizard);
            retype(wizard->SpinEdit2->editor(), "100");
            retype(wizard->SpinEdit1->editor(), "200");
            retype(wizard->Edit1, QStringLiteral("Nová"));
            QTest::mouseClick(wizard->Button1, Qt::LeftButton);
            QTest::mouseClick(wizard->Button1, Qt::LeftButton);
            QTest::mouseClick(wizard->Button3, Qt::LeftButton);
        };
        first->Novablnapreoblky1->trigger();
        QCOMPARE(p.platform.dialogsRun, 1);
        QCOMPARE(p.folder.read(QStringLiteral("data/Nová.obl")), bytesOf({100, 200, 11, 9}));
        QCOMPARE(comboItems(first->sablona), before);
        QCOMPARE(first->pozn->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(first->adr->toPlainText(), QStringLiteral("Ing. Ján Košický"));

        first->Oblka1->trigger();
        QCOMPARE(p.app->OpenFormCount, 2);
        Tobl* second = nullptr;
        for (DocumentWindow* d : openDocumentWindows())
            if (d != first)
                second = qobject_cast<Tobl*>(d);
        QVERIFY(second);
        QVERIFY(comboItems(second->sablona).contains(QStringLiteral("Nová.obl")));
        QCOMPARE(comboItems(second->sablona).size(), before.size() + 1);
        // And it prints from it.
        retype(second->sablona->lineEdit(), QStringLiteral("Nová.obl"));
        retype(second->adr, "r");
        std::unique_ptr<RecordingCanvas> keep;
        RecordingCanvas& canvas = recorder(p, keep);
        second->Tlai1->trigger();
        QCOMPARE(canvas.drawn.size(), 1);
        QCOMPARE(canvas.drawn[0].y, 2834); // 60 % of 200 mm: 6778 x 120 / 287 = 2834.01
    }
};

QTEST_MAIN(EnvelopeWindowTest)
#include "test_envelope_window.moc"
