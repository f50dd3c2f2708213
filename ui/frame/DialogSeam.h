#pragma once
// The program's own modal dialogs, shown and waited for.
class QDialog;

class DialogSeam {
public:
    virtual ~DialogSeam() = default;
    // Shows one of the program's dialogs modally and returns its result
    // (QDialog::Accepted or Rejected) once it has closed.
    virtual int runDialog(QDialog& dialog) = 0;
};
