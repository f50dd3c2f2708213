#pragma once
// The page before it is printed: Qt's preview widget painted by the window's
// own print job, a line on the printer and the form's place, and "Tlačiť",
// which closes the preview and prints exactly as the menu's "Tlačiť" does.
#include <QDialog>
#include <functional>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    using Paint = std::function<void(QPrinter&)>;
    PrintPreview(QPrinter& printer, const QString& description, Paint paint);

    QPrintPreviewWidget* preview;
    QLabel* popisTlace;
    QPushButton* print;
    QPushButton* closeButton;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitDescription();
};
