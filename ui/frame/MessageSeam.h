#pragma once
// Telling the user: message boxes and short hints.
#include <QString>

class QWidget;

inline const QString AppTitle = QStringLiteral("Zelvana 1.0.1");

class MessageSeam {
public:
    virtual ~MessageSeam() = default;
    // A plain message box with an OK button, captioned AppTitle.
    virtual void showMessage(const QString& text) = 0;
    // A short hint beside a field, gone by itself: no box to click away.
    virtual void showHint(QWidget* field, const QString& text) = 0;
    // A question with "Áno" and "Nie", "Nie" the default; true for "Áno".
    // `name` is the box's objectName.
    virtual bool askYesNo(QWidget* parent, const QString& name, const QString& text) = 0;
};
