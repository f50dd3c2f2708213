// Zelvana: fills in and prints Slovak postal payment slips and envelopes.
#include "app/AppState.h"
#include "app/Composition.h"
#include "app/Desktop.h"
#include "app/Platform.h"
#include "app/ProgramFolder.h"
#include "app/TForm1.h"
#include "settings/Cp1250.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The title captions every message box (QtPlatform); it is not appended
    // to window captions, which stay as designed.
    QApplication::setApplicationName(AppTitle);
    // Only the launcher ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallSlovakTranslations(application); // without them Qt's own texts stay English
    SubstituteWindowsFaces();
    QtPlatform platform;

    // Nothing is read or written before both checks pass.
    const std::optional<QString> folder = RunningProgramFolder();
    if (!folder) {
        platform.showMessage(NoProgramFolderMessage);
        return 1;
    }
    if (const QString problem = Cp1250CodecProblem(); !problem.isEmpty()) {
        platform.showMessage(problem);
        return 1;
    }

    AppState app(*folder, platform);
    RegisterDocumentWindows(app);
    TForm1 launcher(app);
    launcher.show();
    const int result = QApplication::exec();
    // Windows still open go with the program; their close handlers do not run.
    QList<QPointer<QWidget>> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &launcher && !w->parent())
            open.append(w);
    qDeleteAll(open);
    return result;
}
