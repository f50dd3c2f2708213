#pragma once
// The envelope templates a user can pick: the names, with their extension, of
// the ordinary files "*.obl" in the program's data folder, sorted without
// regard to case. No folders, hidden files or special files; a missing folder
// gives an empty list.
#include <QString>
#include <QStringList>

QStringList ListTemplates(const QString& dataFolder);
