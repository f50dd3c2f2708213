#pragma once
// Building blocks of the dialogs, which lay their controls out in rows rather
// than at fixed pixels. Every text field refuses what code page 1250 cannot hold.
#include <QString>

class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

QLineEdit* makeEdit(QWidget* parent, const char* name, int maxLength = 0);
QComboBox* makeCombo(QWidget* parent, const char* name);
QPlainTextEdit* makeMemo(QWidget* parent, const char* name, int visibleLines);
// A memo stored with CR LF line breaks takes no more than `maxStored`
// characters that way; more typed, pasted or set is dropped.
void limitStoredText(QPlainTextEdit* memo, int maxStored);
QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr, bool bold = false);
// The dialogs' font: the windows' own, MS Sans Serif 8 pt.
void setDialogFont(QDialog* dialog);
// A fixed client size at a designed screen position, with a close button only.
void placeDialog(QDialog* dialog, int clientWidth, int clientHeight, int left, int top);
