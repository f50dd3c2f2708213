// zelvana-batch: prints a table of slips or envelopes without windows.
#include "core/base/UserFolder.h"
#include "cli/BatchCommand.h"
#include "cli/TerminalLines.h"
#include "core/base/Cp1250.h"
#include "core/print/FontFaces.h"

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
    // The faces the windows have: a memo measured in another font breaks
    // its lines elsewhere than the window that printed the same text.
    SubstituteWindowsFaces();
    // Messages written for boxes reach the terminal with plain line breaks.
    TerminalLines outLines(stdout), errLines(stderr);
    QTextStream out(&outLines), err(&errLines);
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
