#include "ui/designer/DesignScene.h"

#include "ui/designer/DesignCommands.h"
#include "ui/designer/FieldItem.h"

#include <QGraphicsRectItem>
#include <QUndoStack>
#include <algorithm>
#include <cmath>

namespace {
// Room around the form to drop a drag in and scroll to.
constexpr double MarginMm = 20;
} // namespace

DesignScene::DesignScene(DesignModel& model, QUndoStack& undo, QObject* parent)
    : QGraphicsScene(parent), model_(model), undo_(undo), outline_(new QGraphicsRectItem)
{
    // A fixed set of boxes that move one at a time: no index to keep up.
    setItemIndexMethod(NoIndex);
    QPen pen(QColor(0x50, 0x50, 0x50), 1);
    pen.setCosmetic(true);
    outline_->setPen(pen);
    outline_->setZValue(-1);
    addItem(outline_);
    connect(&model_, &DesignModel::wasReset, this, &DesignScene::rebuild);
    connect(&model_, &DesignModel::formChanged, this, &DesignScene::formChanged);
    connect(&model_, &DesignModel::fieldChanged, this, [this](int i) {
        items_[i]->show(model_.field(i));
        if (i == selectedField())
            emit selectedFieldChanged(i); // the panel shows what undo brought back
    });
    connect(&model_, &DesignModel::fieldInserted, this, [this](int i) {
        auto* item = new FieldItem(*this, i, model_.field(i));
        addItem(item);
        items_.insert(i, item);
        renumber();
    });
    connect(&model_, &DesignModel::fieldRemoved, this, [this](int i) {
        FieldItem* item = items_.takeAt(i);
        removeItem(item);
        delete item;
        renumber();
    });
    connect(this, &QGraphicsScene::selectionChanged, this, [this] {
        const int now = selectedField();
        if (now != lastSelected_) {
            lastSelected_ = now;
            emit selectedFieldChanged(now);
        }
    });
    rebuild();
}

DesignScene::~DesignScene()
{
    blockSignals(true);
    clear();
    items_.clear();
}

void DesignScene::rebuild()
{
    clearSelection();
    for (FieldItem* item : items_) {
        removeItem(item);
        delete item;
    }
    items_.clear();
    for (int i = 0; i < model_.fieldCount(); ++i) {
        auto* item = new FieldItem(*this, i, model_.field(i));
        addItem(item);
        items_.append(item);
    }
    formChanged();
}

void DesignScene::formChanged()
{
    const QRectF form(0, 0, model_.layout().widthMm, model_.layout().heightMm);
    outline_->setRect(form);
    setSceneRect(form.adjusted(-MarginMm, -MarginMm, MarginMm, MarginMm));
}

void DesignScene::renumber()
{
    for (int i = 0; i < items_.size(); ++i)
        items_[i]->setIndex(i);
    lastSelected_ = -2; // indices moved: tell the panel again
    const int now = selectedField();
    lastSelected_ = now;
    emit selectedFieldChanged(now);
}

int DesignScene::selectedField() const
{
    for (QGraphicsItem* item : selectedItems())
        if (item->type() == FieldItem::Type)
            return static_cast<FieldItem*>(item)->index();
    return -1;
}

void DesignScene::selectField(int index)
{
    clearSelection();
    if (FieldItem* item = items_.value(index))
        item->setSelected(true);
}

double DesignScene::onGrid(double mm) const { return snap_ ? std::round(mm / GridMm) * GridMm : Hundredths(mm); }

QPointF DesignScene::placed(int index, QPointF pos) const
{
    const QSizeF size = items_[index]->size();
    const double right = std::max(0.0, model_.layout().widthMm - size.width());
    const double bottom = std::max(0.0, model_.layout().heightMm - size.height());
    return {std::clamp(onGrid(pos.x()), 0.0, right), std::clamp(onGrid(pos.y()), 0.0, bottom)};
}

QSizeF DesignScene::resized(int index, QSizeF size) const
{
    const UserField& f = model_.field(index);
    // The right and bottom edges go on the grid, as a dragged box's corner does.
    double w = onGrid(f.xMm + size.width()) - f.xMm, h = onGrid(f.yMm + size.height()) - f.yMm;
    w = std::clamp(w, SmallestFieldMm, std::max(SmallestFieldMm, model_.layout().widthMm - f.xMm));
    h = std::clamp(h, SmallestFieldMm, std::max(SmallestFieldMm, model_.layout().heightMm - f.yMm));
    if (f.kind == UserFieldKind::PayBySquare)
        w = h = std::max(SmallestFieldMm,
                         std::min(std::max(w, h), std::min(model_.layout().widthMm - f.xMm, model_.layout().heightMm - f.yMm)));
    return {Hundredths(w), Hundredths(h)};
}

void DesignScene::finishMove(int index, QPointF from)
{
    FieldItem* item = items_[index];
    if (item->pos() == from)
        return;
    UserField before = model_.field(index), after = before;
    after.xMm = item->pos().x();
    after.yMm = item->pos().y();
    undo_.push(new EditFieldCommand(model_, index, before, after, QStringLiteral("Presunúť pole")));
}

void DesignScene::finishResize(int index, QSizeF from)
{
    FieldItem* item = items_[index];
    if (item->size() == from)
        return;
    UserField before = model_.field(index), after = before;
    after.widthMm = after.sizeMm = item->size().width();
    after.heightMm = item->size().height();
    undo_.push(new EditFieldCommand(model_, index, before, after, QStringLiteral("Zmeniť veľkosť poľa")));
}

void DesignScene::nudge(double dx, double dy)
{
    const int index = selectedField();
    if (index < 0)
        return;
    UserField before = model_.field(index), after = before;
    const double right = std::max(0.0, model_.layout().widthMm - before.widthMm);
    const double bottom = std::max(0.0, model_.layout().heightMm - before.heightMm);
    after.xMm = Hundredths(std::clamp(before.xMm + dx, 0.0, right));
    after.yMm = Hundredths(std::clamp(before.yMm + dy, 0.0, bottom));
    if (after != before)
        undo_.push(new EditFieldCommand(model_, index, before, after, QStringLiteral("Posunúť pole")));
}
