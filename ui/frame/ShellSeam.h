#pragma once
// The desktop around the program: the shell's "open", the task bar.
#include <QString>

class QWidget;

class ShellSeam {
public:
    virtual ~ShellSeam() = default;
    // The shell's "open" on a path or web address; the result is ignored.
    // Help files (*.hlp) open in the program's own help window.
    virtual void shellOpen(const QString& target) = 0;
    // All of the program's windows go to the task bar together.
    virtual void minimiseApplication() = 0;
    // Brings `window` to the front, out of the task bar if need be (a later
    // start of the program asks for its launcher).
    virtual void bringToFront(QWidget& window) = 0;
};
