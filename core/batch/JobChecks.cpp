#include "core/batch/JobChecks.h"

#include "core/print/SafeOutput.h"

QString UserFormShiftGroup(const QString& formName, const QString& printer)
{
    return QStringLiteral("%1 | %2").arg(printer, formName);
}

QString ShiftGroup(const FormDescription& form, const QString& printer)
{
    return form.kind == FormKind::User ? UserFormShiftGroup(QString::fromUtf8(form.caption), printer) : printer;
}

FormShift StoredShift(const QString& programFolder, const FormDescription& form, const QString& printer,
                      QString& damage)
{
    return StoredShift(programFolder, ShiftGroup(form, printer), damage);
}

FormShift StoredShift(const QString& programFolder, const QString& group, QString& damage)
{
    const QString path = programFolder + ShiftFileName;
    QString why;
    const FormShift shift = ReadShift(path, group, &why);
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
