#pragma once
// A whole table: checked row by row before anything is printed, then printed
// as one job with one page per row, each page drawn and handed on in turn.
#include "batch/BatchRow.h"
#include "slips/PrintJob.h"

#include <functional>

struct BatchCheck {
    QString fatal; // the table could not be read at all
    int rows = 0;  // rows to print
    QList<BatchProblem> problems; // the first MaxKeptProblems of them
    int problemCount = 0;
    bool ok() const { return fatal.isEmpty() && problemCount == 0 && rows > 0; }
    // Everything wrong, one line each, at most `lines` problems.
    QString report(int lines) const;
};

inline constexpr int MaxKeptProblems = 100;

BatchCheck CheckTable(const BatchContext& context, const QString& tablePath);

struct BatchOutcome {
    PrintOutcome outcome = PrintOutcome::Refused;
    int pages = 0;
    bool cancelled = false;
    QString problem; // the table changed or broke while printing
};

// Called after each page with the pages done; false stops before the next.
using BatchProgress = std::function<bool(int pagesDone)>;

// Prints a table CheckTable found clean; every row is checked again as it is
// drawn. With `sketch`, the form is drawn pale under the text.
BatchOutcome PrintTable(PrintCanvas& canvas, const BatchContext& context, const QString& tablePath,
                        const FormShift& shift, bool sketch, const BatchProgress& progress = {});

// What the user is told of a print that did not go out whole; empty when it did.
QString BatchOutcomeMessage(const BatchOutcome& outcome);

// "1 strana", "3 strany", "5 strán".
QString PagesText(int n);

inline const QString NoRowsMessage = QStringLiteral("Tabuľka nemá pod hlavičkou žiadny riadok na tlač.");
