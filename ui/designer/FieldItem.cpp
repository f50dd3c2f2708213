#include "ui/designer/FieldItem.h"

#include "ui/designer/DesignScene.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>

namespace {

// The square at a selected box's bottom-right corner, a fixed size on the
// screen whatever the zoom.
class ResizeHandle : public QGraphicsRectItem {
public:
    ResizeHandle(DesignScene& scene, FieldItem& field)
        : QGraphicsRectItem(-4, -4, 8, 8, &field), scene_(scene), field_(field)
    {
        setFlag(ItemIgnoresTransformations);
        setBrush(QColor(0x20, 0x60, 0xD0));
        setPen(QPen(Qt::white, 0));
        setCursor(Qt::SizeFDiagCursor);
        setZValue(1);
        hide();
    }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override
    {
        from_ = field_.size();
        event->accept();
    }
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override
    {
        const QPointF by = event->scenePos() - event->buttonDownScenePos(Qt::LeftButton);
        field_.setSize(scene_.resized(field_.index(), from_ + QSizeF(by.x(), by.y())));
    }
    void mouseReleaseEvent(QGraphicsSceneMouseEvent*) override { scene_.finishResize(field_.index(), from_); }

private:
    DesignScene& scene_;
    FieldItem& field_;
    QSizeF from_;
};

QColor kindColour(UserFieldKind kind)
{
    switch (kind) {
    case UserFieldKind::Amount:
    case UserFieldKind::Words:
        return QColor(0xD0, 0x60, 0x00);
    case UserFieldKind::Date:
    case UserFieldKind::Symbol:
        return QColor(0x00, 0x80, 0x40);
    case UserFieldKind::Iban:
        return QColor(0x80, 0x30, 0xA0);
    case UserFieldKind::Static:
        return QColor(0x60, 0x60, 0x60);
    case UserFieldKind::PayBySquare:
        return QColor(0x00, 0x00, 0x00);
    case UserFieldKind::Text:
        break;
    }
    return QColor(0xC0, 0x10, 0x30);
}

} // namespace

FieldItem::FieldItem(DesignScene& scene, int index, const UserField& field)
    : scene_(scene), index_(index), handle_(new ResizeHandle(scene, *this))
{
    setFlag(ItemIsSelectable);
    setFlag(ItemIsFocusable, false);
    // Each box is drawn once per zoom and then copied: a drag repaints only what moves.
    setCacheMode(DeviceCoordinateCache);
    setCursor(Qt::SizeAllCursor);
    show(field);
}

void FieldItem::show(const UserField& field)
{
    kind_ = field.kind;
    label_ = field.name.isEmpty() ? field.value : field.name;
    boxes_ = field.boxes.value_or(UserBoxes{});
    setPos(field.xMm, field.yMm);
    setSize({field.widthMm, field.heightMm});
    update();
}

void FieldItem::setSize(const QSizeF& size)
{
    if (size == size_)
        return;
    prepareGeometryChange();
    size_ = size;
    handle_->setPos(size.width(), size.height());
}

QRectF FieldItem::boundingRect() const { return QRectF(QPointF(0, 0), size_).adjusted(-0.2, -0.2, 0.2, 0.2); }

void FieldItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const QRectF box(QPointF(0, 0), size_);
    const QColor colour = isSelected() ? QColor(0x20, 0x60, 0xD0) : kindColour(kind_);
    QColor fill = colour;
    fill.setAlpha(isSelected() ? 60 : 30);
    QPen pen(colour, isSelected() ? 2 : 1);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(fill);
    painter->drawRect(box);
    const double pixelsPerMm = option->levelOfDetailFromTransform(painter->worldTransform());
    // Box edges closer than a few pixels would only grey the field over.
    if (boxes_.count > 0 && boxes_.pitchMm * pixelsPerMm >= 3) {
        for (int i = 1; i < boxes_.count; ++i) {
            const double x = i * boxes_.pitchMm;
            painter->drawLine(QPointF(x, size_.height() * 0.6), QPointF(x, size_.height()));
        }
    }
    if (kind_ == UserFieldKind::PayBySquare) {
        painter->drawLine(box.topLeft(), box.bottomRight());
        painter->drawLine(box.topRight(), box.bottomLeft());
    }
    // A name too small to read on the screen is left out.
    const double textMm = std::min(3.0, size_.height() * 0.8);
    if (label_.isEmpty() || textMm * pixelsPerMm < 6)
        return;
    painter->save();
    QFont font = painter->font();
    font.setPixelSize(20);
    painter->setFont(font);
    painter->scale(textMm / 20, textMm / 20);
    painter->setPen(colour.darker(130));
    const QRectF inTextUnits(0.5 * 20 / textMm, 0, (size_.width() - 0.5) * 20 / textMm, 20);
    painter->drawText(inTextUnits, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, label_);
    painter->restore();
}

QVariant FieldItem::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemSelectedHasChanged) {
        handle_->setVisible(value.toBool());
        setZValue(value.toBool() ? 1 : 0); // the chosen box over the others it is dragged across
    }
    return QGraphicsItem::itemChange(change, value);
}

void FieldItem::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // One field at a time is chosen, dragged and edited.
    if (!isSelected() || scene()->selectedItems().size() > 1) {
        scene()->clearSelection();
        setSelected(true);
    }
    pressPos_ = pos();
    dragging_ = true;
    event->accept();
}

void FieldItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (!dragging_)
        return;
    setPos(scene_.placed(index_, pressPos_ + event->scenePos() - event->buttonDownScenePos(Qt::LeftButton)));
}

void FieldItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    scene_.finishMove(index_, pressPos_);
}
