#pragma once
// The launcher's one way of opening a document window, and the dialogs.
#include "core/print/FormDescription.h"

#include <QString>
#include <cstddef>
#include <memory>

class AppState;
class QWidget;

// The modal dialogs reached from the launcher and the document windows.
enum class DialogKind { PersonalData, ProgramSettings, TemplateWizard, About, History };
constexpr std::size_t DialogKindCount = 5;

inline const QString PolicyMessage = QStringLiteral(
    "Nastavenia programu nepovoľujú spustenie viacerých formulárov!\r"
    " Zatvorte otvorené formuláre, alebo zmente nastavenia programu.");

// Opens a new window of `kind` when the settings allow several windows or none
// is open; otherwise shows the policy message. Returns the window or nullptr.
QWidget* OpenDocumentWindow(AppState& app, FormKind kind);

// The same for the user form of the layout file at `path`: a file that is
// refused is told and nothing opens; what it only warns of is told first.
QWidget* OpenUserForm(AppState& app, const QString& path);

// A window of a user form already made (one a journal kept).
QWidget* OpenUserFormWindow(AppState& app, std::shared_ptr<const FormDescription> form);

// Asks for a layout file and opens its form.
QWidget* OpenUserFormFromFile(AppState& app, QWidget* parent);

// Creates the dialog with no owner, shows it modally and destroys it when it
// has closed, accepted or cancelled. Returns whether it was accepted.
bool RunDialog(AppState& app, DialogKind kind);

// The help file beside the program, through the shell.
void OpenHelpFile(AppState& app);
