#include "core/batch/JobChecks.h"

#include "core/print/SafeOutput.h"

FormShift StoredShift(const QString& programFolder, const QString& printer, QString& damage)
{
    const QString path = programFolder + ShiftFileName;
    QString why;
    const FormShift shift = ReadShift(path, printer, &why);
    damage = why.isEmpty() ? QString() : DamagedShiftMessage.arg(path, why);
    return shift;
}

QString OutputRefusal(const QString& outputFile, const QString& programFolder, const QStringList& inputs)
{
    if (outputFile.isEmpty())
        return {};
    return OutputFileRefusal(outputFile, ProgramOwnFolders(programFolder), inputs);
}

BatchContext TableContext(const FormDescription& form, const QString& programFolder, const ProgramSettings& settings,
                          const PersonalData& personal)
{
    BatchContext context;
    context.form = form.kind;
    if (form.kind == FormKind::User)
        context.userForm = std::make_shared<const FormDescription>(form);
    context.settings = settings;
    context.personal = personal;
    context.programFolder = programFolder;
    return context;
}

QStringList TableFitLines(const BatchFit& fit, qsizetype most)
{
    const QList<BatchProblem> all = fit.offPage + fit.intoOther;
    QStringList lines;
    for (const BatchProblem& p : all)
        if (lines.size() < most)
            lines << p.message();
    if (all.size() > lines.size())
        lines << QStringLiteral("… spolu %1.").arg(all.size());
    return lines;
}
