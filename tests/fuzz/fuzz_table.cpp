// The table of a batch print, read through libcsv: any bytes give rows or a
// message with the line, never a hang; rows written back as a plain table
// read back the same; and a table the check finds clean prints one page per
// row, every row, for each form.
#include "FuzzSupport.h"
#include "core/batch/BatchJob.h"
#include "core/batch/Table.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "core/forms/envelope/TemplateName.h"
#include "support/RecordingCanvas.h"

#include <QDir>

namespace {

QList<QStringList> readRows(const QString& path, QString* problem)
{
    TableReader reader(path);
    // A readable regular file opens unless it mixes UTF-8 with other bytes,
    // which is refused with the line of the first stray byte.
    if (const QString refused = reader.open(); !refused.isEmpty()) {
        FUZZ_CHECK(refused.contains(QStringLiteral("v jednom kódovaní")));
        *problem = refused;
        return {};
    }
    QList<QStringList> rows;
    int lastLine = 0;
    *problem = reader.forEachRow([&](const TableRow& row) {
        FUZZ_CHECK(row.line > lastLine); // rows come in order, each from its own line
        lastLine = row.line;
        FUZZ_CHECK(!row.cells.isEmpty());
        bool blank = true;
        for (const QString& cell : row.cells)
            blank = blank && cell.isEmpty();
        FUZZ_CHECK(!blank); // blank spreadsheet lines are skipped
        rows << row.cells;
        return true;
    });
    FUZZ_CHECK(problem->isEmpty() || problem->startsWith(QStringLiteral("Riadok ")));
    return rows;
}

// Every cell quoted, ';' between them, CR LF after each row, UTF-8 with a BOM.
QByteArray writeTable(const QList<QStringList>& rows)
{
    QByteArray out("\xEF\xBB\xBF");
    for (const QStringList& row : rows) {
        QStringList quoted;
        for (QString cell : row)
            quoted << QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
        out += quoted.join(QLatin1Char(';')).toUtf8() + "\r\n";
    }
    return out;
}

BatchContext contextFor(FormKind form)
{
    BatchContext c;
    c.form = form;
    c.settings.setDefaults();
    c.settings.setFlag(Flag::AutoAmountInWords, true);
    c.settings.setFlag(Flag::AddName, true);
    c.settings.setFlag(Flag::AddAddress, true);
    c.settings.setEnvelopeTemplateName("DL.obl");
    c.personal.set(Personal::meno, "Jana");
    c.personal.set(Personal::priezvisko, "Kov\xE1\xE8ov\xE1"); // code page 1250
    c.personal.set(Personal::mesto, "Bratislava");
    c.programFolder = ScratchFolder();
    return c;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartGuiApplication();
    const QString folder = ScratchFolder();
    QDir().mkpath(DataFolder(folder));
    WriteTemplateFile(QFile::encodeName(TemplatePath(folder, QStringLiteral("DL.obl"))).toStdString(),
                      EnvelopeTemplate{110, 220, 11, 9});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString folder = ScratchFolder();
    const QString file = folder + QStringLiteral("tabulka.csv");
    const QString copy = folder + QStringLiteral("kopia.csv");
    WriteBytes(file, input);

    QString problem;
    const QList<QStringList> rows = readRows(file, &problem);
    if (problem.isEmpty()) {
        WriteBytes(copy, writeTable(rows));
        QString again;
        FUZZ_CHECK(readRows(copy, &again) == rows);
        FUZZ_CHECK(again.isEmpty());
    }

    for (const FormKind form : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD, FormKind::Envelope}) {
        const BatchContext context = contextFor(form);
        const BatchCheck check = CheckTable(context, file);
        FUZZ_CHECK(check.problems.size() <= MaxKeptProblems && check.problems.size() <= check.problemCount);
        FUZZ_CHECK(check.fatal.isEmpty() == problem.isEmpty() || rows.isEmpty());
        FUZZ_CHECK(check.rows == (rows.isEmpty() ? 0 : rows.size() - 1) || !check.fatal.isEmpty());
        for (const BatchProblem& p : check.problems)
            FUZZ_CHECK(p.line >= 1 && !p.text.isEmpty());
        FUZZ_CHECK(check.ok() == check.report(10).isEmpty());
        if (!check.ok())
            continue;
        PagedRecorder canvas;
        int progressCalls = 0;
        const BatchOutcome outcome = PrintTable(canvas, context, file, {}, form == FormKind::SlipC,
                                                [&](int) { return ++progressCalls, true; });
        FUZZ_CHECK(outcome.outcome == PrintOutcome::Printed);
        FUZZ_CHECK(outcome.problem.isEmpty() && !outcome.cancelled);
        FUZZ_CHECK(outcome.pages == check.rows);
        FUZZ_CHECK(canvas.pages == check.rows - 1 && canvas.begun == 1 && canvas.ended == 1);
        FUZZ_CHECK(BatchOutcomeMessage(outcome).isEmpty());
    }
    return 0;
}
