#pragma once
// Building blocks for the windows' controls, placed in pixels as designed.
#include <QColor>
#include <QString>
#include <QList>
#include <functional>
#include <initializer_list>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

constexpr int SmallFontPixels = 11; // 8 pt
constexpr int LargeFontPixels = 13; // 10 pt
// "Odosielateľ:" has to fit in the 72 pixels left of the sender lines.
constexpr int SenderCaptionPixels = 10;

QLineEdit* addEdit(QWidget* parent, const char* name, int left, int top, int width, int maxLength = 0,
                   bool bold = false, int pixelSize = LargeFontPixels);
QLabel* addLabel(QWidget* parent, const QString& text, int left, int top, bool bold = false,
                 int pixelSize = LargeFontPixels);
void addSeparator(QWidget* parent, int top);
// An editable bank combo whose list is never sorted and never grows by typing.
QComboBox* addBankCombo(QWidget* parent, int left, int top, int width);
// A wrapping memo; Tab moves on rather than typing a tab.
QPlainTextEdit* addMemo(QWidget* parent, const char* name, int left, int top, int width, int height);

// Tab moves through `chain` in the order given.
void setTabChain(std::initializer_list<QWidget*> chain);

// Window background and caption colour.
void paintClient(QWidget* client, const QColor& background, const QColor& captions);

// Every field below `root` that takes text: edits (a combo's too) and memos.
QList<QWidget*> TextFields(QWidget* root);

// What a field that refused a character tells the user, as a passing hint.
inline const QString CodePageHint = QStringLiteral(
    "Tento znak program nevie uložiť ani vytlačiť (nie je v kódovej stránke 1250), preto ho pole neprijalo.");
// Shows `text` beside `field` for a moment.
using FieldHint = std::function<void(QWidget* field, const QString& text)>;
// Connects every field below `root` that guards the code page to the hint.
void ConnectCodePageHints(QWidget* root, const FieldHint& hint);

// Text put into a field by the program shows from its beginning.
void setFieldText(QLineEdit* field, const QString& text);
void setFieldText(QComboBox* combo, const QString& text);
