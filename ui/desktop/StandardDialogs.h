#pragma once
// Qt's own dialogs as the program opens them: the print, file and font
// dialogs, built as Qt's widgets so that the program's Slovak texts reach them.
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <memory>

std::unique_ptr<QPrintDialog> MakePrintDialog(QPrinter& printer, QWidget* parent);
// A file to open: Qt's own dialog, never the desktop's, with sizes and dates
// in the default locale as well.
std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const QString& caption, const QString& filter);
std::unique_ptr<QFontDialog> MakeFontDialog(QWidget* parent, const QFont& initial);
