// zelvana-batch: prints a table of slips or envelopes without windows.
#include "app/ProgramFolder.h"
#include "batch/BatchCommand.h"
#include "batch/TerminalLines.h"
#include "settings/Cp1250.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    // No windows: fonts and printers need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // Messages written for boxes reach the terminal with plain line breaks.
    TerminalLines outLines(stdout), errLines(stderr);
    QTextStream out(&outLines), err(&errLines);
    if (const QString problem = Cp1250CodecProblem(); !problem.isEmpty()) {
        err << problem << '\n';
        return BatchBadOptionsOrOutput;
    }
    const std::optional<QString> folder = RunningProgramFolder();
    if (!folder) {
        err << NoProgramFolderMessage << '\n';
        return BatchBadOptionsOrOutput;
    }
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    return RunBatchCommand(arguments, *folder, out, err);
}
