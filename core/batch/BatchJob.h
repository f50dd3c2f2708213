#pragma once
// A whole table: read and checked once, row by row, before anything is
// printed; then the pages the check produced are printed as one job.
#include "core/base/SlovakCount.h"
#include "core/batch/BatchRow.h"
#include "core/print/PageRenderer.h"

#include <atomic>
#include <functional>

struct BatchCheck {
    QString fatal; // the table could not be read at all
    int rows = 0;  // rows to print
    QList<BatchProblem> problems; // the first MaxKeptProblems of them
    int problemCount = 0;
    QList<FormPage> pages; // one per row, kept while no row has a problem
    QList<int> pageLines;  // each page's line in the table
    bool ok() const { return fatal.isEmpty() && problemCount == 0 && rows > 0; }
    // Everything wrong, one line each, at most `lines` problems.
    QString report(int lines) const;
};

inline constexpr int MaxKeptProblems = 100;

// How far a check run beside a window has come, and the window's wish that
// it stop; read and written from both threads.
struct CheckProgress {
    std::atomic<int> rows{0};
    std::atomic<bool> stop{false};
};

// With `progress`, counts the rows read and stops early when asked; a check
// stopped so is not to be printed from.
BatchCheck CheckTable(const BatchContext& context, const QString& tablePath, CheckProgress* progress = nullptr);

struct BatchOutcome {
    PrintOutcome outcome = PrintOutcome::Refused;
    int pages = 0;
    bool cancelled = false;
    QString problem; // the table could not be printed: why
    QString failure; // the output's own reason for refusing the job, when it gave one
};

using BatchProgress = PageProgress;

// Prints the pages of a table `check` found clean; a table it refused prints
// nothing. With `sketch`, the form is drawn pale under the text.
BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const BatchCheck& check,
                        const FormShift& shift, bool sketch, const BatchProgress& progress = {});
// Checks the table, then prints it as above.
BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const QString& tablePath,
                        const FormShift& shift, bool sketch, const BatchProgress& progress = {});

// What the user is told of a print that did not go out whole; empty when it did.
QString BatchOutcomeMessage(const BatchOutcome& outcome);


inline const QString NoRowsMessage = QStringLiteral("Tabuľka nemá pod hlavičkou žiadny riadok na tlač.");
