#pragma once
// Names of template files in the data folder. A template name is typed by the
// user and becomes a file name; it must never name a file anywhere else.
#include <QString>

// What is wrong with `name` as the name of a new template (".obl" is added
// to it), in words for the user; empty when it can be used.
QString TemplateNameProblem(const QString& name);

// True when `fileName` names a file directly inside a folder: not empty, no
// path separator or control character, not "." or "..".
bool IsPlainFileName(const QString& fileName);

// The data folder beside the program and a file in it.
QString DataFolder(const QString& programFolder);
QString TemplatePath(const QString& programFolder, const QString& fileName);

inline const QString EmptyTemplateNameMessage = QStringLiteral("Zadajte meno šablóny.");
inline const QString SeparatorInTemplateNameMessage =
    QStringLiteral("Meno šablóny nesmie obsahovať znaky „/“ ani „\\“.");
inline const QString ControlInTemplateNameMessage =
    QStringLiteral("Meno šablóny obsahuje neviditeľný riadiaci znak, ktorý meno súboru nemôže obsahovať.");
inline const QString CodePageInTemplateNameMessage = QStringLiteral(
    "Meno šablóny obsahuje znak, ktorý program nevie uložiť (nie je v kódovej stránke 1250).");
inline const QString DotTemplateNameMessage = QStringLiteral(
    "Meno šablóny nesmie začínať bodkou: taká šablóna by sa v zozname šablón neukázala.");
