#include "batch/SplitPdf.h"

#include "print/ChosenPrinter.h"
#include "print/PrintCanvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>

QString SplitFileName(const QString& output, int number)
{
    QString base = output;
    if (base.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        base.chop(4);
    return QStringLiteral("%1-%2.pdf").arg(base).arg(number, 4, 10, QLatin1Char('0'));
}

namespace {

// Prints one page to a scratch file beside `target`, then renames it over
// `target`; empty when it went through.
QString writeOne(const FormDescription& form, const FormPage& page, const QString& target, const FormShift& shift,
                 bool sketch)
{
    const QFileInfo info(target);
    QTemporaryFile scratch(info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    scratch.setAutoRemove(false);
    if (!scratch.open())
        return QStringLiteral("Súbor „%1“ nemožno zapísať: %2").arg(target, scratch.errorString());
    const QString scratchPath = scratch.fileName();
    scratch.close();
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfFile(printer, scratchPath);
    PrintOutcome outcome;
    {
        const std::unique_ptr<PrintCanvas> canvas = CanvasOnChosenPrinter(printer);
        outcome = PrintFormPage(*canvas, form, page, shift, sketch);
    }
    if (outcome != PrintOutcome::Printed) {
        QFile::remove(scratchPath);
        return QStringLiteral("Súbor „%1“: %2").arg(target, PrintOutcomeMessage(outcome));
    }
    // rename() replaces the target in one step, where QFile::rename would refuse.
    if (std::rename(QFile::encodeName(scratchPath).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(scratchPath);
        return QStringLiteral("Súbor „%1“ nemožno zapísať (premenovanie sa nepodarilo).").arg(target);
    }
    return {};
}

} // namespace

SplitOutcome PrintSplitPdf(const FormDescription& form, std::span<const FormPage> pages, const QString& output,
                           const FormShift& shift, bool sketch)
{
    SplitOutcome result;
    for (const FormPage& page : pages) {
        result.problem = writeOne(form, page, SplitFileName(output, result.files + 1), shift, sketch);
        if (!result.problem.isEmpty())
            return result;
        ++result.files;
    }
    return result;
}
