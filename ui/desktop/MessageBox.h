#pragma once
// The program's plain message box: OK only, captioned with the program title,
// wide enough that the caption reads whole.
#include <QMessageBox>
#include <memory>

std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text, QWidget* parent = nullptr);
