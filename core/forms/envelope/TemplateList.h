#pragma once
// The envelope templates a user can pick: the names, with their extension, of
// the ordinary files "*.obl" in the program's data folder, sorted without
// regard to case. No folders, hidden files or special files; a missing folder
// gives an empty list.
#include <QString>
#include <QStringList>

QStringList ListTemplates(const QString& dataFolder);

// The same list, for a window that reports a folder it cannot list: throws
// FileError ("File not found" for a missing folder, "File access denied" for
// one that may not be read).
QStringList ListTemplateFolder(const QString& dataFolder);
