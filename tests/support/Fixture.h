#pragma once
// A program started in a temporary folder: records, platform stand-in, launcher.
#include "ui/frame/AppState.h"
#include "app/Composition.h"
#include "ui/frame/DocumentKind.h"
#include "ui/document/DocumentWindow.h"
#include "app/TForm1.h"
#include "support/TempProgramFolder.h"
#include "support/TestPlatform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <memory>

inline QByteArray settingsBytes(const QList<Flag>& flags)
{
    ProgramSettings s;
    s.setDefaults();
    for (Flag f : flags)
        s.setFlag(f, true);
    return QByteArray(reinterpret_cast<const char*>(s.data()), ProgramSettings::Size);
}

inline QByteArray personalBytes(std::initializer_list<std::pair<Personal, QString>> fields)
{
    PersonalData p;
    for (const auto& [field, text] : fields)
        p.set(field, toCp1250(text));
    return QByteArray(reinterpret_cast<const char*>(p.data()), PersonalData::Size);
}

// A user with every field of the personal data filled.
inline const std::initializer_list<std::pair<Personal, QString>> Owner = {
    {Personal::titul, QStringLiteral("Ing.")},        {Personal::meno, QStringLiteral("Ján")},
    {Personal::priezvisko, QStringLiteral("Košický")}, {Personal::ulica, QStringLiteral("Hlavná")},
    {Personal::cd, QStringLiteral("12")},             {Personal::psc, QStringLiteral("04001")},
    {Personal::mesto, QStringLiteral("Košice")},      {Personal::stat, QStringLiteral("SR")},
    {Personal::CU, QStringLiteral("123456/0200")},    {Personal::PU, QStringLiteral("Moja banka")},
    {Personal::nazov, QStringLiteral("Spolok\r\nKošice")}, {Personal::ksymbol, QStringLiteral("0558")},
    {Personal::PV, QStringLiteral("04012")},          {Personal::pv2, QStringLiteral("Košice 1")}};

inline ProgramSettings settingsWith(const QList<Flag>& flags)
{
    ProgramSettings s;
    s.setDefaults();
    for (Flag f : flags)
        s.setFlag(f, true);
    return s;
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
        RegisterDocumentWindows(*app);
        launcher = std::make_unique<TForm1>(*app);
    }
    // Records only, for windows tested without a launcher.
    void loadRecords()
    {
        app = std::make_unique<AppState>(folder.path(), platform);
        RegisterDocumentWindows(*app);
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

// The first `count` controls of `client` that Tab reaches from `first`
// (inner widgets of combos and memos are stepped over).
inline QList<QWidget*> tabChain(QWidget* first, QWidget* client, int count)
{
    QList<QWidget*> chain;
    QWidget* at = first;
    for (int i = 0; i < count; ++i, at = at->nextInFocusChain()) {
        while (at->parentWidget() != client)
            at = at->nextInFocusChain();
        chain << at;
    }
    return chain;
}

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

// Replaces a memo's text as a user does: select all, type; Enter breaks the line.
inline void retype(QPlainTextEdit* memo, const QString& text)
{
    memo->setFocus();
    memo->selectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    const QStringList lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        typeText(memo, lines[i]);
    }
}

// Starts from records with `flags` set and `personal` as the user's data, and
// opens a window of `kind` through the open-window policy.
template <typename Window>
Window* openWith(Program& p, FormKind kind, const QList<Flag>& flags,
                 std::initializer_list<std::pair<Personal, QString>> personal = Owner)
{
    p.folder.write("program.nas", settingsBytes(flags));
    p.folder.write("uziv.nas", personalBytes(personal));
    p.loadRecords();
    return qobject_cast<Window*>(OpenDocumentWindow(*p.app, kind));
}

