#pragma once
// The program's plain message box: OK only, captioned with the program title,
// wide enough that the caption reads whole.
#include <QMessageBox>
#include <memory>

std::unique_ptr<QMessageBox> MakeMessageBox(const QString& text, QWidget* parent = nullptr);
// The same box asking yes or no: "Áno" and "Nie", "Nie" the default.
std::unique_ptr<QMessageBox> MakeYesNoBox(const QString& name, const QString& text, QWidget* parent);
// Whether the user answered the box "Áno".
bool AnsweredYes(QMessageBox& box);
