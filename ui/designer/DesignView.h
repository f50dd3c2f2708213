#pragma once
// The canvas: the scene over the form's scan. The scan is drawn as the
// view's background, which the view keeps cached at the current zoom, so a
// drag repaints only the boxes. Ctrl + wheel zooms, the arrow keys move the
// chosen field by 0.1 mm, and two clicks measure a distance on the scan.
#include <QGraphicsView>
#include <QPixmap>

class DesignScene;

class DesignView : public QGraphicsView {
    Q_OBJECT
public:
    explicit DesignView(DesignScene& scene, QWidget* parent = nullptr);

    // The scan, stretched over the form's `rect` (mm); a null pixmap for none.
    void setBackground(const QPixmap& scan, const QRectF& rect);
    // Screen pixels per mm.
    double zoom() const { return transform().m11(); }
    void setZoom(double pixelsPerMm);
    void zoomBy(double factor);
    // The zoom at which a millimetre on the screen is one on paper.
    double actualSize() const;

    // The next two clicks on the scene pick two points; Esc gives up.
    void startMeasure();
    bool measuring() const { return measuring_; }

signals:
    void measured(QPointF from, QPointF to); // scene mm
    void zoomed();

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    DesignScene& scene_;
    QPixmap scan_;
    QRectF scanRect_;
    void stopMeasure();
    bool measuring_ = false;
    QList<QPointF> picked_;
    QGraphicsItem* mark_ = nullptr; // where the first point was clicked
};
