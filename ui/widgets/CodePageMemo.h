#pragma once
// A memo that, like the edit fields, takes no text that code page 1250 cannot
// hold: a typed character or a pasted text with such a character is refused
// whole and the memo keeps its text.
#include <QPlainTextEdit>

class CodePageMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

signals:
    void refused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};
