#pragma once
// A label that reacts to a click, like a picture button or a link.
#include <QLabel>

class PictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();
protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
