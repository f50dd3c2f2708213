// Zelvana: fills in and prints Slovak postal payment slips and envelopes.
#include "ui/frame/AppState.h"
#include "app/Composition.h"
#include "ui/desktop/Desktop.h"
#include "ui/frame/Pictures.h"
#include "ui/frame/Platform.h"
#include "app/SingleCopy.h"
#include "core/base/ProgramFolder.h"
#include "app/TForm1.h"
#include "core/base/ProgramFolder.h"
#include "core/base/UserFolder.h"
#include "core/base/Cp1250.h"
#include "core/print/FontFaces.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

// Where this run keeps its files; nothing when there is no usable folder,
// the reason has then been shown.
static std::optional<QString> FilesFolderShown(Platform& platform)
{
    const FilesFolder files = RunningFilesFolder();
    if (!files.problem.isEmpty())
        platform.showMessage(files.problem);
    return files.folder;
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The title captions every message box (QtMessages); it is not appended
    // to window captions, which stay as designed.
    QApplication::setApplicationName(AppTitle);
    // Only the launcher ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallSlovakTranslations(application); // without them Qt's own texts stay English
    if (const std::optional<QString> folder = RunningProgramFolder()) // what qtbase_sk lacks
        InstallOwnQtTranslations(application, InstalledShareFolder(*folder).value_or(*folder));
    SubstituteWindowsFaces(); // as the batch does: memos break where its do
    QIcon icon;
    for (int side : {16, 32, 48, 128})
        icon.addPixmap(QPixmap::fromImage(Pictures::programIcon(side)));
    QApplication::setWindowIcon(icon);
    QtPlatform platform;

    // Nothing is read or written before the checks pass.
    if (const QString problem = Cp1250CodecProblem(); !problem.isEmpty()) {
        platform.showMessage(problem);
        return 1;
    }
    const std::optional<QString> folder = FilesFolderShown(platform);
    if (!folder)
        return 1;

    // One copy per folder: a second would write its records over the first's saves.
    SingleCopy single(*folder);
    switch (single.start()) {
    case SingleCopy::Start::OtherShown:
        return 0;
    case SingleCopy::Start::OtherSilent:
        platform.showMessage(OtherCopySilentMessage);
        return 1;
    case SingleCopy::Start::First:
        break;
    }

    AppState app(*folder, platform);
    RegisterDocumentWindows(app);
    TForm1 launcher(app);
    QObject::connect(&single, &SingleCopy::showRequested, &launcher, [&] { platform.bringToFront(launcher); });
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
