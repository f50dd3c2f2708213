#pragma once
// A program started in a temporary folder: records, platform stand-in, launcher.
#include "app/AppState.h"
#include "app/DocumentWindow.h"
#include "app/TForm1.h"
#include "support/TempProgramFolder.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <memory>

inline QByteArray settingsBytes(std::initializer_list<Flag> flags)
{
    ProgramSettings s;
    s.setDefaults();
    for (Flag f : flags)
        s.setFlag(f, true);
    return QByteArray(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size);
}

inline QList<DocumentWindow*> openDocumentWindows()
{
    QList<DocumentWindow*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<DocumentWindow*>(w); d && d->isVisible())
            windows.append(d);
    return windows;
}

inline void deleteDocumentWindows()
{
    QList<QPointer<QWidget>> all;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<DocumentWindow*>(w))
            all.append(w);
    qDeleteAll(all);
}

struct Program {
    TempProgramFolder folder;
    TestPlatform platform;
    std::unique_ptr<AppState> app;
    std::unique_ptr<TForm1> launcher;

    // Starts the launcher; files written before this call are what it finds.
    void start()
    {
        app = std::make_unique<AppState>(folder.path(), platform);
        launcher = std::make_unique<TForm1>(*app);
    }
    // Records only, for windows tested without a launcher.
    void loadRecords()
    {
        app = std::make_unique<AppState>(folder.path(), platform);
        app->records.LoadOrCreatePersonalData();
        app->records.LoadOrCreateSettings();
    }
    ~Program()
    {
        deleteDocumentWindows();
        launcher.reset();
        app.reset();
    }
};

// Types any text, letters with diacritics included, into the focused widget
// the way a keyboard would (QTest::keyClicks takes Latin-1 only).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}
