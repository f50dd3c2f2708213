#pragma once
// Every change of a design is one of these on the window's undo stack.
#include "ui/designer/DesignModel.h"

#include <QUndoCommand>

// A field's properties, position and size, from `before` to `after`.
class EditFieldCommand : public QUndoCommand {
public:
    EditFieldCommand(DesignModel& model, int index, UserField before, UserField after, const QString& text);
    void redo() override;
    void undo() override;

private:
    DesignModel& model_;
    int index_;
    UserField before_, after_;
};

// A new field at `index`.
class AddFieldCommand : public QUndoCommand {
public:
    AddFieldCommand(DesignModel& model, int index, UserField field);
    void redo() override;
    void undo() override;

private:
    DesignModel& model_;
    int index_;
    UserField field_;
};

class RemoveFieldCommand : public QUndoCommand {
public:
    RemoveFieldCommand(DesignModel& model, int index);
    void redo() override;
    void undo() override;

private:
    DesignModel& model_;
    int index_;
    UserField field_;
};

// The form's properties or its scan.
class EditFormCommand : public QUndoCommand {
public:
    EditFormCommand(DesignModel& model, DesignForm before, DesignForm after, const QString& text);
    void redo() override;
    void undo() override;

private:
    DesignModel& model_;
    DesignForm before_, after_;
};
