// A user form made from its layout: where its texts, boxes and QR code land
// on the page, for each rotation and on printers of several resolutions;
// what it refuses before a print; what the personal data fills in.
#include "core/forms/user/UserFieldText.h"
#include "core/forms/user/UserForm.h"
#include "core/forms/user/UserPage.h"
#include "core/print/PageRenderer.h"
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"
#include "core/base/Cp1250.h"
#include "support/RecordingCanvas.h"
#include "support/TempProgramFolder.h"

#include <QTest>

namespace {

const QByteArray Layout = R"({
  "format": "zelvana-form", "version": 1, "name": "Skúška", "size_mm": [120, 60],
  "page": { "paper": "A4", "offset_mm": [30, 40], "rotation": 0 },
  "fields": [
    { "name": "meno", "kind": "text", "fill": "{titul} {meno} {priezvisko}", "x_mm": 10, "y_mm": 5, "width_mm": 60, "height_mm": 6 },
    { "name": "suma", "kind": "amount", "align": "right", "x_mm": 70, "y_mm": 5, "width_mm": 40, "height_mm": 6 },
    { "name": "slovom", "kind": "words", "source": "suma", "x_mm": 10, "y_mm": 14, "width_mm": 100, "height_mm": 6 },
    { "name": "vs", "kind": "symbol", "x_mm": 10, "y_mm": 24, "width_mm": 50, "height_mm": 6, "boxes": { "count": 10, "pitch_mm": 5 } },
    { "name": "iban", "kind": "iban", "fill": "{iban}", "x_mm": 10, "y_mm": 34, "width_mm": 80, "height_mm": 6 },
    { "name": "adresa", "kind": "text", "lines": 2, "x_mm": 10, "y_mm": 42, "width_mm": 60, "height_mm": 10 },
    { "name": "qr", "kind": "paybysquare", "x_mm": 85, "y_mm": 22, "size_mm": 30,
      "payment": { "iban": "iban", "amount": "suma", "vs": "vs", "beneficiary": "meno" } }
  ]
})";

std::shared_ptr<const FormDescription> formWith(int rotation)
{
    QByteArray json = Layout;
    json.replace("\"rotation\": 0", "\"rotation\": " + QByteArray::number(rotation));
    const UserLayoutRead read = ParseUserLayout(json);
    if (!read.layout)
        qFatal("%s", qPrintable(read.error));
    return MakeUserForm(*read.layout, {}, json, {});
}

FieldTexts typed(std::initializer_list<std::pair<const char*, QString>> texts)
{
    FieldTexts t;
    t.setText(QStringLiteral("meno"), QStringLiteral("Ján Novák"));
    t.setText(QStringLiteral("suma"), QStringLiteral("25,5"));
    t.setText(QStringLiteral("vs"), QStringLiteral("123"));
    t.setText(QStringLiteral("iban"), QStringLiteral("SK31 1200 0000 1987 4263 7541"));
    for (const auto& [field, text] : texts)
        t.setText(QString::fromLatin1(field), text);
    return t;
}

// An A4 printer with a 5 mm margin all round at `dpi`.
PageMeasures printerAt(int dpi) { return {200 * dpi * 10 / 254, 287 * dpi * 10 / 254, 200, 287}; }

// Form mm to the paper, as the layout file's rotation is described: turned
// clockwise, the outline's top-left corner at the offset.
QPointF onPaper(QPointF p, int rotation)
{
    const double w = 120, h = 60, ox = 30, oy = 40;
    switch (rotation) {
    case 90: return {ox + h - p.y(), oy + p.x()};
    case 180: return {ox + w - p.x(), oy + h - p.y()};
    case 270: return {ox + p.y(), oy + w - p.x()};
    default: return {ox + p.x(), oy + p.y()};
    }
}

QPoint onDevice(QPointF paperMm, const PageMeasures& page)
{
    return {qRound((paperMm.x() - 5) * page.PageWidth / page.HorzSize),
            qRound((paperMm.y() - 5) * page.PageHeight / page.VertSize)};
}

const RotatedText* drawnText(const RecordingCanvas& c, const QString& text)
{
    for (const RotatedText& t : c.drawn)
        if (t.text == text)
            return &t;
    return nullptr;
}

RecordingCanvas drawn(const FormDescription& form, const FieldTexts& texts, const PageMeasures& page)
{
    RecordingCanvas canvas(page);
    FieldTexts checked = texts;
    if (!form.check(QString(), checked).isEmpty())
        qFatal("the texts are refused");
    FormPage p{form.frame(form, ProgramSettings{}, {}, checked, nullptr).frame.value(), PrintTexts(form, checked)};
    PreparePage(form, p);
    form.draw(form, canvas, page, p);
    return canvas;
}

} // namespace

class UserFormTest : public QObject {
    Q_OBJECT
private slots:
    void textsBoxesAndCodeLandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("dpi");
        for (int rotation : {0, 90, 180, 270})
            for (int dpi : {300, 600, 1200})
                QTest::addRow("%d° %d dpi", rotation, dpi) << rotation << dpi;
    }
    void textsBoxesAndCodeLandWhereTheLayoutPutsThem()
    {
        QFETCH(int, rotation);
        QFETCH(int, dpi);
        const auto form = formWith(rotation);
        const PageMeasures page = printerAt(dpi);
        const RecordingCanvas canvas = drawn(*form, typed({}), page);
        const int pixel = 1; // rounding, once
        auto at = [&](const QString& text, QPointF formMm) {
            const RotatedText* t = drawnText(canvas, text);
            QVERIFY2(t, qPrintable(text));
            const QPoint want = onDevice(onPaper(formMm, rotation), page);
            QVERIFY2(qAbs(t->x - want.x()) <= pixel && qAbs(t->y - want.y()) <= pixel,
                     qPrintable(QStringLiteral("%1 at %2,%3, not %4,%5").arg(text).arg(t->x).arg(t->y).arg(want.x()).arg(want.y())));
            QCOMPARE(t->angle, (360 - rotation) % 360);
            QCOMPARE(t->emPixels, qRound(10 * 25.4 / 72 * page.PageHeight / page.VertSize));
        };
        at(QStringLiteral("Ján Novák"), {10, 5});
        at(QStringLiteral("-dvadsaťpäť- EUR 50/100"), {10, 14});
        at(QStringLiteral("SK31 1200 0000 1987 4263 7541"), {10, 34});
        // A right-aligned amount ends at its box's right edge.
        const UserFont font{QStringLiteral("Liberation Sans"), 10};
        at(QStringLiteral("25,50"), {110 - TextWidthMm(font, QStringLiteral("25,50")), 5});
        // Digits of a symbol fill its boxes from the right, each centred in its box.
        for (int i = 0; i < 3; ++i) {
            const QString digit = QString::number(i + 1);
            at(digit, {10 + (7 + i + 0.5) * 5 - TextWidthMm(font, digit) / 2, 24});
        }
        // The code with its quiet zone lies within its square, near its size.
        QVERIFY(!canvas.rects.isEmpty());
        QRect code;
        for (const QRect& r : canvas.rects)
            code |= r;
        const QRect square = QRect(onDevice(onPaper({85, 22}, rotation), page), onDevice(onPaper({115, 52}, rotation), page)).normalized();
        QVERIFY2(square.adjusted(-pixel, -pixel, pixel, pixel).contains(code), "the code leaves its square");
        QVERIFY(code.width() > square.width() * 0.7 && code.width() == code.height());
    }

    void printerShiftGoesAlongTheFormAsItReads_data()
    {
        QTest::addColumn<int>("rotation");
        for (int rotation : {0, 90, 180, 270})
            QTest::addRow("%d°", rotation) << rotation;
    }
    void printerShiftGoesAlongTheFormAsItReads()
    {
        // Right and down as the user reads the form: the texts move as if
        // each stood 3 mm further along its line and 2 mm further down.
        QFETCH(int, rotation);
        const auto form = formWith(rotation);
        const PageMeasures page = printerAt(600);
        FieldTexts texts = typed({});
        QVERIFY(form->check(QString(), texts).isEmpty());
        const FormPage p{PageFrame{}, PrintTexts(*form, texts)};
        RecordingCanvas canvas(page);
        QCOMPARE(PrintFormPage(canvas, *form, p, FormShift{3, 2}), PrintOutcome::Printed);
        const RotatedText* t = drawnText(canvas, QStringLiteral("Ján Novák"));
        QVERIFY(t);
        const QPoint want = onDevice(onPaper({13, 7}, rotation), page);
        QVERIFY2(qAbs(t->x - want.x()) <= 2 && qAbs(t->y - want.y()) <= 2,
                 qPrintable(QStringLiteral("at %1,%2, not %3,%4").arg(t->x).arg(t->y).arg(want.x()).arg(want.y())));
    }

    void refusesWhatCannotPrint_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        QTest::newRow("amount") << "suma" << "12,3,4" << "suma: zadajte sumu v eurách";
        QTest::newRow("iban") << "iban" << "SK31 1200 0000 1987 4263 7542" << "iban:";
        QTest::newRow("letters in a symbol") << "vs" << "12A" << "vs: smie obsahovať len číslice";
        QTest::newRow("more digits than boxes") << "vs" << "12345678901" << "vs: má 11 znakov, políčok je 10";
        QTest::newRow("too wide") << "meno" << QString(40, QLatin1Char('W')) << "meno: text „WWW";
        QTest::newRow("too many lines") << "adresa" << "a\nb\nc" << "adresa: má 3 riadkov, pole ich má 2";
        QTest::newRow("one-line field") << "meno" << "a\nb" << "meno: pole má jediný riadok";
        // Told by the field the code takes it from.
        QTest::newRow("no amount for the code") << "suma" << "" << "suma: zadajte";
    }
    void refusesWhatCannotPrint()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, said);
        const auto form = formWith(0);
        FieldTexts texts = typed({});
        texts.setText(field, text);
        const QList<FieldProblem> problems = form->check(QString(), texts);
        QVERIFY(!problems.isEmpty());
        QVERIFY2(problems.first().text.startsWith(said), qPrintable(problems.first().text));
        QCOMPARE(problems.first().field, field);
    }

    void previewShowsTheScanTheAlignmentSheetOutlines()
    {
        TempProgramFolder folder;
        QImage scan(240, 120, QImage::Format_RGB32);
        scan.fill(Qt::gray);
        folder.write("formulare/skuska.json", QByteArray(Layout).replace("\"fields\"", "\"background\": \"sken.png\", \"fields\""));
        QVERIFY(scan.save(folder.file("formulare/sken.png")));
        const UserFormRead read = LoadUserForm(folder.file("formulare/skuska.json"), folder.path());
        QVERIFY2(read.form && read.warnings.isEmpty(), qPrintable(read.error + read.warnings.join(' ')));
        const PageMeasures page = printerAt(600);
        const Guide under = read.form->sketch(*read.form, page, PageFrame{}, SketchUse::UnderText);
        QCOMPARE(under.pictures.size(), 1);
        QVERIFY(under.pale);
        // The scan covers the form: its far corner lies on the form's.
        QCOMPARE(under.pictures[0].toDevice.map(QPointF(240, 120)).toPoint(), onDevice(onPaper({120, 60}, 0), page));
        const Guide sheet = read.form->sketch(*read.form, page, PageFrame{}, SketchUse::AlignmentSheet);
        QVERIFY(sheet.pictures.isEmpty() && !sheet.pale && sheet.lines.size() >= 4 * 8);
    }

    void personalDataAndWordsFillIn()
    {
        const auto form = formWith(0);
        PersonalData p;
        p.set(Personal::meno, toCp1250(QStringLiteral("Ján")));
        p.set(Personal::priezvisko, toCp1250(QStringLiteral("Novák")));
        p.set(Personal::CU, toCp1250(QStringLiteral("19-8742637541/1200")));
        const FieldTexts filled = form->fill(ProgramSettings{}, p);
        QCOMPARE(filled.text("meno"), QStringLiteral("Ján Novák")); // no blank for the missing title
        QCOMPARE(filled.text("iban"), QStringLiteral("SK31 1200 0000 1987 4263 7541"));
        QCOMPARE(form->tabOrder(), (QStringList{"meno", "suma", "vs", "iban", "adresa"}));
        const std::optional<FieldTexts> words = form->amountWords(QStringLiteral("suma"), QStringLiteral("1234.5"));
        QVERIFY(words);
        QCOMPARE(words->text("slovom"), QStringLiteral("-jedentisícdvestotridsaťštyri- EUR 50/100"));
        QVERIFY(!form->amountWords(QStringLiteral("suma"), QStringLiteral("x")));
        // In boxes an amount is its digits, the cents in the last two even below a euro.
        UserField boxed;
        boxed.kind = UserFieldKind::Amount;
        boxed.boxes = UserBoxes{8, 5};
        QCOMPARE(PrintedLines({}, boxed, QStringLiteral("0,05")), QStringList{"005"});
        QCOMPARE(PrintedLines({}, boxed, QStringLiteral("1234.5")), QStringList{"123450"});
    }
};

QTEST_MAIN(UserFormTest)
#include "test_user_form.moc"
