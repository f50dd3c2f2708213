// "História tlače…": a slip printed from its window is a row of the history,
// found, opened again, printed again, exported and deleted as a user does.
#include "core/batch/JobJournal.h"
#include "ui/history/Thistoria.h"
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <QtTest>

namespace {

void retypeLine(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

QList<JobSummary> recorded(Program& p)
{
    JournalOpen opened = Journal::open(p.folder.path());
    QString why;
    return opened.journal ? opened.journal->jobs({}, why) : QList<JobSummary>{};
}

QString cell(QTableView* table, int row, JobColumn column)
{
    return table->model()->index(row, static_cast<int>(column)).data().toString();
}

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

    // Prints slip A with a recipient and an amount through the window's menu.
    TApoukazka* printSlip(Program& p, RecordingCanvas& canvas)
    {
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AllowMultipleForms});
        retypeLine(w->client()->findChild<QLineEdit*>("suma"), "120");
        retypeLine(w->client()->findChild<QLineEdit*>("hal"), "5");
        retypeLine(w->vsymbol, "2026");
        retype(w->nazov_uctu, QStringLiteral("Ján Novák\nKošice"));
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        return w;
    }

private slots:
    void aPrintedSlipIsFoundOpenedPrintedAgainAndDeleted()
    {
        Program p;
        RecordingCanvas canvas(ExamplePrinter);
        TApoukazka* w = printSlip(p, canvas);
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QCOMPARE(recorded(p).size(), 1);

        std::function<void(Thistoria&)> user;
        p.platform.onDialog = [&](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d))
                box->button(QMessageBox::Yes)->click();
            else if (auto* h = qobject_cast<Thistoria*>(&d); h && user)
                user(*h);
        };
        user = [&](Thistoria& h) {
            QCOMPARE(h.objectName(), QStringLiteral("Thistoria"));
            QCOMPARE(h.windowTitle(), QStringLiteral("História tlače"));
            QCOMPARE(h.tlace->model()->rowCount(), 1);
            QCOMPARE(cell(h.tlace, 0, JobColumn::Form), QStringLiteral("A"));
            QCOMPARE(cell(h.tlace, 0, JobColumn::Recipient), QStringLiteral("Ján Novák"));
            QCOMPARE(cell(h.tlace, 0, JobColumn::Amount), QStringLiteral("120,5"));
            QCOMPARE(cell(h.tlace, 0, JobColumn::Symbol), QStringLiteral("2026"));
            QCOMPARE(cell(h.tlace, 0, JobColumn::Pages), QStringLiteral("1"));
            QCOMPARE(cell(h.tlace, 0, JobColumn::Outcome), QStringLiteral("vytlačené"));
            auto* search = h.findChild<QLineEdit*>("hladat");
            retypeLine(search, "Novakova");
            QCOMPARE(h.tlace->model()->rowCount(), 0);
            retypeLine(search, "novak kosice");
            QCOMPARE(h.tlace->model()->rowCount(), 1);
            retypeLine(search, QStringLiteral("Nóvak"));
            QCOMPARE(h.tlace->model()->rowCount(), 0);
            retypeLine(search, "Novak");
            QCOMPARE(h.tlace->model()->rowCount(), 1);
            h.tlace->selectRow(0);
            QCOMPARE(h.strany->topLevelItemCount(), 1);
            QVERIFY(h.strany->topLevelItem(0)->childCount() > 4);
            h.findChild<QPushButton*>("otvorit")->click();
        };
        const QList<DocumentWindow*> before = openDocumentWindows();
        w->Histriatlae1->trigger();
        DocumentWindow* opened = nullptr;
        for (DocumentWindow* d : openDocumentWindows())
            if (!before.contains(d))
                opened = d;
        auto* again = qobject_cast<TApoukazka*>(opened);
        QVERIFY(again);
        QCOMPARE(again->vsymbol->text(), QStringLiteral("2026"));
        QCOMPARE(again->nazov_uctu->toPlainText(), QStringLiteral("Ján Novák\nKošice"));
        QCOMPARE(again->client()->findChild<QLineEdit*>("suma")->text(), QStringLiteral("120"));

        // Printed again from the history, and exported.
        const QString table = p.folder.file("vyvoz.csv");
        p.platform.saveAnswers = {table};
        user = [&](Thistoria& h) {
            h.tlace->selectRow(0);
            h.findChild<QPushButton*>("vytlacit")->click();
            QCOMPARE(h.tlace->model()->rowCount(), 2);
            const auto id = [&](int row) { return h.tlace->model()->index(row, 0).data(JobIdRole).toLongLong(); };
            QVERIFY(id(0) > id(1)); // newest first
            h.tlace->horizontalHeader()->setSortIndicator(int(JobColumn::Time), Qt::AscendingOrder);
            QVERIFY(id(0) < id(1));
            h.formular->setCurrentText("C");
            QCOMPARE(h.tlace->model()->rowCount(), 0);
            h.formular->setCurrentText("A");
            QCOMPARE(h.tlace->model()->rowCount(), 2);
            h.od->setDate(QDate::currentDate().addDays(1));
            QCOMPARE(h.tlace->model()->rowCount(), 0);
            h.od->setDate(QDate::currentDate());
            QCOMPARE(h.tlace->model()->rowCount(), 2);
            h.tlace->selectRow(1);
            h.findChild<QPushButton*>("exportovat")->click();
        };
        const int pagesBefore = canvas.drawn.size();
        again->Histriatlae1->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        // The same words at the same places as the first print.
        QCOMPARE(canvas.drawn.size(), 2 * pagesBefore);
        for (int i = 0; i < pagesBefore; ++i) {
            const RotatedText &first = canvas.drawn[i], &second = canvas.drawn[pagesBefore + i];
            QCOMPARE(second.text, first.text);
            QCOMPARE(QPoint(second.x, second.y), QPoint(first.x, first.y));
        }
        const QList<JobSummary> jobs = recorded(p);
        QCOMPARE(jobs.size(), 2);
        QCOMPARE(jobs[0].source, JobSource::Table);
        QCOMPARE(jobs[0].sourceFile, QStringLiteral("história, tlač č. %1").arg(jobs[1].id));
        QFile exported(table);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(exported.readAll()).contains(QStringLiteral("Ján Novák")));

        // "Vymazať", answered "Áno", from the launcher's menu.
        user = [&](Thistoria& h) {
            h.tlace->selectAll();
            h.findChild<QPushButton*>("vymazat")->click();
            QCOMPARE(h.tlace->model()->rowCount(), 0);
        };
        p.folder.installShippedTips();
        p.launcher = std::make_unique<TForm1>(*p.app);
        p.launcher->findChild<QAction*>("Histriatlae1")->trigger();
        QVERIFY(recorded(p).isEmpty());
    }

    void aJournalThatCannotOpenIsToldAndTheWindowGoesOn()
    {
        Program p;
        p.loadRecords();
        QVERIFY(QDir().mkdir(p.folder.file(JournalFileName))); // no file: a folder in its place
        bool shown = false;
        p.platform.onDialog = [&](QDialog& d) {
            auto* h = qobject_cast<Thistoria*>(&d);
            QVERIFY(h);
            shown = true;
            for (const char* name : {"otvorit", "vytlacit", "exportovat", "vymazat"})
                h->findChild<QPushButton*>(name)->click();
            retypeLine(h->hladat, "Novak");
        };
        RunDialog(*p.app, DialogKind::History);
        QVERIFY(shown);
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY2(p.platform.messages[0].startsWith(QStringLiteral("Históriu tlače")), qPrintable(p.platform.messages[0]));
    }

    // Switched off in the history window, nothing is recorded; the settings dialog stays as it is.
    void switchedOffNothingIsRecorded()
    {
        Program p;
        p.loadRecords();
        p.platform.onDialog = [&](QDialog& d) {
            auto* h = qobject_cast<Thistoria*>(&d);
            QVERIFY(h);
            QVERIFY(h->viesthistoriu->isChecked());
            h->viesthistoriu->click();
            h->zavriet->click();
        };
        RunDialog(*p.app, DialogKind::History);
        QVERIFY(!JournalKept(p.folder.path()));
        p.platform.onDialog = {};
        RecordingCanvas canvas(ExamplePrinter);
        printSlip(p, canvas);
        QVERIFY(!canvas.drawn.isEmpty());
        QVERIFY(recorded(p).isEmpty());
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "test_history_window.moc"
