// Build tool: puts the example user form into a folder: its layout file,
// refused unless it loads without a warning and is written exactly as the
// program writes layouts (so a save in the designer changes no byte), and its
// background, a light drawing of the printed form made from the layout's own
// fields: frame, title, each field's label and box, one box per character
// where a field has boxes. It is refused as well when the longest text a
// field takes, in wide letters, would not fit that field at its font.
// Usage: makeforms <layout.json> <folder>
#include "core/forms/user/UserLayout.h"
#include "core/forms/user/UserPage.h"
#include "core/print/FontFaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

// The drawing's resolution: 8 pixels a millimetre (203 dpi), fine enough to
// place boxes by, small enough to ship.
constexpr double PxPerMm = 8;

// Room between a printed box and its field's text: beside it, and above
// the first line's top (the letters' top lies a little below that).
constexpr double Margin = 1, Above = 1.5;

QRectF px(double x, double y, double w, double h) { return {x * PxPerMm, y * PxPerMm, w * PxPerMm, h * PxPerMm}; }

QFont labelFont(double heightMm, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(qRound(heightMm * PxPerMm));
    f.setBold(bold);
    return f;
}

QImage background(const UserLayout& l)
{
    QImage image(qRound(l.widthMm * PxPerMm), qRound(l.heightMm * PxPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(PxPerMm * 1000));
    image.setDotsPerMeterY(qRound(PxPerMm * 1000));
    const QColor paper(0xFD, 0xFB, 0xF4), ink(0xE0, 0x8A, 0x5C), label(0xB0, 0x6A, 0x48);
    image.fill(paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(QPen(ink, 0.4 * PxPerMm));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(px(2, 2, l.widthMm - 4, l.heightMm - 4), 2 * PxPerMm, 2 * PxPerMm);
    p.setPen(label);
    p.setFont(labelFont(5, true));
    p.drawText(px(8, 5, 150, 7), Qt::AlignLeft | Qt::AlignVCenter, l.name.toUpper());
    p.setFont(labelFont(2.6));
    p.drawText(px(8, 11.5, 150, 3.5), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("platba na účet – hotovosťou na pošte, prevodom alebo QR kódom v aplikácii banky"));

    for (const UserField& f : l.fields) {
        if (f.kind == UserFieldKind::Static)
            continue; // printed, not pre-printed
        const QString caption = f.caption.isEmpty() ? f.name : f.caption;
        if (f.kind == UserFieldKind::PayBySquare) {
            p.setPen(QPen(ink, 0.3 * PxPerMm, Qt::DashLine));
            p.setBrush(Qt::white);
            p.drawRect(px(f.xMm - Margin, f.yMm - Margin, f.sizeMm + 2 * Margin, f.sizeMm + 2 * Margin));
            p.setPen(label);
            p.setFont(labelFont(2.4));
            p.drawText(px(f.xMm - 4, f.yMm + f.sizeMm + Margin + 0.5, f.sizeMm + 8, 3), Qt::AlignHCenter | Qt::AlignTop,
                       caption);
            continue;
        }
        // The printed box holds the field with room around its text: a text's
        // first line starts at the field's top, one character is centred in
        // each box across, never down.
        const double side = f.boxes ? 0 : Margin;
        const QRectF box(f.xMm - side, f.yMm - Above, f.widthMm + 2 * side, f.heightMm + Above);
        p.setPen(label);
        p.setFont(labelFont(2.4));
        p.drawText(px(box.left(), box.top() - 3.4, box.width() + 40, 3), Qt::AlignLeft | Qt::AlignBottom, caption);
        p.setPen(QPen(ink, 0.25 * PxPerMm));
        p.setBrush(Qt::white);
        if (f.boxes) {
            for (int i = 0; i < f.boxes->count; ++i)
                p.drawRect(px(f.xMm + i * f.boxes->pitchMm, box.top(), f.boxes->pitchMm, box.height()));
        } else {
            p.drawRect(px(box.left(), box.top(), box.width(), box.height()));
        }
        if (f.kind == UserFieldKind::Amount) {
            p.setPen(label);
            p.setFont(labelFont(3.5, true));
            p.drawText(px(box.right() + 1.5, box.top(), 10, box.height()), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("EUR"));
        }
    }
    p.end();
    return image;
}

// The longest text each field takes, in its widest shape: as many capital
// Ms as a text allows on each of its lines, the longest amount in words.
QStringList widestProblems(const UserLayout& l)
{
    QStringList problems;
    for (const QString& amount : {QStringLiteral("9999999,99"), QStringLiteral("7777777,77")}) {
        FieldTexts texts;
        for (const UserField& f : l.fields) {
            const int count = f.maxChars > 0 ? f.maxChars : f.boxes ? f.boxes->count : 0;
            if (f.kind == UserFieldKind::Text && count > 0)
                texts.setText(f.name, QStringList(f.lines, QString(count, QLatin1Char('M'))).join(QLatin1Char('\n')));
            else if (f.kind == UserFieldKind::Amount)
                texts.setText(f.name, amount);
            else if (f.kind == UserFieldKind::Date)
                texts.setText(f.name, QStringLiteral("31.12.2027"));
            else if (f.kind == UserFieldKind::Iban)
                texts.setText(f.name, QStringLiteral("SK3112000000198742637541"));
            else if (f.kind == UserFieldKind::Symbol && count > 0)
                texts.setText(f.name, QString(count, QLatin1Char('8')));
        }
        for (const FieldProblem& p : FitProblems(l, texts))
            problems << p.text;
    }
    problems.removeDuplicates();
    return problems;
}

bool fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "makeforms: %s: %s\n", what, qPrintable(detail));
    return false;
}

bool make(const QString& source, const QString& folder)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail("cannot read", source);
    const QByteArray bytes = in.readAll();
    const UserLayoutRead read = ParseUserLayout(bytes);
    if (!read.layout)
        return fail(qPrintable(source), read.error);
    if (WriteUserLayout(*read.layout) != bytes)
        return fail(qPrintable(source), QStringLiteral("not as the program writes it; this is how:\n")
                                            + QString::fromUtf8(WriteUserLayout(*read.layout)));
    const UserLayout& layout = *read.layout;
    if (const QStringList tight = widestProblems(layout); !tight.isEmpty())
        return fail(qPrintable(source), tight.join(QLatin1Char('\n')));
    if (!layout.background.endsWith(QLatin1String(".png")))
        return fail(qPrintable(source), QStringLiteral("the background must be a .png drawn here"));
    if (!QDir().mkpath(folder))
        return fail("cannot make", folder);
    const QString target = folder + QLatin1Char('/') + QFileInfo(source).fileName();
    const QString picture = folder + QLatin1Char('/') + layout.background;
    if (!background(layout).save(picture, "PNG"))
        return fail("cannot write", picture);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() || !out.flush())
        return fail("cannot write", target);
    out.close();
    // As the program will find it: beside its background, nothing to warn of.
    const UserLayoutRead shipped = LoadUserLayout(target);
    if (!shipped.layout || !shipped.warnings.isEmpty())
        return fail(qPrintable(target), shipped.layout ? shipped.warnings.join(QLatin1Char('\n')) : shipped.error);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeforms <layout.json> <folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    SubstituteWindowsFaces(); // texts measured as the print measures them
    return make(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
