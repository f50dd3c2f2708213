#include "core/forms/envelope/TemplateName.h"

#include "core/base/Cp1250.h"

namespace {

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// NUL would cut the name short on its way to the system; the rest cannot be
// seen in a list.
bool isControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control; }

} // namespace

QString TemplateNameProblem(const QString& name)
{
    if (name.isEmpty())
        return EmptyTemplateNameMessage;
    for (const QChar c : name)
        if (isSeparator(c))
            return SeparatorInTemplateNameMessage;
    for (const QChar c : name)
        if (isControl(c))
            return ControlInTemplateNameMessage;
    if (!fitsCp1250(name))
        return CodePageInTemplateNameMessage;
    // A leading dot hides the file from the list, and "." and ".." are folders.
    if (name.startsWith(QLatin1Char('.')))
        return DotTemplateNameMessage;
    return {};
}

bool IsPlainFileName(const QString& fileName)
{
    if (fileName.isEmpty() || fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        return false;
    for (const QChar c : fileName)
        if (isSeparator(c) || isControl(c))
            return false;
    return true;
}

QString DataFolder(const QString& programFolder) { return programFolder + QStringLiteral("data"); }

QString TemplatePath(const QString& programFolder, const QString& fileName)
{
    return DataFolder(programFolder) + QLatin1Char('/') + fileName;
}
