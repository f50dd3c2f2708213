// User forms printed by the real zelvana-batch: a layout named by its file
// or its name, every refusal told in Slovak with the table's line and column,
// its own shift per printer, and a journal that prints a job again on the
// layout it was printed with, whatever its file says today.
#include "support/PdfWords.h"
#include "support/TempProgramFolder.h"

#include <QProcess>
#include <QtTest>

namespace {

const QByteArray Layout = R"({
  "format": "zelvana-form", "version": 1, "name": "Nájomné", "size_mm": [200, 80],
  "page": { "paper": "A4", "offset_mm": [5, 20], "rotation": 0 },
  "fields": [
    { "name": "najomca", "kind": "text", "x_mm": 10, "y_mm": 10, "width_mm": 80, "height_mm": 6 },
    { "name": "suma", "kind": "amount", "x_mm": 100, "y_mm": 10, "width_mm": 40, "height_mm": 6 },
    { "name": "vs", "kind": "symbol", "x_mm": 10, "y_mm": 30, "width_mm": 40, "height_mm": 6 }
  ]
})";

struct Run {
    int code = -1;
    QString err;
};

struct Batch {
    TempProgramFolder folder;
    QString binary = folder.file("zelvana-batch");

    Batch()
    {
        QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary);
        folder.write("formulare/najom.json", Layout);
        folder.write("rows.csv", "najomca;suma;vs\nJán Novák;450;101\nEva Malá;380,5;102\n");
    }
    Run run(const QStringList& args) const
    {
        QProcess p;
        p.start(binary, args);
        p.waitForFinished(120000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
    }
    Run print(const QString& form, const char* pdf, const char* table = "rows.csv") const
    {
        return run({"--form", form, "--input", folder.file(table), "--output", folder.file(pdf)});
    }
    // Where `text` stands on the first page, in mm from the paper's top-left corner.
    QPointF at(const char* pdf, const QString& text) const
    {
        for (const PdfWord& w : pdfWords(folder.file(pdf), nullptr, 1))
            if (w.text == text)
                return w.box.topLeft() * 25.4 / 72;
        return {-1, -1};
    }
};

} // namespace

class UserFormBatchTest : public QObject {
    Q_OBJECT
private slots:
    void namedByFileOrNameAndPlacedInMillimetres()
    {
        Batch b;
        const Run byName = b.print(QStringLiteral("najom"), "name.pdf");
        QVERIFY2(byName.code == 0, qPrintable(byName.err));
        const Run byPath = b.print(b.folder.file("formulare/najom.json"), "path.pdf");
        QVERIFY2(byPath.code == 0, qPrintable(byPath.err));
        QCOMPARE(pdfWords(b.folder.file("path.pdf")).size(), pdfWords(b.folder.file("name.pdf")).size());
        // 5 + 100 mm from the left, 20 + 10 mm from the top; a glyph's box starts a little inside.
        const QPointF amount = b.at("name.pdf", QStringLiteral("450,00"));
        QVERIFY2(qAbs(amount.x() - 105) < 0.6 && qAbs(amount.y() - 30) < 1.5,
                 qPrintable(QStringLiteral("%1 %2").arg(amount.x()).arg(amount.y())));
        QCOMPARE(pdfWords(b.folder.file("name.pdf"), nullptr, 2).size(), 4);
    }

    void refusalsAreToldAndNothingPrints_data()
    {
        QTest::addColumn<QByteArray>("layout");
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("newer layout") << QByteArray(Layout).replace("\"version\": 1", "\"version\": 2") << QByteArray("vs\n1\n")
                                      << 2 << "Popis formulára „najom.json“ má verziu 2";
        QTest::newRow("bad JSON") << QByteArray(Layout).replace("\"fields\"", "fields") << QByteArray("vs\n1\n") << 2
                                  << "Popis formulára „najom.json“ nie je platný JSON (riadok 4, stĺpec 4): neukončený objekt.";
        QTest::newRow("letters in a symbol") << Layout << QByteArray("vs\n12a\n") << 1 << "vs: smie obsahovať len číslice";
        QTest::newRow("too wide") << Layout << QByteArray("najomca\n") + QByteArray(60, 'W') + "\n" << 1 << "najomca: text";
        QTest::newRow("no such field") << Layout << QByteArray("slovom\nx\n") << 1 << "slovom";
    }
    void refusalsAreToldAndNothingPrints()
    {
        QFETCH(QByteArray, layout);
        QFETCH(QByteArray, table);
        QFETCH(int, code);
        QFETCH(QString, said);
        Batch b;
        b.folder.write("formulare/najom.json", layout);
        b.folder.write("bad.csv", table);
        const Run r = b.print(QStringLiteral("najom"), "out.pdf", "bad.csv");
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QVERIFY(!b.folder.exists("out.pdf"));
    }

    void eachUserFormHasItsOwnShift()
    {
        Batch b;
        b.folder.write("tlaciarne.ini", QStringLiteral("[PDF%20%7C%20N%E1jomn%E9]\nposunDoprava=10\n").toLatin1());
        QVERIFY(b.print(QStringLiteral("najom"), "shifted.pdf").code == 0);
        b.folder.write("tlaciarne.ini", "[PDF]\nposunDoprava=10\n");
        QVERIFY(b.print(QStringLiteral("najom"), "plain.pdf").code == 0);
        const double moved = b.at("shifted.pdf", QStringLiteral("450,00")).x() - b.at("plain.pdf", QStringLiteral("450,00")).x();
        QVERIFY2(qAbs(moved - 10) < 0.2, qPrintable(QString::number(moved)));
    }

    void printedAgainOnTheLayoutItWasPrintedWith()
    {
        Batch b;
        QVERIFY(b.print(QStringLiteral("najom"), "first.pdf").code == 0);
        b.folder.write("formulare/najom.json", QByteArray(Layout).replace("\"x_mm\": 100", "\"x_mm\": 130"));
        QVERIFY(b.print(QStringLiteral("najom"), "moved.pdf").code == 0);
        const Run again = b.run({"--reprint", "1", "--output", b.folder.file("again.pdf")});
        QVERIFY2(again.code == 0, qPrintable(again.err));
        QCOMPARE(b.at("again.pdf", QStringLiteral("450,00")), b.at("first.pdf", QStringLiteral("450,00")));
        QVERIFY(b.at("moved.pdf", QStringLiteral("450,00")).x() > b.at("first.pdf", QStringLiteral("450,00")).x() + 25);
        QProcess list;
        list.start(b.binary, {"--history"});
        QVERIFY(list.waitForFinished(60000));
        const QStringList jobs = QString::fromUtf8(list.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(jobs.size(), 3);
        for (const QString& job : jobs)
            QCOMPARE(job.split('\t').value(2), QStringLiteral("Nájomné"));
    }
};

QTEST_GUILESS_MAIN(UserFormBatchTest)
#include "test_user_form_batch.moc"
