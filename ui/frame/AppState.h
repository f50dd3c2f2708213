#pragma once
// The one application state: both records with their open files, the count of
// open document windows and the platform seams. Windows get a reference to it.
#include "ui/frame/DocumentKind.h"
#include "ui/frame/Platform.h"
#include "core/base/FileError.h"
#include "core/records/RecordStore.h"

#include <QString>
#include <array>
#include <QDialog>
#include <functional>
#include <memory>

class AppState {
public:
    // `programFolder` is the folder of the executable; a trailing separator is added.
    AppState(QString programFolder, Platform& platform);

    const QString& programFolder() const { return folder_; }
    QString pathInProgramFolder(const QString& name) const { return folder_ + name; }

    ProgramSettings& settings() { return records.settings; }
    PersonalData& personal() { return records.personal; }

    RecordStore records;
    Platform& platform;
    int OpenFormCount = 0;

    // How each kind of document window is made; the program entry registers
    // them, so the launcher knows no window class.
    using WindowFactory = std::function<QWidget*(AppState&)>;
    void registerWindow(FormKind kind, WindowFactory make) { factories_.at(index(kind)) = std::move(make); }
    QWidget* createWindow(FormKind kind)
    {
        if (index(kind) >= factories_.size()) // a user form opens from its layout file
            return nullptr;
        const WindowFactory& make = factories_[index(kind)];
        return make ? make(*this) : nullptr;
    }

    // Runs an event handler's body; a file error stops it and is shown in a
    // message box, and the program goes on. Returns false when it stopped.
    template <typename F>
    bool guarded(F&& body)
    {
        try {
            body();
            return true;
        } catch (const FileError& e) {
            platform.showMessage(QString::fromLocal8Bit(e.what()));
            return false;
        }
    }

    // How a window of a user form is made, from the form its layout file gave.
    using UserWindowFactory = std::function<QWidget*(AppState&, std::shared_ptr<const FormDescription>)>;
    void registerUserWindow(UserWindowFactory make) { userWindows_ = std::move(make); }
    QWidget* createUserWindow(std::shared_ptr<const FormDescription> form)
    {
        return userWindows_ ? userWindows_(*this, std::move(form)) : nullptr;
    }

    using DialogFactory = std::function<std::unique_ptr<QDialog>(AppState&)>;
    void registerDialog(DialogKind kind, DialogFactory make) { dialogs_[index(kind)] = std::move(make); }
    std::unique_ptr<QDialog> createDialog(DialogKind kind)
    {
        const DialogFactory& make = dialogs_[index(kind)];
        return make ? make(*this) : nullptr;
    }

private:
    static std::size_t index(FormKind kind) { return static_cast<std::size_t>(kind); }
    static std::size_t index(DialogKind kind) { return static_cast<std::size_t>(kind); }
    QString folder_;
    std::array<WindowFactory, FormKindCount> factories_;
    std::array<DialogFactory, DialogKindCount> dialogs_;
    UserWindowFactory userWindows_;
};
