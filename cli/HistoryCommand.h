#pragma once
// zelvana-batch's view of the print journal: --history lists the jobs,
// --history-export writes their pages as a table, --reprint prints a job's
// pages again through the table print.
#include <QString>
#include <QStringList>
#include <QTextStream>

// Whether `arguments` ask for the journal rather than a table print.
bool IsHistoryCommand(const QStringList& arguments);

int RunHistoryCommand(const QStringList& arguments, const QString& programFolder, QTextStream& out, QTextStream& err);

extern const QString HistoryHelpText;
