// The preview and the printer's alignment: the preview paints the job the
// print draws, with the form under it; a stored shift moves every text by the
// same pixels and nothing else; tlaciarne.ini round trips and damage.
#include "ui/frame/DocumentKind.h"
#include "ui/printing/PrintPreview.h"
#include "ui/envelopes/Tobl.h"
#include "core/print/PrintCanvas.h"
#include "core/print/PrinterShift.h"
#include "core/print/QtPrintCanvas.h"
#include "ui/slips/TApoukazka.h"
#include "ui/printing/Tzarovnanie.h"
#include "support/Fixture.h"
#include "support/LayoutCheck.h"
#include "support/RecordingCanvas.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

// A4 at 600 dpi, the whole sheet printable.
static constexpr PageMeasures A4At600{4961, 7016, 210, 297};

static long long roundDiv(long long a, long long b) { return exactRoundDiv(a, b); }

class PreviewAlignmentTest : public QObject {
    Q_OBJECT

    static TApoukazka* slipA(Program& p)
    {
        auto* w = openWith<TApoukazka>(p, FormKind::SlipA, {});
        w->suma->setText("1234");
        w->od1->setText(QStringLiteral("Ján Košický"));
        w->odpsc->setText("04001");
        w->nazov_uctu->setPlainText(QStringLiteral("Spolok\nKošice"));
        p.app->settings().setPrintFontSize(10);
        return w;
    }

    static QList<RotatedText> printed(Program& p, DocumentWindow* w, const PageMeasures& page,
                                      QList<Guide>* guides = nullptr)
    {
        RecordingCanvas canvas(page);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        w->Tlai1->trigger();
        if (guides)
            *guides = canvas.guides;
        return canvas.drawn;
    }

    static void writeIni(Program& p, const QByteArray& text) { p.folder.write(ShiftFileName, text); }

private slots:
    void shiftMovesEveryTextByWholePixels()
    {
        Program p;
        TApoukazka* w = slipA(p);
        const QList<RotatedText> plain = printed(p, w, A4At600);
        QVERIFY(WriteShift(p.folder.file(ShiftFileName), QStringLiteral("recorder"), {1.0, 0.5}));
        const QList<RotatedText> shifted = printed(p, w, A4At600);
        // Right on the upright form is down the page; down is towards the left edge.
        const int dy = int(roundDiv(7016LL * 10, 297 * 10)); // Round(7016 x 1.0 / 297) = 24
        const int dx = -int(roundDiv(4961LL * 5, 210 * 10)); // Round(4961 x 0.5 / 210) = 12
        QCOMPARE(dy, 24);
        QCOMPARE(dx, -12);
        QCOMPARE(shifted.size(), plain.size());
        for (int i = 0; i < plain.size(); ++i) {
            QCOMPARE(shifted[i].text, plain[i].text);
            QCOMPARE(shifted[i].size, plain[i].size);
            QCOMPARE(shifted[i].emPixels, plain[i].emPixels);
            QCOMPARE(shifted[i].x, plain[i].x + dx);
            QCOMPARE(shifted[i].y, plain[i].y + dy);
        }
    }

    void zeroShiftIsNoShift()
    {
        Program p;
        TApoukazka* w = slipA(p);
        const QList<RotatedText> none = printed(p, w, ExamplePrinter);
        QVERIFY(WriteShift(p.folder.file(ShiftFileName), QStringLiteral("recorder"), {0, 0}));
        const QList<RotatedText> zero = printed(p, w, ExamplePrinter);
        QCOMPARE(zero.size(), none.size());
        for (int i = 0; i < none.size(); ++i)
            QVERIFY(zero[i].text == none[i].text && zero[i].x == none[i].x && zero[i].y == none[i].y
                    && zero[i].size == none[i].size);
        QVERIFY(p.platform.messages.isEmpty());
    }

    void shiftFileRoundTripKeepsOtherPrinters()
    {
        TempProgramFolder folder;
        const QString path = folder.file(ShiftFileName);
        QVERIFY(WriteShift(path, QStringLiteral("HP LaserJet 1020"), {1.5, -0.7}));
        QVERIFY(WriteShift(path, PdfPrinterName, {-30, 30}));
        QVERIFY(WriteShift(path, QStringLiteral("HP LaserJet 1020"), {2.1, 0}));
        const QByteArray text = folder.read(ShiftFileName);
        QVERIFY2(text.contains("posunDoprava=2.1"), text.constData());
        QVERIFY(text.contains("posunNadol=30.0"));
        QString damage;
        const FormShift hp = ReadShift(path, QStringLiteral("HP LaserJet 1020"), &damage);
        QCOMPARE(hp.rightMm, 2.1);
        QCOMPARE(hp.downMm, 0.0);
        const FormShift pdf = ReadShift(path, PdfPrinterName, &damage);
        QCOMPARE(pdf.rightMm, -30.0);
        QCOMPARE(pdf.downMm, 30.0);
        QVERIFY(damage.isEmpty());
        QVERIFY(ReadShift(path, QStringLiteral("Iná"), &damage).isZero());
        QVERIFY(ReadShift(folder.file("none.ini"), PdfPrinterName, &damage).isZero());
        QVERIFY(damage.isEmpty());
    }

    // A file QSettings cannot parse gives no shift, says so, and the next
    // alignment replaces it with a sound one.
    void unparsableShiftFileIsReportedAndReplaced_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("line without =") << QByteArray("[recorder]\nposunDoprava=5\nposu\n");
        QTest::newRow("bare word first") << QByteArray("posun\n[recorder]\nposunNadol=2\n");
    }
    void unparsableShiftFileIsReportedAndReplaced()
    {
        QFETCH(QByteArray, ini);
        TempProgramFolder folder;
        const QString path = folder.file(ShiftFileName);
        folder.write(ShiftFileName, ini);
        QString damage;
        QVERIFY(ReadShift(path, QStringLiteral("recorder"), &damage).isZero());
        QCOMPARE(damage, QStringLiteral("nedá sa rozobrať"));
        QVERIFY(WriteShift(path, QStringLiteral("recorder"), {1.0, -0.5}));
        damage.clear();
        const FormShift back = ReadShift(path, QStringLiteral("recorder"), &damage);
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
        QCOMPARE(back.rightMm, 1.0);
        QCOMPARE(back.downMm, -0.5);
    }

    // Files QSettings parses but, once it has written them back, cannot parse
    // again: a key ending in '/' goes out ending in '\', which escapes the
    // '='. The save must read back as saved, keep the other printers' shifts
    // and keep the old bytes as .bak.
    void shiftFileQSettingsCannotWriteBackKeepsOtherPrinters_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("stray key in the other printer's group")
            << QByteArray("[HP]\nposunDoprava=1.5\nposunNadol=0.5\nk/=1\n");
        QTest::newRow("and a printer whose value is @Invalid(), i.e. none")
            << QByteArray("[HP]\nposunDoprava=1.5\nposunNadol=0.5\nk/=1\n[Old]\nposunNadol=@Invalid()\n");
        QTest::newRow("stray key in the saved printer's group")
            << QByteArray("[PDF]\nposunN\x01/=3\n[HP]\nposunDoprava=1.5\nposunNadol=0.5\n");
        QTest::newRow("a header twice on one line")
            << QByteArray("[PDF][PDF]\nposunDoprava=1e30\nposunN\x01\x00\x00/=3-8e01\n[HP]\n"
                          "posunDoprava=1.5\nposunNadol=0.5\n", 84);
    }
    void shiftFileQSettingsCannotWriteBackKeepsOtherPrinters()
    {
        QFETCH(QByteArray, ini);
        TempProgramFolder folder;
        const QString path = folder.file(ShiftFileName);
        folder.write(ShiftFileName, ini);
        QString damage;
        QCOMPARE(ReadShift(path, QStringLiteral("HP"), &damage).rightMm, 1.5);
        QVERIFY(damage.isEmpty());

        QVERIFY(WriteShift(path, PdfPrinterName, {-2.5, 4.0}));
        const FormShift pdf = ReadShift(path, PdfPrinterName, &damage);
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
        QCOMPARE(pdf.rightMm, -2.5);
        QCOMPARE(pdf.downMm, 4.0);
        const FormShift hp = ReadShift(path, QStringLiteral("HP"), &damage);
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
        QCOMPARE(hp.rightMm, 1.5);
        QCOMPARE(hp.downMm, 0.5);
        QVERIFY(ReadShift(path, QStringLiteral("Old"), &damage).isZero());
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
        QCOMPARE(folder.read(ShiftFileName + QStringLiteral(".bak")), ini);
        // and the next save starts from the sound file: nothing more to keep
        QVERIFY(WriteShift(path, PdfPrinterName, {1.0, 1.0}));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bak2")));
    }

    // "[]" makes QSettings list a group with no name that reads the top-level
    // keys; no printer is called "", and a save for the others keeps the file.
    void groupWithNoNameIsNoPrinter()
    {
        TempProgramFolder folder;
        const QString path = folder.file(ShiftFileName);
        const QByteArray ini("posunNadol=abc\n[]\nk=2\n[HP]\nposunDoprava=1.5\nposunNadol=0.5\n");
        folder.write(ShiftFileName, ini);
        QString damage;
        QVERIFY(ReadShift(path, QString(), &damage).isZero());
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
        QVERIFY(!WriteShift(path, QString(), {1.0, 1.0}));
        QCOMPARE(folder.read(ShiftFileName), ini);
        QVERIFY(WriteShift(path, PdfPrinterName, {1.0, 1.0}));
        QCOMPARE(ReadShift(path, QStringLiteral("HP"), &damage).downMm, 0.5);
        QVERIFY(ReadShift(path, QString(), &damage).isZero());
        QVERIFY2(damage.isEmpty(), qPrintable(damage));
    }

    void damagedShiftFile_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("no number") << QByteArray("[recorder]\nposunDoprava=abc\nposunNadol=0\n");
        QTest::newRow("beyond 30 mm") << QByteArray("[recorder]\nposunDoprava=30.1\n");
        QTest::newRow("beyond -30 mm") << QByteArray("[recorder]\nposunNadol=-45\n");
        QTest::newRow("decimal comma") << QByteArray("[recorder]\nposunNadol=\"1,5\"\n");
        QTest::newRow("not a number at all") << QByteArray("[recorder]\nposunNadol=nan\n");
    }
    void damagedShiftFile()
    {
        QFETCH(QByteArray, ini);
        Program p;
        TApoukazka* w = slipA(p);
        const QList<RotatedText> plain = printed(p, w, ExamplePrinter);
        writeIni(p, ini);
        const QList<RotatedText> damaged = printed(p, w, ExamplePrinter);
        QCOMPARE(p.platform.messages.size(), 1); // said, and printed without a shift
        QVERIFY(p.platform.messages.first().contains(ShiftFileName));
        QCOMPARE(damaged.size(), plain.size());
        for (int i = 0; i < plain.size(); ++i)
            QVERIFY(damaged[i].x == plain[i].x && damaged[i].y == plain[i].y);
    }

    void shiftIsReadAfreshAtEveryPrint()
    {
        Program p;
        TApoukazka* w = slipA(p);
        writeIni(p, "[recorder]\nposunDoprava=1.0\nposunNadol=0\n");
        const int first = printed(p, w, A4At600).first().y;
        writeIni(p, "[recorder]\nposunDoprava=2.0\nposunNadol=0\n"); // same size, same second
        const int second = printed(p, w, A4At600).first().y;
        // Round(7016 x 2 / 297) - Round(7016 x 1 / 297): the new value, not a cached one.
        QCOMPARE(second - first, int(roundDiv(7016LL * 2, 297) - roundDiv(7016LL, 297)));
    }

    void realPrintHasNoFormDrawing()
    {
        Program p;
        TApoukazka* w = slipA(p);
        QList<Guide> guides;
        QVERIFY(!printed(p, w, ExamplePrinter, &guides).isEmpty());
        QVERIFY(guides.isEmpty());
    }

    void previewPaintsWhatThePrintDraws()
    {
        Program p;
        TApoukazka* w = slipA(p);
        // An A4 page at 150 dpi painted through the same canvas as a print.
        QImage page(1240, 1754, QImage::Format_RGB32);
        page.fill(Qt::white);
        page.setDotsPerMeterX(5906);
        page.setDotsPerMeterY(5906);
        {
            QtPrintCanvas canvas(page);
            QCOMPARE(w->printing().printOn(canvas, {}, true), PrintOutcome::Printed);
        }
        const PageMeasures measures{page.width(), page.height(), page.widthMM(), page.heightMM()};
        RecordingCanvas recorder(measures, 96, 150);
        QCOMPARE(w->printing().printOn(recorder, {}, true), PrintOutcome::Printed);
        QVERIFY(!recorder.guides.isEmpty()); // the form is sketched
        QVERIFY(recorder.guides.first().pale);
        int checked = 0;
        for (const RotatedText& t : recorder.drawn) {
            const QString visible = t.text.trimmed();
            if (visible.isEmpty())
                continue;
            // Turned text: black pixels in the cell left of x, running down from y.
            int black = 0;
            for (int px = std::max(0, t.x - t.emPixels); px < std::min(page.width(), t.x); ++px)
                for (int py = std::max(0, t.y); py < std::min(page.height(), t.y + int(visible.size()) * t.emPixels / 2); ++py)
                    black += qGray(page.pixel(px, py)) < 64;
            QVERIFY2(black > 0, qPrintable(visible));
            ++checked;
        }
        QVERIFY(checked >= 20);
        // And the pale form: pixels neither white nor dark.
        int pale = 0;
        for (int y = 0; y < page.height(); y += 2)
            for (int x = 0; x < page.width(); x += 2)
                pale += page.pixel(x, y) == QColor(0xB4, 0xC8, 0xE6).rgb();
        QVERIFY(pale > 100);
    }

    void previewWindowDescribesTheJobAndPrintsLikeTheMenu()
    {
        Program p;
        TApoukazka* w = slipA(p);
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };
        int pages = -1;
        QString description;
        p.platform.onDialog = [&](QDialog& d) {
            auto* preview = qobject_cast<PrintPreview*>(&d);
            QVERIFY(preview);
            preview->preview->updatePreview();
            pages = preview->preview->pageCount();
            description = d.findChild<QLabel*>("popisTlace")->text();
            preview->print->click();
        };
        w->Ukkapredtlaou1->trigger();
        QCOMPARE(pages, 1);
        QVERIFY2(description.contains(QStringLiteral("súbor PDF")), qPrintable(description));
        QVERIFY(description.contains(QStringLiteral("102 mm")));
        QVERIFY(description.contains(QStringLiteral("210 × 297 mm")));
        QVERIFY(!description.contains(QStringLiteral("Pozor")));
        // "Tlačiť" in the preview ran the window's own print: one dialog, every row, no form.
        QCOMPARE(p.platform.printDialogs, 1);
        QCOMPARE(canvas.drawn.size(), printed(p, w, ExamplePrinter).size());
        QVERIFY(canvas.guides.isEmpty());
    }

    void previewWarnsWhenTextFallsOffThePage()
    {
        Program p;
        TApoukazka* w = slipA(p);
        p.platform.currentPrinter().setPageSize(QPageSize(QPageSize::A6)); // far too small for the form
        QString description;
        bool whole = false;
        p.platform.onDialog = [&](QDialog& d) {
            auto* line = d.findChild<QLabel*>("popisTlace");
            description = line->text();
            // Every line of the description shows, inside the window, inside the screen.
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            const QRect screen = d.screen()->availableGeometry();
            whole = line->height() >= line->heightForWidth(line->width()) && d.rect().contains(line->geometry())
                    && screen.contains(QRect(d.mapToGlobal(QPoint(0, 0)), d.size()));
        };
        w->Ukkapredtlaou1->trigger();
        QVERIFY2(description.contains(QStringLiteral("Pozor")), qPrintable(description));
        QVERIFY(whole);
        QCOMPARE(p.platform.printDialogs, 0); // closed without printing
    }

    void alignmentDialogStoresTheShiftForThePrinter()
    {
        Program p;
        TApoukazka* w = slipA(p);
        writeIni(p, "[Stara tlaciaren]\nposunDoprava=3.0\nposunNadol=-1.0\n");
        p.platform.onDialog = [&](QDialog& d) {
            auto* dialog = qobject_cast<Tzarovnanie*>(&d);
            QVERIFY(dialog);
            QVERIFY(dialog->tlaciaren->findText(PdfPrinterName) >= 0);
            QCOMPARE(dialog->tlaciaren->findText(QStringLiteral("Stara tlaciaren")), -1); // gone from the system
            QCOMPARE(dialog->tlaciaren->currentText(), PdfPrinterName);
            QCOMPARE(dialog->doprava->minimum(), -30.0);
            QCOMPARE(dialog->doprava->maximum(), 30.0);
            QCOMPARE(dialog->nadol->singleStep(), 0.1);
            const QImage before = dialog->nakres->pixmap().toImage();
            dialog->doprava->setFocus();
            dialog->doprava->selectAll();
            QTest::keyClicks(dialog->doprava, "1.0");
            dialog->nadol->setValue(0.5);
            QVERIFY(dialog->nakres->pixmap().toImage() != before); // the drawing follows
            dialog->akceptovat->click();
        };
        w->Zarovnanietlaiarne1->trigger();
        const FormShift pdf = ReadShift(p.folder.file(ShiftFileName), PdfPrinterName);
        QCOMPARE(pdf.rightMm, 1.0);
        QCOMPARE(pdf.downMm, 0.5);
        const FormShift old = ReadShift(p.folder.file(ShiftFileName), QStringLiteral("Stara tlaciaren"));
        QCOMPARE(old.rightMm, 3.0); // another printer's shift is kept
        QCOMPARE(old.downMm, -1.0);
        QVERIFY(!p.folder.exists("program.nas.bak"));
    }

    void alignmentSheetIsTheShiftedFormWithRulers()
    {
        Program p;
        TApoukazka* w = slipA(p);
        RecordingCanvas plain(A4At600), shifted(A4At600);
        QCOMPARE(w->printing().printAlignmentSheet(plain, {}), PrintOutcome::Printed);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(shifted); };
        p.platform.onDialog = [&](QDialog& d) {
            auto* dialog = static_cast<Tzarovnanie*>(&d);
            dialog->doprava->setValue(1.0);
            dialog->nadol->setValue(0.5);
            dialog->skusobnaStrana->click();
            dialog->zrusit->click();
        };
        w->Zarovnanietlaiarne1->trigger();
        QVERIFY(!p.folder.exists(ShiftFileName)); // cancelled: nothing stored
        QCOMPARE(plain.guides.size(), 1);
        QCOMPARE(shifted.guides.size(), 1);
        QVERIFY(plain.drawn.isEmpty()); // no slip text on the sheet
        const Guide& a = plain.guides.first();
        const Guide& b = shifted.guides.first();
        QVERIFY(!a.pale);
        QVERIFY(a.lines.size() > 300); // a tick a millimetre along both edges
        QCOMPARE(b.lines.size(), a.lines.size());
        for (int i = 0; i < a.lines.size(); ++i)
            QCOMPARE(b.lines[i], a.lines[i].translated(-12, 24));
    }

    void envelopePreviewSketchesTheEnvelope()
    {
        Program p;
        p.folder.installShippedTemplates();
        p.folder.write("program.nas", settingsBytes({}));
        p.loadRecords();
        auto* w = qobject_cast<Tobl*>(OpenDocumentWindow(*p.app, FormKind::Envelope));
        QVERIFY(w);
        w->sablona->setEditText(QStringLiteral("DL 110x220.obl"));
        w->adr->setPlainText(QStringLiteral("Obecný úrad"));
        RecordingCanvas canvas(ExamplePrinter);
        QCOMPARE(w->printing().printOn(canvas, {}, true), PrintOutcome::Printed);
        QCOMPARE(canvas.guides.size(), 1);
        // The outline's top edge lies where the placement rule puts x = 0 for R = W.
        const SlipPlacement place(ExamplePrinter, 110);
        QVERIFY(canvas.guides.first().lines.contains(
            QLine(place.DeviceX(0), place.DeviceY(0), place.DeviceX(0), place.DeviceY(220))));
        QVERIFY(w->printing().formPlacement().contains(QStringLiteral("110 × 220 mm")));
    }
};

QTEST_MAIN(PreviewAlignmentTest)
#include "test_preview_alignment.moc"
