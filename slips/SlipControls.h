#pragma once
// The controls of each document window as data: name, kind, the most
// characters it takes, in tab order. The windows are built to match and the
// batch printer types into these, so both print the same.
#include <QFont>
#include <QString>
#include <span>

enum class DocumentForm { SlipA, SlipC, SlipD, Envelope };

enum class ControlKind {
    Line,  // a one-line edit (or an editable combo)
    Memo,  // several lines
    Words, // a words line: typed by click, out of the tab order
};

struct ControlSpec {
    const char* name;
    ControlKind kind;
    int maxLength; // QLineEdit's own limit when the window sets none
};

// QLineEdit's limit when none is set; memos take no more in a batch either.
inline constexpr int DefaultMaxLength = 32767;

// Tab order first, then the words lines.
std::span<const ControlSpec> FormControls(DocumentForm form);
const ControlSpec* FindControl(DocumentForm form, const QString& name);
// The text `hal` has when the window opens ("" on A, "0" on C and D); `suma` starts with "0".
QString InitialHal(DocumentForm form);

// The account-name memo of slip A: its font and the width its text wraps at.
// The window prints with these, and so does a batch.
QFont SlipMemoFont();
inline constexpr qreal SlipMemoWrapWidth = 175; // 185 pixels wide, less its frame and document margins
