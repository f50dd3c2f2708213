#pragma once
// A field on the scan: its box in millimetres (one scene unit is 1 mm),
// dragged by the mouse, resized by the handle at its bottom-right corner.
// The item only shows and reports; the scene decides where a drag may go
// and makes each finished drag one undoable change.
#include "core/forms/user/UserLayout.h"

#include <QGraphicsItem>

class DesignScene;

class FieldItem : public QGraphicsItem {
public:
    enum { Type = UserType + 1 };
    FieldItem(DesignScene& scene, int index, const UserField& field);

    int index() const { return index_; }
    void setIndex(int index) { index_ = index; }
    // Shows the field as the model keeps it.
    void show(const UserField& field);
    QSizeF size() const { return size_; }
    // During a resize: the box as it would become.
    void setSize(const QSizeF& size);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    DesignScene& scene_;
    int index_;
    QSizeF size_;
    UserFieldKind kind_ = UserFieldKind::Text;
    QString label_;
    UserBoxes boxes_;
    QPointF pressPos_; // where the box was when the drag began
    bool dragging_ = false;
    QGraphicsItem* handle_;
};
