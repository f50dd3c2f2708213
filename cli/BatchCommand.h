#pragma once
// zelvana-batch: the options, the records of the program folder, the check
// and the print of a whole table. No windows.
#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit statuses.
inline constexpr int BatchPrinted = 0;
inline constexpr int BatchBadTable = 1;
inline constexpr int BatchBadOptionsOrOutput = 2;

// `arguments` without the program's name; `programFolder` with a trailing
// separator. The journal names the job's source `source`, else the table.
int RunBatchCommand(const QStringList& arguments, const QString& programFolder, QTextStream& out, QTextStream& err,
                    const QString& source = {});

extern const QString BatchHelpText;
