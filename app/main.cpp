// Zelvana: fills in and prints Slovak postal payment slips and envelopes.
#include "app/AppState.h"
#include "app/Platform.h"
#include "app/TForm1.h"

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

    QtPlatform platform;
    AppState app(QCoreApplication::applicationDirPath(), platform);
    TForm1 launcher(app);
    QObject::connect(&launcher, &TForm1::programEnds, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
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
