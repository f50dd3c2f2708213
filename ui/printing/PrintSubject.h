#pragma once
// What the print gate needs of a window: its form, the page it would print,
// its fields' texts, its own check before a job, and a parent for dialogs.
#include "core/print/FormDescription.h"

#include <optional>

class QWidget;

// The job a window is asked to get ready for.
enum class PrintIntent { Print, Preview, Alignment };

class PrintSubject {
public:
    virtual ~PrintSubject() = default;
    virtual const FormDescription& form() const = 0;
    // The page the window prints, or nothing and `why` when the form's frame
    // cannot be resolved (an envelope's template that cannot be read).
    virtual std::optional<FormPage> currentPage(QString* why = nullptr) const = 0;
    // Each field's text as the window holds it, by the form's field names.
    virtual FieldTexts controlTexts() const = 0;
    // Whether a job of `intent` may start; tells the user why not.
    virtual bool readyToPrint(PrintIntent intent) = 0;
    virtual QWidget* dialogParent() = 0;
};
