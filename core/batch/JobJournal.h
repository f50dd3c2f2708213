#pragma once
// What a finished print job leaves in the journal, written once for the
// windows and zelvana-batch, and the switch that keeps the journal. A journal
// that cannot be opened or written never stops a print: the reason comes
// back as the one message the user is told.
#include "core/journal/Journal.h"

class PrintCanvas;

// Whether the journal is kept: on unless the user switched it off.
bool JournalKept(const QString& programFolder);
// Keeps the switch in historia.ini; empty when saved, else why not.
QString KeepJournal(const QString& programFolder, bool kept);
inline const QString JournalSwitchFile = QStringLiteral("historia.ini");

// A finished job: its pages as printed, where and from what.
struct PrintedJob {
    const FormDescription& form;
    const QList<FormPage>& pages;
    JobTarget target = JobTarget::Printer;
    QString targetName{}; // the printer's name or the PDF's path
    JobSource source = JobSource::Window;
    QString table{};   // the table's path, for a table
    bool printed = true;
    QString failure{}; // the message the user saw when it failed
};

// Where a job on `canvas` goes: its PDF file, or else its printer.
std::pair<JobTarget, QString> TargetOf(const PrintCanvas& canvas);

// The job as the journal keeps it, the time now.
JournalJob JournalJobOf(const PrintedJob& job);

// Records the job when the journal is kept. Empty when recorded or not
// kept; else the message that it was not recorded, and why.
QString RecordPrintedJob(const QString& programFolder, const PrintedJob& job);

// The form a recorded job was printed on: a built-in one, or a user form made
// from the layout the journal kept. Null, with why, when this program does
// not know it or its kept layout no longer reads.
std::shared_ptr<const FormDescription> FormOfJob(const JournalForm& form, const QString& programFolder, QString& why);
