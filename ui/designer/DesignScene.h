#pragma once
// The form as the designer shows it: one scene unit is 1 mm from the form's
// top-left corner, y down; a box per field kept in step with the model.
// Drags and resizes are snapped to the grid, kept on the form, and each
// finished one is pushed as one undoable change.
#include "ui/designer/DesignModel.h"

#include <QGraphicsScene>

class FieldItem;
class QGraphicsRectItem;
class QUndoStack;

inline constexpr double GridMm = 0.5;
inline constexpr double NudgeMm = 0.1;
inline constexpr double SmallestFieldMm = 1.0;

class DesignScene : public QGraphicsScene {
    Q_OBJECT
public:
    DesignScene(DesignModel& model, QUndoStack& undo, QObject* parent = nullptr);
    // The items go while the scene still knows them: deleting one announces
    // a new selection, which reads them.
    ~DesignScene() override;

    void setSnap(bool on) { snap_ = on; }
    bool snap() const { return snap_; }

    // The chosen field, or -1.
    int selectedField() const;
    void selectField(int index);
    FieldItem* item(int index) const { return items_.value(index); }

    // Where a box dragged to `pos` goes: on the grid while snapping, on the form.
    QPointF placed(int index, QPointF pos) const;
    // The size a box dragged to `size` takes.
    QSizeF resized(int index, QSizeF size) const;
    // A drag or resize let go: one change, unless nothing moved.
    void finishMove(int index, QPointF from);
    void finishResize(int index, QSizeF from);
    // The chosen field moved by (dx, dy) mm, kept on the form.
    void nudge(double dx, double dy);

signals:
    void selectedFieldChanged(int index);

private:
    void rebuild();
    void formChanged();
    void renumber();
    double onGrid(double mm) const;

    DesignModel& model_;
    QUndoStack& undo_;
    QList<FieldItem*> items_;
    QGraphicsRectItem* outline_;
    bool snap_ = true;
    int lastSelected_ = -1;
};
