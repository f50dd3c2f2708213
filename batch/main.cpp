// zelvana-batch: prints a table of slips or envelopes without windows.
#include "base/ProgramFolder.h"
#include "batch/BatchCommand.h"
#include "base/Cp1250.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    // No windows: fonts and printers need a GUI application, not a display.
    // Always the offscreen platform, whatever the desktop asks for: a memo
    // wraps by its font's measures, and only this platform gives the batch
    // the same fonts the windows lay their memos out with (the minimal one
    // has none at all).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream out(stdout), err(stderr);
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
