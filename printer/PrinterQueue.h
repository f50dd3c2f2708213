#pragma once
// The system's print queue behind a printer. Qt hands a finished job to CUPS
// and does not say whether CUPS took it, so the job asks the queue itself.
#include <QString>
#include <functional>

class QPrinter;

// True when the queue `name` exists and accepts jobs. A stopped queue does:
// it keeps the job and prints it once it is started again.
bool PrinterQueueTakesJobs(const QString& name);

// The check a job on `printer` makes before it begins and after it ends;
// none for a PDF file.
std::function<bool()> QueueCheckFor(const QPrinter& printer);
