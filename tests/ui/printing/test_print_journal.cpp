// What a window's print, a failed print and a table print leave in the print
// journal, and a damaged journal that never stops a print.
#include "core/journal/Journal.h"
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/RecordingCanvas.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QList<JobSummary> jobsIn(Program& p)
{
    JournalOpen opened = Journal::open(p.folder.path());
    QString why;
    return opened.journal ? opened.journal->jobs({}, why) : QList<JobSummary>{};
}

QList<JournalPage> pagesOf(Program& p, qint64 job)
{
    JournalOpen opened = Journal::open(p.folder.path());
    QString why;
    return opened.journal ? opened.journal->pages(job, why) : QList<JournalPage>{};
}

} // namespace

class PrintJournalTest : public QObject {
    Q_OBJECT
private slots:
    void aWindowPrintIsRecordedAsPrinted()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {Flag::AutoAmountInWords});
        for (const auto& [name, text] : {std::pair{"suma", "1250"}, {"vsymbol", "20260001"}}) {
            auto* field = w->client()->findChild<QLineEdit*>(name);
            field->selectAll();
            typeText(field, QString::fromLatin1(text));
        }
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages, QStringList{});
        const QList<JobSummary> jobs = jobsIn(p);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].form.name, QStringLiteral("A"));
        QCOMPARE(jobs[0].source, JobSource::Window);
        QCOMPARE(jobs[0].targetName, QStringLiteral("recorder"));
        QCOMPARE(jobs[0].outcome, JobOutcome::Printed);
        const QList<JournalPage> pages = pagesOf(p, jobs[0].id);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages[0].text("suma"), QStringLiteral("1250"));
        QCOMPARE(pages[0].text("vsymbol"), QStringLiteral("20260001"));
        QVERIFY2(pages[0].text("slovom1").contains(QStringLiteral("tisíc")), qPrintable(pages[0].text("slovom1")));
    }

    void aFailedPrintIsRecordedWithTheMessageShown()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        RecordingCanvas canvas(ExamplePrinter);
        canvas.acceptBegin = false;
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.messages.size(), 1);
        const QList<JobSummary> jobs = jobsIn(p);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].outcome, JobOutcome::Failed);
        QCOMPARE(jobs[0].message, p.platform.messages.first());
    }

    void aTablePrintIsRecordedWithItsFile()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        p.folder.write("rows.csv", "suma;od1\n1;Ján Novák\n2;Zuzana\n");
        p.platform.fileAnswers = {p.folder.file("rows.csv")};
        p.platform.onDialog = [](QDialog& d) { d.findChild<QPushButton*>("print")->click(); };
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Hromadntla1->trigger();
        const QList<JobSummary> jobs = jobsIn(p);
        QCOMPARE(jobs.size(), 1);
        QCOMPARE(jobs[0].source, JobSource::Table);
        QCOMPARE(jobs[0].sourceFile, p.folder.file("rows.csv"));
        QCOMPARE(jobs[0].pageCount, 2);
        QCOMPARE(pagesOf(p, jobs[0].id).value(1).text("od1"), QStringLiteral("Zuzana"));
    }

    void aDamagedJournalIsSetAsideAndThePrintHappens()
    {
        Program p;
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        p.folder.write("historia.sqlite", QByteArray(8192, '\x5a'));
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        QCOMPARE(canvas.ended, 1);
        const QStringList aside = QDir(p.folder.path()).entryList({"historia-poskodena-*.sqlite"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(p.folder.read(aside.first()), QByteArray(8192, '\x5a'));
        QCOMPARE(p.platform.messages.size(), 1);
        QVERIFY2(p.platform.messages.first().contains(aside.first()), qPrintable(p.platform.messages.first()));
        QCOMPARE(jobsIn(p).size(), 1);
    }
};

QTEST_MAIN(PrintJournalTest)
#include "test_print_journal.moc"
