// The form designer with 200 fields over a 300 dpi A4 scan: opening the
// layout, repainting the canvas, a drag step (mouse move and the repaint it
// causes) and a zoom step, each timed.
#include "core/forms/user/UserLayout.h"
#include "ui/designer/DesignModel.h"
#include "ui/designer/DesignView.h"
#include "ui/designer/Tnavrh.h"
#include "ui/frame/AppState.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The open dialog answered with the bench's layout; the rest never asked.
class Answers : public PrintDialogSeam {
public:
    explicit Answers(QString file) : file_(std::move(file)) {}
    QPrinter& currentPrinter() override { std::abort(); }
    std::optional<QFont> runFontDialog(QWidget*, const QFont&) override { return std::nullopt; }
    QString chooseFile(QWidget*, const QString&, const QString&) override { return file_; }
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    bool progressStep(QProgressDialog&, int) override { return true; }
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget*) override { return nullptr; }

private:
    QString file_;
};

class StderrMessages : public MessageSeam {
public:
    void showMessage(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void showHint(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
};

// Counts the paints of the canvas, so a step is known to have been drawn.
class Paints : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// Everything a step posted, the scene's update and the repaint it asks for, done.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

double msOf(const std::function<void()>& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%s: median %.2f ms, max %.2f ms (%zu runs)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

// A scan with lines and print on it, so it compresses as a real one does.
QImage scan()
{
    QImage image(2480, 3508, QImage::Format_RGB32);
    image.fill(QColor(0xFA, 0xF4, 0xE8));
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    QPainter p(&image);
    p.setPen(QPen(QColor(0xC0, 0x40, 0x40), 3));
    for (int y = 60; y < image.height(); y += 165)
        for (int x = 24; x < image.width(); x += 242)
            p.drawRect(x, y, 212, 71);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
    for (int y = 120; y < image.height(); y += 330)
        p.drawText(40, y, QStringLiteral("Poštový poukaz – vzor na skúšku"));
    return image;
}

UserLayout twoHundredFields()
{
    UserLayout l;
    l.name = QStringLiteral("Skúška rýchlosti");
    l.widthMm = 210;
    l.heightMm = 297;
    l.background = QStringLiteral("sken.jpg");
    for (int i = 0; i < 200; ++i) {
        UserField f;
        f.name = QStringLiteral("pole%1").arg(i + 1);
        f.xMm = 2 + (i % 10) * 20.5;
        f.yMm = 5 + (i / 10) * 14;
        f.widthMm = 18;
        f.heightMm = 6;
        l.fields << f;
    }
    return l;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("formulare"));
    const QString layoutFile = folder.filePath(QStringLiteral("formulare/skuska.json"));
    if (!scan().save(folder.filePath(QStringLiteral("formulare/sken.jpg")), "JPEG", 85))
        return 1;
    QFile out(layoutFile);
    if (!out.open(QIODevice::WriteOnly) || out.write(WriteUserLayout(twoHundredFields())) < 0)
        return 1;
    out.close();

    Answers answers(layoutFile);
    StderrMessages messages;
    Platform platform;
    platform.use(answers);
    platform.use(messages);
    AppState app(folder.path(), platform);
    Tnavrh w(app);
    w.resize(1400, 1000);
    w.show();
    QApplication::processEvents();

    const double openMs = msOf([&] {
        w.findChild<QAction*>(QStringLiteral("Otvorit1"))->trigger();
        QApplication::processEvents();
    });
    if (w.model().fieldCount() != 200)
        return 1;
    std::printf("opening the layout with its 2480 x 3508 scan: %.1f ms\n", openMs);

    DesignView* view = w.view();
    QWidget* canvas = view->viewport();
    view->setZoom(2 * view->actualSize());
    view->centerOn(105, 80);
    canvas->repaint();

    std::vector<double> repaints;
    for (int i = 0; i < 30; ++i)
        repaints.push_back(msOf([&] { canvas->repaint(); }));
    report("whole canvas repainted at 200 %", repaints);

    // A drag of one field, a pixel a step, each step painted before the next;
    // without the grid every step moves the field and repaints.
    const auto dragField = [&](int index, const char* what) {
        const UserField& f = w.model().field(index);
        const double startX = f.xMm;
        const QPoint from = view->mapFromScene(QPointF(f.xMm + 9, f.yMm + 3));
        QMouseEvent press(QEvent::MouseButtonPress, from, canvas->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &press);
        Paints paints;
        canvas->installEventFilter(&paints);
        std::vector<double> steps;
        for (int i = 1; i <= 200; ++i) {
            const QPoint to = from + QPoint(i, i / 2);
            steps.push_back(msOf([&] {
                QMouseEvent move(QEvent::MouseMove, to, canvas->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
                QApplication::sendEvent(canvas, &move);
                settle();
            }));
        }
        const QPoint to = from + QPoint(200, 100);
        QMouseEvent release(QEvent::MouseButtonRelease, to, canvas->mapToGlobal(to), Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(canvas, &release);
        settle();
        canvas->removeEventFilter(&paints);
        report(what, steps);
        std::printf("  %d paints in 200 steps; the field moved %.1f mm\n", paints.count, w.model().field(index).xMm - startX);
    };
    dragField(44, "drag step on the grid (move and its repaint)");
    w.findChild<QAction*>(QStringLiteral("Mriezka1"))->trigger();
    dragField(45, "drag step off the grid (move and its repaint)");
    if (const QByteArray shot = qgetenv("ZELVANA_DESIGNER_SHOT"); !shot.isEmpty())
        w.grab().save(QString::fromLocal8Bit(shot));

    // A zoom draws the scan once afresh at the new scale; the steps after it copy it.
    std::vector<double> zooms;
    for (int i = 0; i < 10; ++i)
        zooms.push_back(msOf([&] {
            view->zoomBy(i % 2 ? 0.8 : 1.25);
            canvas->repaint();
        }));
    report("zoom step with its repaint", zooms);
    return 0;
}
