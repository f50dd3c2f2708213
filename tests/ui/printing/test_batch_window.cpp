// A table row prints exactly what a new window typed with the same values
// prints, and "Hromadná tlač…" runs the table through the window's dialogs.
#include "core/batch/BatchJob.h"
#include "ui/envelopes/Tobl.h"
#include "ui/widgets/MemoLines.h"
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/PdfWords.h"
#include "support/RecordingCanvas.h"
#include "printer/ChosenPrinter.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/FontFaces.h"
#include "core/forms/slips/SlipForms.h"

#include <QFontInfo>
#include <QPrinter>
#include <QProcess>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString describe(const QList<RotatedText>& texts)
{
    QStringList out;
    for (const RotatedText& t : texts)
        out << QStringLiteral("%1@%2,%3/%4/%5/%6").arg(t.text.trimmed()).arg(t.x).arg(t.y).arg(t.size).arg(t.emPixels).arg(t.face);
    return out.join('\n');
}

// As a user does: into each control, select all, type the value (Enter for a
// line break); an empty value deletes what was there.
void typeInto(QWidget* control, const QString& value)
{
    QWidget* target = control;
    if (auto* combo = qobject_cast<QComboBox*>(control))
        target = combo->lineEdit();
    target->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(target))
        e->selectAll();
    else if (auto* m = qobject_cast<QPlainTextEdit*>(target))
        m->selectAll();
    if (value.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Delete);
        return;
    }
    const QStringList lines = value.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(target, Qt::Key_Return);
        typeText(target, lines[i]);
    }
}

QString writeTable(Program& p, const QString& name, const QByteArray& bytes)
{
    p.folder.write(name, bytes);
    return p.folder.file(name);
}

} // namespace

class BatchWindowTest : public QObject {
    Q_OBJECT

    const QList<Flag> flags{Flag::AddName, Flag::AddAddress, Flag::AddAccount, Flag::AddBank, Flag::AddConstantSymbol,
                            Flag::SlipAOwnerIsRecipient, Flag::SlipAOwnerIsSender, Flag::AutoAmountInWords,
                            Flag::AllowMultipleForms, Flag::EnvelopeOwnerIsSender};

private slots:
    void rowsPrintWhatTypedWindowsPrint()
    {
        Program p;
        auto* first = openWith<TApoukazka>(p, FormKind::SlipA, flags);
        QVERIFY(first);
        p.app->settings().setPrintFontSize(10);
        // The memo wraps on screen as the print wraps it.
        QCOMPARE(WrapWidth(first->nazov_uctu), SlipMemoWrapWidth);
        QCOMPARE(first->nazov_uctu->font().pixelSize(), SlipMemoFont().pixelSize());
        QCOMPARE(first->nazov_uctu->font().family(), SlipMemoFont().family());
        QCOMPARE(first->nazov_uctu->font().hintingPreference(), SlipMemoFont().hintingPreference());
        delete first;

        const QStringList header{"suma", "hal", "cu1", "nazov_uctu", "vsymbol", "od2", "odpsc", "slovomh"};
        const QList<QStringList> rows{
            {"1234", "5", "998877", QStringLiteral("Združenie vlastníkov bytov a nebytových priestorov\nKošice"),
             "2026", QStringLiteral("Hlavná 1; byt 3"), "04011", ""},
            {"", "", "", "", "", "", "", QStringLiteral("-bez halierov-")},
            {"19999", "0", "1", "Spolok", "77", "", "", ""}};
        QByteArray table = header.join(';').toUtf8() + "\r\n";
        for (const QStringList& r : rows) {
            QStringList cells;
            for (const QString& c : r)
                cells << (c.contains(';') || c.contains('\n') ? '"' + QString(c).replace('\n', "\r\n") + '"' : c);
            table += cells.join(';').toUtf8() + "\r\n";
        }
        // Only the second row clears slovomh itself; the others leave the words to hal.
        const QString path = writeTable(p, "rows.csv", table);

        BatchContext context;
        context.form = FormKind::SlipA;
        context.settings = p.app->settings();
        context.personal = p.app->personal();
        context.programFolder = p.folder.path();
        const BatchCheck check = CheckTable(context, path);
        QVERIFY2(check.ok(), qPrintable(check.report(10)));
        PagedRecorder batch;
        QCOMPARE(PrintTable(batch, context, path, {}, false).outcome, PrintOutcome::Printed);
        QCOMPARE(batch.starts.size(), 3);

        for (int i = 0; i < rows.size(); ++i) {
            auto* w = new TApoukazka(*p.app);
            for (int c = 0; c < header.size(); ++c) {
                if (header[c] == "slovomh" && rows[i][c].isEmpty())
                    continue; // an empty words cell is not typed: the words follow hal
                typeInto(w->client()->findChild<QWidget*>(header[c]), rows[i][c]);
            }
            QVERIFY(p.platform.messages.isEmpty());
            RecordingCanvas single(ExamplePrinter);
            p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(single); };
            // A long account name at 10 points runs into the next part: asked, and printed as the batch prints it.
            p.platform.onDialog = [&](QDialog& d) {
                qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click();
            };
            w->Tlai1->trigger();
            QVERIFY(!single.drawn.isEmpty());
            QCOMPARE(describe(batch.page(i)), describe(single.drawn));
            delete w;
        }
    }

    void memoWrapsAsInAWindowWithTheProgramsFacesWhateverPlatformTheBatchIsGiven_data()
    {
        QTest::addColumn<QString>("memo");
        QTest::addColumn<bool>("fullHinting"); // asked for in the user's fonts setup
        // "obci" fits its line in Liberation Sans only; the others are within
        // 1 px of the memo's width, over it when every advance is rounded.
        const QString edge = QStringLiteral("Poľnohospodárske družstvo Trnava\nZákladná škola s materskou Brezno");
        QTest::newRow("faces") << QStringLiteral("Jeden\nDva, tri\nBytové družstvo pracujúcich v obci Veľká Čierna") << false;
        QTest::newRow("edge") << edge << false;
        QTest::newRow("edge, full hinting") << edge << true;
    }
    void memoWrapsAsInAWindowWithTheProgramsFacesWhateverPlatformTheBatchIsGiven()
    {
        // The real zelvana-batch, started where the desktop asks for another
        // platform: its memo lines must break where those of a window with
        // the program's faces do (the real window is held against it in the
        // end-to-end suite).
        QFETCH(QString, memo);
        QFETCH(bool, fullHinting);
        SubstituteWindowsFaces();
        QVERIFY2(QFontInfo(SlipMemoFont()).family() == QStringLiteral("Liberation Sans"), "fonts-liberation is missing");
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        typeInto(w->nazov_uctu, memo);
        const QString windowPdf = p.folder.file("window.pdf");
        QPrinter printer(QPrinter::HighResolution);
        SetUpPdfFile(printer, windowPdf);
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        // Its long line runs into the next part: asked, and printed all the same.
        p.platform.onDialog = [&](QDialog& d) { qobject_cast<QMessageBox*>(&d)->button(QMessageBox::Yes)->click(); };
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());

        const QString batch = p.folder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), batch));
        QVERIFY(QFile::setPermissions(batch, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        writeTable(p, "memo.csv", ("nazov_uctu\n\"" + QString(memo).replace('\n', "\r\n") + "\"\n").toUtf8());
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("minimal"));
        if (fullHinting) {
            p.folder.write("fonts.conf", "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig>"
                                         "<include>/etc/fonts/fonts.conf</include><match target=\"pattern\"><edit "
                                         "name=\"hintstyle\" mode=\"assign\"><const>hintfull</const></edit></match></fontconfig>");
            env.insert(QStringLiteral("FONTCONFIG_FILE"), p.folder.file("fonts.conf"));
        }
        run.setProcessEnvironment(env);
        run.start(batch, {"--form", "A", "--input", p.folder.file("memo.csv"), "--output", p.folder.file("batch.pdf")});
        QVERIFY(run.waitForFinished(60000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());

        QString error;
        const QList<PdfWord> fromWindow = pdfWords(windowPdf, &error);
        const QList<PdfWord> fromBatch = pdfWords(p.folder.file("batch.pdf"), &error);
        QVERIFY2(!fromWindow.isEmpty(), qPrintable(error));
        QCOMPARE(fromBatch.size(), fromWindow.size());
        for (qsizetype i = 0; i < fromWindow.size(); ++i) {
            QCOMPARE(fromBatch[i].text, fromWindow[i].text);
            QVERIFY2((fromBatch[i].box.center() - fromWindow[i].box.center()).manhattanLength() < 1,
                     qPrintable(fromWindow[i].text));
        }
    }

    void envelopeRowsPrintWhatTheWindowPrints()
    {
        Program p;
        p.folder.installShippedTemplates();
        auto* w = openWith<Tobl>(p, FormKind::Envelope, flags);
        const QString templateName = w->sablona->itemText(0);
        QVERIFY(!templateName.isEmpty());
        const QString path = writeTable(p, "env.csv",
                                        ("adr,pozn,sablona\n\"Jana Nová\nHlavná 1\n04001 Košice\",Doporučene," + templateName
                                         + "\n").toUtf8());
        typeInto(w->adr, QStringLiteral("Jana Nová\nHlavná 1\n04001 Košice"));
        typeInto(w->pozn, QStringLiteral("Doporučene"));
        w->sablona->setCurrentText(templateName);
        RecordingCanvas single(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(single); };
        w->Tlai1->trigger();
        QVERIFY(p.platform.messages.isEmpty());

        BatchContext context;
        context.form = FormKind::Envelope;
        context.settings = p.app->settings();
        context.personal = p.app->personal();
        context.programFolder = p.folder.path();
        QVERIFY(CheckTable(context, path).ok());
        PagedRecorder batch;
        QCOMPARE(PrintTable(batch, context, path, {}, false).outcome, PrintOutcome::Printed);
        QVERIFY(describe(single.drawn).contains(QStringLiteral("Ing. Ján Košický"))); // the sender from the records
        QCOMPARE(describe(batch.drawn), describe(single.drawn));
    }

    void menuRunsTheTableAndCancelsAfterAPage()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, flags);
        const QString path = writeTable(p, "three.csv", "suma;od1\n1;a\n2;b\n3;c\n");
        p.platform.fileAnswers = {path};
        QString shown;
        p.platform.onDialog = [&](QDialog& d) {
            shown = d.findChild<QLabel*>("summary")->text();
            d.findChild<QPushButton*>("print")->click();
        };
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        p.platform.cancelAfter = 1;
        w->Hromadntla1->trigger();
        QVERIFY2(shown.contains(QStringLiteral("3 strany na tlač")), qPrintable(shown));
        QCOMPARE(p.platform.printDialogs, 1);
        QCOMPARE(p.platform.progressSteps, QList<int>{1});
        QCOMPARE(canvas.pages, 0); // one page, no second one begun
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(p.platform.messages, QStringList{QStringLiteral("Hromadná tlač bola zrušená; vytlačené: 1 strana.")});
    }

    // A PDF file chosen in the print dialog that is the program's own file,
    // or the table being printed, is refused and left as it was.
    void printDialogFileThatIsTheProgramsOwnIsRefused()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, flags);
        const QByteArray table("suma;od1\n1;a\n");
        const QString path = writeTable(p, "one.csv", table);
        QPrinter printer(QPrinter::HighResolution);
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        SetUpPdfFile(printer, p.folder.file("uziv.nas"));
        w->Tlai1->trigger();
        SetUpPdfFile(printer, path);
        p.platform.fileAnswers = {path};
        p.platform.onDialog = [&](QDialog& d) { d.findChild<QPushButton*>("print")->click(); };
        w->Hromadntla1->trigger();
        const QString refused = QStringLiteral("Do súboru „%1“ sa tlačiť nebude: %2. Nič sa nevytlačilo.");
        QCOMPARE(p.platform.messages,
                 (QStringList{refused.arg(p.folder.file("uziv.nas"),
                                          QStringLiteral("je to súbor programu Zelvana v priečinku „%1“")
                                              .arg(QDir(p.folder.path()).canonicalPath())),
                              refused.arg(path, QStringLiteral("je to tabuľka, z ktorej sa tlačí"))}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), table);
        QVERIFY(!p.folder.exists("uziv.nas") || QFileInfo(p.folder.file("uziv.nas")).size() != 0);
        // A PDF of the user's own is written, and no scratch file stays.
        SetUpPdfFile(printer, p.folder.file("moj.pdf"));
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages.size(), 2);
        QVERIFY(IsCompletePdf(p.folder.file("moj.pdf")));
        QCOMPARE(QDir(p.folder.path()).entryList({".moj.pdf*"}, QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(printer.outputFileName(), p.folder.file("moj.pdf"));
    }

    // "Hromadná tlač…" tries every page on the chosen printer and asks,
    // naming the rows, before texts print out of their place.
    void menuAsksBeforeTextsOutOfPlace()
    {
        for (const bool yes : {false, true}) {
            Program p;
            auto* w = openWith<TApoukazka>(p, FormKind::SlipA, flags);
            const QString path = writeTable(p, "fit.csv", "suma;od1\n1;a\n2;" + QByteArray(400, 'm') + "\n");
            p.platform.fileAnswers = {path};
            QStringList asked;
            p.platform.onDialog = [&](QDialog& d) {
                if (auto* box = qobject_cast<QMessageBox*>(&d)) {
                    asked << box->text();
                    box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
                } else {
                    d.findChild<QPushButton*>("print")->click();
                }
            };
            RecordingCanvas canvas(ExamplePrinter);
            p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
            w->Hromadntla1->trigger();
            QCOMPARE(asked.size(), 1);
            QVERIFY2(asked[0].contains(QStringLiteral("Riadok 3, stĺpec „od1“: text by padol mimo tlačovej plochy"))
                         && !asked[0].contains(QStringLiteral("Riadok 2")),
                     qPrintable(asked[0]));
            QCOMPARE(canvas.begun, yes ? 1 : 0);
        }
    }

    void menuShowsTheProblemsAndPrintsNothing()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, flags);
        const QString path = writeTable(p, "bad.csv", "suma;odpsc\n1x;1\n2;123456\n");
        p.platform.fileAnswers = {path};
        QString shown;
        bool printOffered = true;
        p.platform.onDialog = [&](QDialog& d) {
            shown = d.findChild<QLabel*>("summary")->text();
            printOffered = d.findChild<QPushButton*>("print") != nullptr;
            d.findChild<QPushButton*>("cancel")->click();
        };
        w->Hromadntla1->trigger();
        QVERIFY(!printOffered);
        QVERIFY2(shown.contains(QStringLiteral("Riadok 2, stĺpec „suma“")), qPrintable(shown));
        QVERIFY2(shown.contains(QStringLiteral("Riadok 3, stĺpec „odpsc“")), qPrintable(shown));
        QCOMPARE(p.platform.printDialogs, 0);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void cancelledFileDialogDoesNothing()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, flags);
        w->Hromadntla1->trigger();
        QCOMPARE(p.platform.fileDialogs, 1);
        QCOMPARE(p.platform.dialogsRun, 0);
        QCOMPARE(p.platform.printDialogs, 0);
    }
};

QTEST_MAIN(BatchWindowTest)
#include "test_batch_window.moc"
