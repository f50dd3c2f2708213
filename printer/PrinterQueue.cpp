#include "printer/PrinterQueue.h"

#include <QPrinter>
#include <cups/cups.h>

bool PrinterQueueTakesJobs(const QString& name)
{
    // "queue/instance" prints on the queue.
    const QByteArray queue = name.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    if (queue.isEmpty())
        return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return false; // gone, or the scheduler does not answer
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool takes = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return takes;
}

std::function<bool()> QueueCheckFor(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        return {};
    return [name = printer.printerName()] { return PrinterQueueTakesJobs(name); };
}
