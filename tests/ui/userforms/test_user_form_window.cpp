// A user form opened from the menus: built from its layout, filled from the
// personal data, its words following the amount as it is typed; printed, it
// gives the same words at the same places and the same QR code as the real
// zelvana-batch given the same row.
#include "support/Fixture.h"
#include "support/PayBySquareDecode.h"
#include "support/PdfCodes.h"
#include "support/PdfWords.h"
#include "printer/ChosenPrinter.h"
#include "ui/userforms/Tformular.h"

#include <QLineEdit>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

namespace {

const QByteArray Layout = R"({
  "format": "zelvana-form", "version": 1, "name": "Príspevok spolku", "size_mm": [200, 90],
  "page": { "paper": "A4", "offset_mm": [5, 150], "rotation": 0 },
  "fields": [
    { "name": "prijemca", "caption": "Príjemca", "kind": "text", "fill": "{titul} {meno} {priezvisko}", "x_mm": 10, "y_mm": 8, "width_mm": 90, "height_mm": 6 },
    { "name": "suma", "caption": "Suma", "kind": "amount", "align": "right", "x_mm": 120, "y_mm": 8, "width_mm": 40, "height_mm": 6 },
    { "name": "slovom", "kind": "words", "source": "suma", "x_mm": 10, "y_mm": 18, "width_mm": 150, "height_mm": 6 },
    { "name": "vs", "kind": "symbol", "x_mm": 10, "y_mm": 28, "width_mm": 50, "height_mm": 6, "boxes": { "count": 10, "pitch_mm": 5 } },
    { "name": "iban", "kind": "iban", "x_mm": 10, "y_mm": 38, "width_mm": 100, "height_mm": 6 },
    { "name": "datum", "kind": "date", "x_mm": 120, "y_mm": 28, "width_mm": 40, "height_mm": 6 },
    { "name": "adresa", "kind": "text", "lines": 2, "x_mm": 10, "y_mm": 48, "width_mm": 90, "height_mm": 10 },
    { "kind": "static", "value": "Ďakujeme", "x_mm": 10, "y_mm": 70, "width_mm": 40, "height_mm": 6 },
    { "name": "qr", "kind": "paybysquare", "x_mm": 160, "y_mm": 40, "size_mm": 36,
      "payment": { "iban": "iban", "amount": "suma", "vs": "vs", "due": "datum", "beneficiary": "prijemca" } }
  ]
})";

const QList<Flag> Flags{Flag::AllowMultipleForms};

// The item of the launcher's "Vlastné formuláre" named so, chosen: the window it opened.
Tformular* openFromMenu(Program& p, const QString& name)
{
    auto* forms = p.launcher->findChild<QMenu*>(QStringLiteral("Vlastnformulre1"));
    if (!forms)
        return nullptr;
    emit forms->aboutToShow(); // the list is read as the menu opens
    for (QAction* a : forms->actions())
        if (a->text() == name)
            a->trigger();
    const QList<DocumentWindow*> open = openDocumentWindows();
    return open.isEmpty() ? nullptr : qobject_cast<Tformular*>(open.last());
}

// The program started with the form in formulare/, the form opened from the launcher's menu.
Tformular* startWithForm(Program& p)
{
    p.folder.installShippedTips();
    p.folder.write("program.nas", settingsBytes(Flags));
    p.folder.write("uziv.nas", personalBytes(Owner));
    p.folder.write("formulare/spolok.json", Layout);
    p.start();
    return openFromMenu(p, QStringLiteral("Príspevok spolku"));
}

void typeInto(Tformular* w, const char* field, const QString& text)
{
    QWidget* control = w->client()->findChild<QWidget*>(QLatin1String(field));
    control->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(control))
        e->selectAll();
    else
        qobject_cast<QPlainTextEdit*>(control)->selectAll();
    QTest::keyClick(control, Qt::Key_Delete);
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(control, Qt::Key_Return);
        typeText(control, lines[i]);
    }
}

} // namespace

class UserFormWindowTest : public QObject {
    Q_OBJECT
private slots:
    void typedAndPrintedAsTheBatchPrintsTheRow()
    {
        Program p;
        Tformular* w = startWithForm(p);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Príspevok spolku"));
        auto text = [&](const char* name) { return w->client()->findChild<QLineEdit*>(QLatin1String(name))->text(); };
        QCOMPARE(text("prijemca"), QStringLiteral("Ing. Ján Košický"));
        QVERIFY(w->findChild<QAction*>(QStringLiteral("Vlastnformulre1")));
        QVERIFY(w->findChild<QAction*>(QStringLiteral("Otvoriformulrzosboru1")));

        typeInto(w, "suma", QStringLiteral("1234,5"));
        QCOMPARE(text("slovom"), QStringLiteral("-jedentisícdvestotridsaťštyri- EUR 50/100"));
        typeInto(w, "vs", QStringLiteral("2027"));
        typeInto(w, "iban", QStringLiteral("SK3112000000198742637541"));
        typeInto(w, "datum", QStringLiteral("31.1.2030"));
        typeInto(w, "adresa", QStringLiteral("Hlavná 1\n040 01 Košice"));

        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfFile(printer, p.folder.file("window.pdf"));
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        w->Tlai1->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));

        const QString batch = p.folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), batch));
        QVERIFY(QFile::setPermissions(batch, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        p.folder.write("row.csv", QStringLiteral("suma;vs;iban;datum;adresa\n1234,5;2027;SK3112000000198742637541;"
                                                 "31.1.2030;\"Hlavná 1\r\n040 01 Košice\"\n").toUtf8());
        QProcess run;
        run.start(batch, {"--form", "spolok", "--input", p.folder.file("row.csv"), "--output", p.folder.file("batch.pdf")});
        QVERIFY(run.waitForFinished(60000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());

        QString error;
        const QList<PdfWord> fromWindow = pdfWords(p.folder.file("window.pdf"), &error);
        const QList<PdfWord> fromBatch = pdfWords(p.folder.file("batch.pdf"), &error);
        QVERIFY2(fromWindow.size() > 10, qPrintable(error));
        QCOMPARE(fromBatch.size(), fromWindow.size());
        for (qsizetype i = 0; i < fromWindow.size(); ++i) {
            QCOMPARE(fromBatch[i].text, fromWindow[i].text);
            QVERIFY2((fromBatch[i].box.center() - fromWindow[i].box.center()).manhattanLength() < 1,
                     qPrintable(fromWindow[i].text));
        }
        // The amount ends at its box's right edge: 5 + 120 + 40 mm from the paper's left.
        const auto amount = std::find_if(fromWindow.begin(), fromWindow.end(), [](const PdfWord& wd) { return wd.text == "234,50"; });
        QVERIFY(amount != fromWindow.end());
        QVERIFY2(qAbs(amount->box.right() - 165 * 72 / 25.4) < 1.5, qPrintable(QString::number(amount->box.right())));
        const QStringList windowCode = ReadQrCodes(p.folder.file("window.pdf"), &error);
        QVERIFY2(windowCode.size() == 1 && !windowCode.first().isEmpty(), qPrintable(error));
        QCOMPARE(ReadQrCodes(p.folder.file("batch.pdf"), &error), windowCode);
        const std::optional<DecodedPayBySquare> code = DecodePayBySquare(windowCode.first());
        QVERIFY(code && code->fields.size() == 19);
        QCOMPARE(code->fields[3], QByteArray("1234.5"));
        QCOMPARE(code->fields[5], QByteArray("20300131"));
        QCOMPARE(code->fields[6], QByteArray("2027"));
        QCOMPARE(code->fields[12], QByteArray("SK3112000000198742637541"));
        QCOMPARE(code->fields[16], QByteArray("Ing. Jan Kosicky"));
    }

    void windowRefusesWhatTheFormCannotPrint()
    {
        Program p;
        Tformular* w = startWithForm(p);
        QVERIFY(w);
        typeInto(w, "suma", QStringLiteral("12,3,4"));
        QVERIFY(text(w, "slovom").isEmpty());
        p.platform.printer = [] { return nullptr; };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.printDialogs, 0);
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY2(p.platform.messages.first().startsWith(QStringLiteral("Suma: zadajte sumu")), qPrintable(p.platform.messages.first()));
    }

    void brokenFileOpensNoWindowAndSaysWhy()
    {
        Program p;
        p.folder.installShippedTips();
        p.folder.write("program.nas", settingsBytes(Flags));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.folder.write("zly.json", QByteArray(Layout).replace("\"kind\": \"iban\"", "\"kind\": \"ibna\""));
        p.start();
        p.platform.fileAnswers.push_back(p.folder.file("zly.json"));
        p.launcher->findChild<QAction*>(QStringLiteral("Otvoriformulrzosboru1"))->trigger();
        QCOMPARE(p.platform.fileDialogs, 1);
        QVERIFY(openDocumentWindows().isEmpty());
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY2(p.platform.messages.first().contains(QStringLiteral("Neznámy druh poľa „ibna“ v poli „iban“")),
                 qPrintable(p.platform.messages.first()));
        // In formulare/, it is listed by its file name and says why it opens nothing.
        p.folder.write("formulare/zly.json", p.folder.read("zly.json"));
        p.platform.messages.clear();
        QVERIFY(!openFromMenu(p, QStringLiteral("zly.json (chybný popis)")));
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY(p.platform.messages.first().contains(QStringLiteral("„ibna“")));
    }

    void manyFieldsScrollAndTabBringsEachIntoView()
    {
        QByteArray fields;
        for (int i = 1; i <= 40; ++i)
            fields += QStringLiteral("%1{ \"name\": \"f%2\", \"kind\": \"text\", \"x_mm\": 5, \"y_mm\": %2, \"width_mm\": 50, "
                                     "\"height_mm\": 1 }").arg(i > 1 ? "," : "").arg(i).toUtf8();
        Program p;
        p.folder.installShippedTips();
        p.folder.write("program.nas", settingsBytes(Flags));
        p.folder.write("formulare/dlhy.json", R"({ "format": "zelvana-form", "version": 1, "name": "Dlhý",
            "size_mm": [100, 100], "fields": [)" + fields + "] }");
        p.start();
        p.platform.fileAnswers.push_back(p.folder.file("formulare/dlhy.json"));
        p.launcher->findChild<QAction*>(QStringLiteral("Otvoriformulrzosboru1"))->trigger();
        QCOMPARE(openDocumentWindows().size(), 1);
        DocumentWindow* w = openDocumentWindows().first();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(w->client()->height(), 600);
        auto* scroll = w->client()->findChild<QScrollArea*>(QStringLiteral("posuvnik"));
        QVERIFY(scroll && scroll->verticalScrollBar()->value() == 0);
        QWidget* last = w->client()->findChild<QLineEdit*>(QStringLiteral("f40"));
        QVERIFY(last);
        QWidget* before = w->client()->findChild<QLineEdit*>(QStringLiteral("f39"));
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(scroll->verticalScrollBar()->value() > 0);
    }

private:
    static QString text(Tformular* w, const char* name)
    {
        return w->client()->findChild<QLineEdit*>(QLatin1String(name))->text();
    }
};

QTEST_MAIN(UserFormWindowTest)
#include "test_user_form_window.moc"
