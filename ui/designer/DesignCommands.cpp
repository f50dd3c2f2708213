#include "ui/designer/DesignCommands.h"

EditFieldCommand::EditFieldCommand(DesignModel& model, int index, UserField before, UserField after,
                                   const QString& text)
    : QUndoCommand(text), model_(model), index_(index), before_(std::move(before)), after_(std::move(after))
{
}

void EditFieldCommand::redo() { model_.setField(index_, after_); }
void EditFieldCommand::undo() { model_.setField(index_, before_); }

AddFieldCommand::AddFieldCommand(DesignModel& model, int index, UserField field)
    : QUndoCommand(QStringLiteral("Pridať pole")), model_(model), index_(index), field_(std::move(field))
{
}

void AddFieldCommand::redo() { model_.insertField(index_, field_); }
void AddFieldCommand::undo() { model_.removeField(index_); }

RemoveFieldCommand::RemoveFieldCommand(DesignModel& model, int index)
    : QUndoCommand(QStringLiteral("Odstrániť pole")), model_(model), index_(index), field_(model.field(index))
{
}

void RemoveFieldCommand::redo() { model_.removeField(index_); }
void RemoveFieldCommand::undo() { model_.insertField(index_, field_); }

EditFormCommand::EditFormCommand(DesignModel& model, DesignForm before, DesignForm after, const QString& text)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after))
{
}

void EditFormCommand::redo() { model_.setForm(after_); }
void EditFormCommand::undo() { model_.setForm(before_); }
