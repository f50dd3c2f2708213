// zelvana-batch: prints a table of slips or envelopes without windows.
#include "app/UserFolder.h"
#include "batch/BatchCommand.h"
#include "settings/Cp1250.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    // No windows: fonts and printers need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QTextStream out(stdout), err(stderr);
    if (const QString problem = Cp1250CodecProblem(); !problem.isEmpty()) {
        err << problem << '\n';
        return BatchBadOptionsOrOutput;
    }
    // The same folder the program uses: an installed copy reads the user's
    // records, as the windows would have written them.
    const FilesFolder files = RunningFilesFolder();
    if (!files.problem.isEmpty())
        err << QString(files.problem).replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
    if (!files.folder)
        return BatchBadOptionsOrOutput;
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    return RunBatchCommand(arguments, *files.folder, out, err);
}
