// The print journal as the real zelvana-batch keeps and uses it: its jobs
// listed, a job exported and printed back, printed again, and a journal that
// fails never stopping a print.
#include "core/journal/Journal.h"
#include "support/PdfWords.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QProcess>
#include <QtTest>
#include <csignal>

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

struct Batch {
    TempProgramFolder folder;
    QString binary = folder.file("zelvana-batch");

    Batch() { QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary); }

    Run run(const QStringList& args) const
    {
        QProcess p;
        p.start(binary, args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    Run print(const char* table, const char* pdf) const
    {
        folder.write(table, "suma;hal;vsymbol;od1\n1250;5;20260001;Ján Novák\n80;0;20260002;Zuzana Kováčová\n");
        return run({"--form", "A", "--input", folder.file(table), "--output", folder.file(pdf)});
    }
};

// The words of a PDF and where they stand, to the tenth of a point.
QStringList placedWords(const QString& pdf)
{
    QStringList out;
    for (const PdfWord& w : pdfWords(pdf))
        out << QStringLiteral("%1 %2 %3").arg(w.text).arg(w.box.left(), 0, 'f', 1).arg(w.box.top(), 0, 'f', 1);
    return out;
}

} // namespace

class BatchHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void jobsAreListedExportedAndPrintedAgain()
    {
        Batch b;
        const Run first = b.print("rows.csv", "first.pdf");
        QVERIFY2(first.code == 0, qPrintable(first.err));
        const QStringList printed = placedWords(b.folder.file("first.pdf"));
        QVERIFY(printed.size() > 10);

        Run list = b.run({"--history"});
        QCOMPARE(list.code, 0);
        QStringList fields = list.out.trimmed().split(QLatin1Char('\t'));
        QCOMPARE(fields.size(), 7);
        QCOMPARE(fields[0], QStringLiteral("1"));
        QCOMPARE(fields[2], QStringLiteral("A"));
        QCOMPARE(fields[3], QStringLiteral("2"));
        QCOMPARE(fields[4], b.folder.file("first.pdf"));
        QCOMPARE(fields[5], QStringLiteral("tabuľka ") + b.folder.file("rows.csv"));
        QCOMPARE(fields[6], QStringLiteral("vytlačené"));

        // The export is a table the batch prints to the same words at the same places.
        QCOMPARE(b.run({"--history-export", b.folder.file("back.csv"), "--job", "1"}).code, 0);
        const Run back = b.run({"--form", "A", "--input", b.folder.file("back.csv"), "--output", b.folder.file("back.pdf")});
        QVERIFY2(back.code == 0, qPrintable(back.err));
        QCOMPARE(placedWords(b.folder.file("back.pdf")), printed);

        const Run again = b.run({"--reprint", "1", "--output", b.folder.file("again.pdf")});
        QVERIFY2(again.code == 0, qPrintable(again.err));
        QCOMPARE(placedWords(b.folder.file("again.pdf")), printed);
        list = b.run({"--history"});
        const QStringList lines = list.out.trimmed().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3); // newest first
        QVERIFY2(lines[0].startsWith(QStringLiteral("3\t")) && lines[0].contains(QStringLiteral("história, tlač č. 1")),
                 qPrintable(lines[0]));

        const Run missing = b.run({"--reprint", "9", "--output", b.folder.file("none.pdf")});
        QCOMPARE(missing.code, 2);
        QVERIFY2(missing.err.contains(QStringLiteral("Tlač č. 9 v histórii nie je.")), qPrintable(missing.err));
        QVERIFY(!QFile::exists(b.folder.file("none.pdf")));
    }

    void aJournalThatIsNoDatabaseIsKeptAsideAndThePrintHappens()
    {
        Batch b;
        const QByteArray junk("this is a letter, not a database\n");
        b.folder.write("historia.sqlite", junk);
        const Run run = b.print("rows.csv", "out.pdf");
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(QFileInfo(b.folder.file("out.pdf")).size() > 0);
        const QStringList aside = QDir(b.folder.path()).entryList({"historia-poskodena-*.sqlite"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(b.folder.read(aside.first()), junk);
        QVERIFY2(run.err.contains(aside.first()), qPrintable(run.err));
        QCOMPARE(b.run({"--history"}).out.count(QLatin1Char('\n')), 1); // the new journal holds this print
    }

    void aSwitchedOffJournalRecordsNothing()
    {
        Batch b;
        b.folder.write("historia.ini", "viest=0\n");
        QCOMPARE(b.print("rows.csv", "out.pdf").code, 0);
        QVERIFY(!b.folder.exists("historia.sqlite"));
    }

    // Killed while printing or recording, a journal stays whole: a job is there with all its pages or not at all.
    void aKilledBatchLeavesAWholeJournal()
    {
        Batch b;
        QByteArray rows = "suma;vsymbol;od1\n";
        for (int i = 0; i < 5000; ++i)
            rows += QByteArray::number(100 + i) + ';' + QByteArray::number(i) + ";Ján Novák\n";
        b.folder.write("rows.csv", rows);
        for (int delay : {300, 1500, 4000, -1}) { // the last one ends by itself
            QProcess p;
            p.start(b.binary, {"--form", "A", "--input", b.folder.file("rows.csv"), "--output", b.folder.file("out.pdf")});
            QVERIFY(p.waitForStarted());
            p.waitForFinished(delay);
            if (p.state() != QProcess::NotRunning)
                ::kill(static_cast<pid_t>(p.processId()), SIGKILL);
            p.waitForFinished();
            JournalOpen opened = Journal::open(b.folder.path());
            QVERIFY2(opened.journal && opened.message.isEmpty(), qPrintable(opened.message));
            QString why;
            for (const JobSummary& job : opened.journal->jobs({}, why))
                QCOMPARE(job.pageCount, 5000);
            QVERIFY(why.isEmpty());
        }
    }
};

QTEST_MAIN(BatchHistoryTest)
#include "test_batch_history.moc"
