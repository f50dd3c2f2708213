#include "ui/designer/DesignView.h"

#include "ui/designer/DesignScene.h"

#include <QGraphicsPathItem>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
constexpr double LeastZoom = 0.25, MostZoom = 80;
} // namespace

DesignView::DesignView(DesignScene& scene, QWidget* parent) : QGraphicsView(&scene, parent), scene_(scene)
{
    setObjectName(QStringLiteral("navrhScena"));
    setCacheMode(CacheBackground);
    setViewportUpdateMode(SmartViewportUpdate);
    setOptimizationFlag(DontAdjustForAntialiasing);
    setTransformationAnchor(AnchorUnderMouse);
    setDragMode(NoDrag);
    setBackgroundBrush(QColor(0xA0, 0xA0, 0xA0));
    setFocusPolicy(Qt::StrongFocus);
    setZoom(actualSize());
}

double DesignView::actualSize() const { return logicalDpiX() / 25.4; }

void DesignView::setBackground(const QPixmap& scan, const QRectF& rect)
{
    if (scan.cacheKey() == scan_.cacheKey() && rect == scanRect_)
        return;
    scan_ = scan;
    scanRect_ = rect;
    resetCachedContent();
    viewport()->update();
}

void DesignView::setZoom(double pixelsPerMm)
{
    const double z = std::clamp(pixelsPerMm, LeastZoom, MostZoom);
    setTransform(QTransform::fromScale(z, z));
    emit zoomed();
}

void DesignView::zoomBy(double factor) { setZoom(zoom() * factor); }

void DesignView::drawBackground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawBackground(painter, rect);
    painter->fillRect(scanRect_.intersected(rect), Qt::white);
    if (scan_.isNull() || scanRect_.isEmpty())
        return;
    // Only the part in view is scaled; the view keeps the result until the zoom changes.
    const QRectF shown = scanRect_.intersected(rect);
    if (shown.isEmpty())
        return;
    const double sx = scan_.width() / scanRect_.width(), sy = scan_.height() / scanRect_.height();
    const QRectF source((shown.left() - scanRect_.left()) * sx, (shown.top() - scanRect_.top()) * sy,
                        shown.width() * sx, shown.height() * sy);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(shown, scan_, source);
}

void DesignView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomBy(std::pow(1.25, event->angleDelta().y() / 120.0));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void DesignView::keyPressEvent(QKeyEvent* event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 1.0 : NudgeMm;
    switch (event->key()) {
    case Qt::Key_Left:
        scene_.nudge(-step, 0);
        break;
    case Qt::Key_Right:
        scene_.nudge(step, 0);
        break;
    case Qt::Key_Up:
        scene_.nudge(0, -step);
        break;
    case Qt::Key_Down:
        scene_.nudge(0, step);
        break;
    case Qt::Key_Escape:
        if (measuring_) {
            stopMeasure();
            break;
        }
        [[fallthrough]];
    default:
        QGraphicsView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DesignView::startMeasure()
{
    stopMeasure();
    measuring_ = true;
    viewport()->setCursor(Qt::CrossCursor);
}

void DesignView::stopMeasure()
{
    measuring_ = false;
    picked_.clear();
    delete mark_;
    mark_ = nullptr;
    viewport()->unsetCursor();
}

void DesignView::mousePressEvent(QMouseEvent* event)
{
    if (!measuring_ || event->button() != Qt::LeftButton) {
        QGraphicsView::mousePressEvent(event);
        return;
    }
    picked_ << mapToScene(event->position().toPoint());
    event->accept();
    if (picked_.size() < 2) {
        // A cross of a fixed size on the screen, whatever the zoom.
        auto* mark = new QGraphicsPathItem;
        QPainterPath cross;
        cross.moveTo(-6, 0);
        cross.lineTo(6, 0);
        cross.moveTo(0, -6);
        cross.lineTo(0, 6);
        mark->setPath(cross);
        mark->setPen(QPen(QColor(0xE0, 0x00, 0x60), 0));
        mark->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        mark->setPos(picked_.front());
        mark->setZValue(2);
        scene_.addItem(mark);
        mark_ = mark;
        return;
    }
    const QPointF from = picked_[0], to = picked_[1];
    stopMeasure();
    emit measured(from, to);
}
