#pragma once
// Where the shell's "open" takes a path or web address. The program's help is
// a file in the old help format's name (pomoc.hlp) that no viewer on this
// desktop understands, so the program shows it in a window of its own; every
// other path or address goes to the desktop's handler.
#include <QString>
#include <QUrl>
#include <functional>

// A local path (or file URL) whose name ends in ".hlp", in any letter case.
bool IsHelpFile(const QString& target);

void OpenShellTarget(const QString& target, const std::function<void(const QString& helpFile)>& openHelp,
                     const std::function<void(const QUrl& url)>& openUrl);
