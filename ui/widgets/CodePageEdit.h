#pragma once
// An edit field that takes no text code page 1250 cannot hold. Pasted,
// dropped and composed text is checked whole before the field's maximum
// length cuts it, so a refused paste never leaves some of itself behind
// (nor half of a surrogate pair); the validator catches whatever else gets in.
#include <QLineEdit>

class CodePageEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CodePageEdit(QWidget* parent = nullptr);

    // paste() with the clipboard checked first.
    void pasteChecked();

signals:
    void refused(); // the field kept its text; tell the user why

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // False, and the user told, when `incoming` has a character outside the code page.
    bool takes(const QString& incoming);
};
