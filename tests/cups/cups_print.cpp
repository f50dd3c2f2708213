// Printing to a real CUPS scheduler of the test's own: a slip and an envelope
// from their windows to a queue picked by name, and zelvana-batch --printer,
// each job read back from the file the queue wrote; and queues that stop,
// refuse jobs or vanish between the print dialog and the job.
#include "printer/ChosenPrinter.h"
#include "CupsServer.h"

#include "ui/frame/Platform.h"
#include "ui/envelopes/Tobl.h"
#include "core/print/PrintJob.h"
#include "core/print/QtPrintCanvas.h"
#include "ui/slips/TApoukazka.h"
#include "support/Fixture.h"
#include "support/PdfPlacement.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QtTest>
#include <unistd.h>

namespace {

int pdfPages(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return -1;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QLatin1String("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Slip A's texts and where the rule puts them on the form (R = 102 mm).
const QList<PdfExpect> SlipAWords = {{"-1234-", 8, 39, 4},
                                      {"-50-", 8, 69, 4},
                                      {QStringLiteral("Košický"), 57, 25, 4},
                                      {QStringLiteral("Košický"), 57, 205, 4},
                                      {"987654", 31, 40, 3},
                                      {"20261207", 41, 97, 2}};

// Every printer gets its own shift; a job must take its printer's alone.
const FormShift QueueShift{2.5, -1.5};
const FormShift PdfShift{-7, 9};

} // namespace

class CupsPrintTest : public QObject {
    Q_OBJECT
public:
    explicit CupsPrintTest(quint16 port) : port_(port) {}

private:
    quint16 port_;
    CupsServer server;
    TempProgramFolder batchFolder;
    QString batchBinary;

    // Every job of `queue` done, `count` of them, and its file whole.
    bool waitForDone(const QString& queue, int count)
    {
        const QDeadlineTimer deadline(30000);
        for (;;) {
            QString error;
            const bool done = server.jobs(queue, "not-completed", &error).isEmpty() && error.isEmpty() &&
                              server.jobs(queue, "completed").size() == count && IsCompletePdf(server.outputOf(queue));
            if (done)
                return true;
            if (deadline.hasExpired())
                return false;
            QTest::qWait(50);
        }
    }

    // The printer as the print dialog leaves it once the user picked `queue`.
    static void choose(QPrinter& printer, const QString& queue) { printer.setPrinterName(queue); }

    static TApoukazka* openSlipA(Program& p)
    {
        p.folder.write("program.nas", settingsBytes({}));
        p.loadRecords();
        p.app->settings().setPrintFontSize(10);
        auto* w = qobject_cast<TApoukazka*>(OpenDocumentWindow(*p.app, FormKind::SlipA));
        w->suma->setText("1234");
        w->hal->setText("5");
        w->od1->setText(QStringLiteral("Košický"));
        w->cu1->setText("987654");
        w->vsymbol->setText("20261207");
        return w;
    }

    void writeShifts(const QString& path, const QString& queue)
    {
        QVERIFY(WriteShift(path, PdfPrinterName, PdfShift));
        QVERIFY(WriteShift(path, queue, QueueShift));
    }

    // A new queue, and a window's printer set on it as the dialog sets it.
    void newQueue(const QString& queue, QPrinter& printer)
    {
        const QString error = server.addQueue(queue);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(QPrinterInfo::availablePrinterNames().contains(queue), "Qt does not see the test's scheduler");
        choose(printer, queue);
        QCOMPARE(printer.outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(printer.printerName(), queue);
    }

    struct Batch {
        int code = -1;
        QString out, err;
    };
    Batch runBatch(const QString& queue)
    {
        QProcess p;
        p.setWorkingDirectory(QDir::tempPath());
        p.start(batchBinary, {"--form", "A", "--input", batchFolder.file("rows.csv"), "--printer", queue});
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished(5000);
            return {-1, {}, QStringLiteral("timeout")};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    void checkBatchPages(const QString& queue)
    {
        const QString out = server.outputOf(queue);
        QCOMPARE(pdfPages(out), 3);
        QString error;
        const QList<PdfWord> words = pdfWords(out, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        QPrinter printer(QPrinter::HighResolution);
        choose(printer, queue);
        // One row a page: each row's own texts, none of another's.
        checkPdfPlacement(words, printer, 102,
                       {{"-12-", 8, 39, 4}, {"-34-", 8, 39, 4}, {"-56-", 8, 39, 4},
                        {QStringLiteral("Prvý"), 57, 25, 4}, {QStringLiteral("Druhý"), 57, 25, 4},
                        {QStringLiteral("Tretí"), 57, 25, 4}},
                       ShiftOnPage(QueueShift, measuresOf(printer)));
    }

private slots:
    void initTestCase()
    {
        QString error;
        for (int attempt = 0; attempt < 5; ++attempt) {
            bool portTaken = false;
            error = server.start(port_, &portTaken);
            if (error.isEmpty() || !portTaken)
                break;
            // Lost the port to another process: nothing has asked CUPS anything yet.
            port_ = CupsServer::freeLoopbackPort();
            qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(port_));
        }
        if (!error.isEmpty() && ::geteuid() != 0)
            QSKIP(qPrintable(QStringLiteral("cupsd cannot be started by this user (run as root): ") + error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(qgetenv("CUPS_SERVER"), server.host().toUtf8());

        batchBinary = batchFolder.file("zelvana-batch");
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), batchBinary));
        QVERIFY(QFile::setPermissions(batchBinary, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        batchFolder.write("rows.csv", "suma;hal;od1\r\n12;5;Prvý\r\n34;;Druhý\r\n56;0;Tretí\r\n");
    }

    void cleanupTestCase() { server.stop(); }

    void slipAOnTheQueue()
    {
        const QString queue = QStringLiteral("zelvana-a");
        Program p;
        TApoukazka* w = openSlipA(p);
        writeShifts(p.folder.file(ShiftFileName), queue);
        QPrinter printer(QPrinter::HighResolution);
        newQueue(queue, printer);
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        w->Tlai1->trigger();
        QCOMPARE(p.platform.printDialogs, 1);
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QVERIFY2(waitForDone(queue, 1), qPrintable(server.log()));
        const QString out = server.outputOf(queue);
        QCOMPARE(pdfPages(out), 1);
        QString error;
        const QList<PdfWord> words = pdfWords(out, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        checkPdfPlacement(words, printer, 102, SlipAWords, ShiftOnPage(QueueShift, measuresOf(printer)));
    }

    void envelopeOnTheQueue()
    {
        const QString queue = QStringLiteral("zelvana-obalka");
        Program p;
        ProgramSettings s = settingsWith({});
        s.setEnvelopeTemplateName(toCp1250(QStringLiteral("DL 110x220.obl")));
        p.folder.write("program.nas", QByteArray(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size));
        p.folder.write("uziv.nas", personalBytes(Owner));
        p.folder.installShippedTemplates();
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QVERIFY(w);
        retype(w->od, QStringLiteral("Odosielateľ\nNábrežná"));
        retype(w->pozn, QStringLiteral("Doporučene"));
        retype(w->adr, QStringLiteral("Adresát\nBratislava"));
        writeShifts(p.folder.file(ShiftFileName), queue);
        QPrinter printer(QPrinter::HighResolution);
        newQueue(queue, printer);
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };
        w->Tlai1->trigger();
        QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        QVERIFY2(waitForDone(queue, 1), qPrintable(server.log()));
        const QString out = server.outputOf(queue);
        QCOMPARE(pdfPages(out), 1);
        QString error;
        const QList<PdfWord> words = pdfWords(out, &error);
        QVERIFY2(!words.isEmpty(), qPrintable(error));
        // The DL envelope, 110 mm across the page: its reference is its width.
        checkPdfPlacement(words, printer, 110,
                       {{QStringLiteral("Odosielateľ"), 110.0L / 16, 10},
                        {QStringLiteral("Nábrežná"), 110.0L / 16 + 4.5L, 10},
                        {QStringLiteral("Doporučene"), 3.7L * 110 / 16, 10},
                        {QStringLiteral("Adresát"), 66, 132},
                        {QStringLiteral("Bratislava"), 71.5L, 132}},
                       ShiftOnPage(QueueShift, measuresOf(printer)));
    }

    void batchOnTheQueue()
    {
        const QString queue = QStringLiteral("zelvana-batch");
        QVERIFY2(server.addQueue(queue).isEmpty(), qPrintable(server.log()));
        writeShifts(batchFolder.file(ShiftFileName), queue);
        const Batch r = runBatch(queue);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY2(r.out.contains(QStringLiteral("Vytlačené: 3 strany")), qPrintable(r.out));
        QVERIFY2(waitForDone(queue, 1), qPrintable(server.log()));
        checkBatchPages(queue);
    }

    // A stopped queue takes the job and holds it until it is started again:
    // the job is printed once, so it is no failure and the user is not told
    // to print again. A queue that refuses jobs, or is gone, printed nothing.
    void faultyQueue_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("stopped") << "stopped";
        QTest::newRow("rejecting") << "rejecting";
        QTest::newRow("deleted") << "deleted";
    }
    void faultyQueue()
    {
        QFETCH(QString, fault);
        const QString queue = QStringLiteral("zelvana-okno-") + fault;
        Program p;
        TApoukazka* w = openSlipA(p);
        QPrinter printer(QPrinter::HighResolution);
        newQueue(queue, printer);
        p.platform.printer = [&] { return CanvasOnChosenPrinter(printer); };

        // Between the dialog and the job.
        QString error;
        if (fault == "stopped")
            error = server.tool("cupsdisable", {queue});
        else if (fault == "rejecting")
            error = server.tool("cupsreject", {queue});
        else
            error = server.tool("lpadmin", {"-x", queue});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        w->Tlai1->trigger();

        if (fault == "stopped") {
            QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
            QCOMPARE(server.jobs(queue, "not-completed").size(), 1);
            QVERIFY(!QFileInfo::exists(server.outputOf(queue)));
            QVERIFY2((error = server.tool("cupsenable", {queue})).isEmpty(), qPrintable(error));
        } else {
            QCOMPARE(p.platform.messages, QStringList{PrintFailedMessage});
            QVERIFY(server.jobs({}, "not-completed", &error).isEmpty());
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY(!QFileInfo::exists(server.outputOf(queue)));
            // The window goes on: with the queue back, the same print goes out.
            error = fault == "rejecting" ? server.tool("cupsaccept", {queue}) : server.addQueue(queue);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            p.platform.messages.clear();
            w->Tlai1->trigger();
            QVERIFY2(p.platform.messages.isEmpty(), qPrintable(p.platform.messages.join('\n')));
        }
        QVERIFY2(waitForDone(queue, 1), qPrintable(server.log()));
        QCOMPARE(pdfPages(server.outputOf(queue)), 1);
        QString readError;
        const QList<PdfWord> words = pdfWords(server.outputOf(queue), &readError);
        QVERIFY2(!words.isEmpty(), qPrintable(readError));
        checkPdfPlacement(words, printer, 102, SlipAWords);
    }

    // The queue goes while the job is drawn: the job was handed to no queue.
    void queueGoneDuringTheJob_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("rejecting") << "rejecting";
        QTest::newRow("deleted") << "deleted";
    }
    void queueGoneDuringTheJob()
    {
        QFETCH(QString, fault);
        const QString queue = QStringLiteral("zelvana-behom-") + fault;
        QPrinter printer(QPrinter::HighResolution);
        newQueue(queue, printer);
        std::unique_ptr<PrintCanvas> canvas = CanvasOnChosenPrinter(printer);
        QVERIFY(canvas->beginDocument());
        DrawRotatedText(*canvas, QStringLiteral("-77-"), 100, 100, 270);
        const QString error = server.tool(fault == "rejecting" ? "cupsreject" : "lpadmin",
                                          fault == "rejecting" ? QStringList{queue} : QStringList{"-x", queue});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!canvas->endDocument());
        QVERIFY(!QFileInfo::exists(server.outputOf(queue)));
    }

    void faultyQueueInBatch_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("stopped") << "stopped" << 0 << QStringLiteral("Vytlačené: 3 strany");
        QTest::newRow("rejecting") << "rejecting" << 2 << PrintFailedMessage;
        QTest::newRow("deleted") << "deleted" << 2
                                 << QStringLiteral("Tlačiareň „zelvana-davka-deleted“ systém nepozná. Nič sa nevytlačilo.");
    }
    void faultyQueueInBatch()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(QString, message);
        const QString queue = QStringLiteral("zelvana-davka-") + fault;
        QString error = server.addQueue(queue);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        writeShifts(batchFolder.file(ShiftFileName), queue);
        if (fault == "stopped")
            error = server.tool("cupsdisable", {queue});
        else if (fault == "rejecting")
            error = server.tool("cupsreject", {queue});
        else
            error = server.tool("lpadmin", {"-x", queue});
        QVERIFY2(error.isEmpty(), qPrintable(error));

        const Batch r = runBatch(queue);
        QVERIFY2(r.code == code, qPrintable(QStringLiteral("status %1: %2%3").arg(r.code).arg(r.out, r.err)));
        QVERIFY2((code == 0 ? r.out : r.err).contains(message), qPrintable(r.out + r.err));
        if (code != 0) {
            QVERIFY(server.jobs({}, "not-completed", &error).isEmpty());
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY(!QFileInfo::exists(server.outputOf(queue)));
            return;
        }
        QCOMPARE(server.jobs(queue, "not-completed").size(), 1);
        QVERIFY(!QFileInfo::exists(server.outputOf(queue)));
        QVERIFY2((error = server.tool("cupsenable", {queue})).isEmpty(), qPrintable(error));
        QVERIFY2(waitForDone(queue, 1), qPrintable(server.log()));
        checkBatchPages(queue);
    }
};

int main(int argc, char** argv)
{
    // libcups, and Qt's print plugin through it, take the scheduler from
    // here; it is set before Qt or libcups run.
    const quint16 port = CupsServer::freeLoopbackPort();
    qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(port));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CupsPrintTest test(port);
    return QTest::qExec(&test, argc, argv);
}

#include "cups_print.moc"
