#include "ui/widgets/ScreenFit.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

QRect FitFrame(const QRect& frame, const QRect& available, const QSize& minimum)
{
    const QSize size(std::max(std::min(frame.width(), available.width()), minimum.width()),
                     std::max(std::min(frame.height(), available.height()), minimum.height()));
    // A frame larger than the area even at its minimum keeps its top-left
    // corner, and with it the title bar, on the screen.
    const int x = std::max(std::min(frame.x(), available.x() + available.width() - size.width()), available.x());
    const int y = std::max(std::min(frame.y(), available.y() + available.height() - size.height()), available.y());
    return QRect(QPoint(x, y), size);
}

namespace {

// The frame's share of the window: known once the window manager has framed
// it; before that, a title bar and thin borders as the style draws them.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry(), inner = window->geometry();
    if (frame != inner)
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                        frame.bottom() - inner.bottom());
    const int border = 4;
    return QMargins(border, window->style()->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border);
}

} // namespace

void FitWithin(QWidget* window, const QRect& available)
{
    const QMargins margins = frameMargins(window);
    QRect frame(window->pos(), window->size().grownBy(margins));
    if (!window->testAttribute(Qt::WA_Moved) && !window->isVisible())
        frame.moveCenter(available.center());
    const QRect fitted = FitFrame(frame, available, window->minimumSize().grownBy(margins));
    if (fitted == QRect(window->pos(), window->size().grownBy(margins)))
        return; // already where it lies within the screen
    window->resize(fitted.size().shrunkBy(margins));
    window->move(fitted.topLeft()); // a window's position is its frame's
}

void FitOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        FitWithin(window, screen->availableGeometry());
}
