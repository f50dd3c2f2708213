// Tables as spreadsheets save them, and every kind of bad row, through the
// core alone: separators, quotes, encodings, line ends, line numbers.
#include "core/batch/BatchJob.h"
#include "core/batch/Table.h"
#include "core/forms/envelope/EnvelopeTemplate.h"
#include "support/RecordingCanvas.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
    return f.fileName();
}

QList<TableRow> readAll(const QString& path, QString* problem = nullptr, TableReader* keep = nullptr)
{
    TableReader reader(path);
    QList<TableRow> rows;
    QString e = reader.open();
    if (e.isEmpty())
        e = reader.forEachRow([&](const TableRow& r) { return rows << r, true; });
    if (problem)
        *problem = e;
    if (keep)
        *keep = reader;
    return rows;
}

BatchContext contextFor(FormKind form, const QTemporaryDir& dir)
{
    BatchContext c;
    c.form = form;
    c.settings.setDefaults();
    c.programFolder = dir.path() + QLatin1Char('/');
    return c;
}

// Problems as "line column" pairs, in order.
QStringList where(const BatchCheck& check)
{
    QStringList out;
    for (const BatchProblem& p : check.problems)
        out << QStringLiteral("%1 %2").arg(p.line).arg(p.column);
    return out;
}


} // namespace

class BatchTableTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void semicolonsQuotesAndLineBreaks()
    {
        const QString path = writeFile(dir, "a.csv",
                                       "suma;od1;nazov_uctu\r\n"
                                       "12;\"Novák; Ján\";\"Spolok\r\nKošice\"\r\n"
                                       "\r\n"
                                       "7;\"say \"\"hi\"\"\";x\r\n");
        TableReader reader(path);
        QString problem;
        const QList<TableRow> rows = readAll(path, &problem, &reader);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(reader.separator(), ';');
        QVERIFY(reader.isUtf8());
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].cells, (QStringList{"suma", "od1", "nazov_uctu"}));
        QCOMPARE(rows[1].cells, (QStringList{"12", QStringLiteral("Novák; Ján"), QStringLiteral("Spolok\r\nKošice")}));
        QCOMPARE(rows[1].line, 2);
        // The quoted break and the blank line both count: the third row starts on line 5.
        QCOMPARE(rows[2].line, 5);
        QCOMPARE(rows[2].cells[1], QStringLiteral("say \"hi\""));
    }

    void commasWithBomAndLf()
    {
        const QString path = writeFile(dir, "b.csv", "\xEF\xBB\xBFsuma,od1\n5,\"a,b\"\n , x \n");
        TableReader reader(path);
        QString problem;
        const QList<TableRow> rows = readAll(path, &problem, &reader);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(reader.separator(), ',');
        QCOMPARE(rows[0].cells.first(), QStringLiteral("suma")); // no BOM left in the first name
        QCOMPARE(rows[1].cells, (QStringList{"5", "a,b"}));
        QCOMPARE(rows[2].cells, (QStringList{" ", " x "})); // spaces are kept as typed
        QCOMPARE(rows[2].line, 3);
    }

    void codePage1250()
    {
        // "Košice" and "Žilina" in code page 1250: not valid UTF-8.
        const QString path = writeFile(dir, "c.csv", "od1;od3\nKo\x9A" "ice;\x8Eilina\n");
        TableReader reader(path);
        const QList<TableRow> rows = readAll(path, nullptr, &reader);
        QVERIFY(!reader.isUtf8());
        QCOMPARE(rows[1].cells, (QStringList{QStringLiteral("Košice"), QStringLiteral("Žilina")}));
    }

    void lastLineWithoutLineEnd()
    {
        const QString path = writeFile(dir, "d.csv", "suma\n1\n2");
        const QList<TableRow> rows = readAll(path);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[2].cells, QStringList{"2"});
        QCOMPARE(rows[2].line, 3);
    }

    // Each row's first line, whatever ends the lines: one number per row.
    void lineNumbersForEveryLineEnd_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("CR LF") << QByteArray("suma\r\n1\r\n\r\n2\r\n") << QList<int>{1, 2, 4};
        QTest::newRow("LF") << QByteArray("suma\n1\n\n2\n") << QList<int>{1, 2, 4};
        QTest::newRow("CR alone") << QByteArray("suma\r1\r\r2\r") << QList<int>{1, 2, 4};
        QTest::newRow("mixed") << QByteArray("suma\r1\n2\r\n3") << QList<int>{1, 2, 3, 4};
        QTest::newRow("CR in a quoted cell") << QByteArray("od1\r\"a\rb\"\r3\r") << QList<int>{1, 2, 4};
        QTest::newRow("CR LF in a quoted cell") << QByteArray("od1\n\"a\r\nb\"\n3\n") << QList<int>{1, 2, 4};
    }

    void lineNumbersForEveryLineEnd()
    {
        QFETCH(QByteArray, table);
        QFETCH(QList<int>, lines);
        QString problem;
        QList<int> got;
        for (const TableRow& row : readAll(writeFile(dir, "lines.csv", table), &problem))
            got << row.line;
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(got, lines);
    }

    void unclosedQuoteIsReportedWithItsLine()
    {
        const QString path = writeFile(dir, "e.csv", "suma;od1\n1;a\n2;\"open\n3;b\n");
        BatchCheck check = CheckTable(contextFor(FormKind::SlipC, dir), path);
        QVERIFY(!check.ok());
        QCOMPARE(check.fatal, TableSyntaxMessage.arg(3));
    }

    void missingAndEmptyFiles()
    {
        BatchCheck missing = CheckTable(contextFor(FormKind::SlipC, dir), dir.filePath("none.csv"));
        QVERIFY(!missing.ok());
        QVERIFY2(missing.fatal.contains(QStringLiteral("neexistuje")), qPrintable(missing.fatal));
        BatchCheck folder = CheckTable(contextFor(FormKind::SlipC, dir), dir.path());
        QCOMPARE(folder.fatal, TableNotFileMessage.arg(dir.path()));
        BatchCheck empty = CheckTable(contextFor(FormKind::SlipC, dir), writeFile(dir, "empty.csv", ""));
        QVERIFY(!empty.ok());
        QVERIFY(!empty.fatal.isEmpty());
        BatchCheck headerOnly = CheckTable(contextFor(FormKind::SlipC, dir), writeFile(dir, "h.csv", "suma;hal\n"));
        QVERIFY(!headerOnly.ok());
        QCOMPARE(headerOnly.report(10), NoRowsMessage);
    }

    void everyKindOfBadRow()
    {
        const QString path = writeFile(dir, "bad.csv",
                                       "suma;hal;adpsc;od1;ad1;nic\n"     // 1: unknown column "nic"
                                       "12a;5;04001;a;b;\n"               // 2: suma not digits
                                       "1234567;5;04001;a;b;\n"           // 3: suma too long
                                       "1;55;04001;a;b;\n"                // 4: hal too long
                                       "1;5;040011;a;b;\n"                // 5: adpsc too long
                                       "1;5;04001;\xE4\xB8\xAD;b;\n"      // 6: od1 outside code page 1250
                                       "1;5;04001;\"two\nlines\";b;\n"    // 7: line break in a one-line field
                                       "1;5;04001;a\n"                    // 9: too few cells
                                       "1;5;04001;a;\tb;\n");             // 10: a control character
        const BatchCheck check = CheckTable(contextFor(FormKind::SlipC, dir), path);
        QVERIFY(!check.ok());
        QCOMPARE(check.rows, 8);
        QCOMPARE(where(check), (QStringList{"1 nic", "2 suma", "3 suma", "4 hal", "5 adpsc", "6 od1", "7 od1", "9 ",
                                            "10 ad1"}));
        QCOMPARE(check.problems[0].message(), QStringLiteral("Riadok 1, stĺpec „nic“: taký stĺpec formulár C nemá; má "
                                                             "tieto: suma, hal, ad1, ad2, adpsc, ad3, od1, od2, odpsc, "
                                                             "od3, slovom1, slovom2, slovomh"));
        QCOMPARE(check.problems[2].message(),
                 QStringLiteral("Riadok 3, stĺpec „suma“: text má 7 znakov, pole ich prijme najviac 6"));
        // Nothing printed: the print refuses a table the check refused too.
        PagedRecorder canvas;
        const BatchOutcome outcome = PrintTable(canvas, contextFor(FormKind::SlipC, dir), path, {}, false);
        QVERIFY(outcome.outcome != PrintOutcome::Printed);
        QCOMPARE(outcome.pages, 0);
        QVERIFY(canvas.drawn.isEmpty());
    }

    void countsTakeTheSlovakPluralForm_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("pages");
        QTest::addColumn<QString>("lines");
        QTest::newRow("1") << 1 << "1 znak" << "1 strana" << "1 riadok";
        QTest::newRow("2") << 2 << "2 znaky" << "2 strany" << "2 riadky";
        QTest::newRow("4") << 4 << "4 znaky" << "4 strany" << "4 riadky";
        QTest::newRow("5") << 5 << "5 znakov" << "5 strán" << "5 riadkov";
        QTest::newRow("0") << 0 << "0 znakov" << "0 strán" << "0 riadkov";
    }
    void countsTakeTheSlovakPluralForm()
    {
        QFETCH(int, n);
        QFETCH(QString, characters);
        QFETCH(QString, pages);
        QFETCH(QString, lines);
        QCOMPARE(CharactersText(n), characters);
        QCOMPARE(PagesText(n), pages);
        QCOMPARE(LinesText(n), lines);
        QCOMPARE(MillimetresText(5), QStringLiteral("5,0"));
    }

    void euroStyleAmountGetsAHint_data()
    {
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<QString>("message");
        QTest::newRow("a thousand with cents") << QByteArray("\"1 250,50\";a\n")
            << QStringLiteral("Riadok 2, stĺpec „suma“: suma berie len celé koruny, bez medzier a bez čiarky; halier patrí "
                              "do stĺpca hal (desiatky halierov jednou číslicou): pre „1 250,50“ zapíšte suma 1250 a hal 5");
        QTest::newRow("a short amount with a comma") << QByteArray("12,5;a\n")
            << QStringLiteral("Riadok 2, stĺpec „suma“: suma berie len celé koruny, bez medzier a bez čiarky; halier patrí "
                              "do stĺpca hal (desiatky halierov jednou číslicou): pre „12,5“ zapíšte suma 12 a hal 5");
        QTest::newRow("cents the slip cannot hold") << QByteArray("12,55;a\n")
            << QStringLiteral("Riadok 2, stĺpec „suma“: suma berie len celé koruny, bez medzier a bez čiarky; halier patrí "
                              "do stĺpca hal; hal berie len desiatky halierov, jednou číslicou");
        QTest::newRow("two characters too many") << QByteArray("12345678;a\n")
            << QStringLiteral("Riadok 2, stĺpec „suma“: text má 8 znakov, pole ich prijme najviac 6");
    }
    void euroStyleAmountGetsAHint()
    {
        QFETCH(QByteArray, cells);
        QFETCH(QString, message);
        const QString path = writeFile(dir, "euro.csv", "suma;ad1\n" + cells);
        const BatchCheck check = CheckTable(contextFor(FormKind::SlipC, dir), path);
        QCOMPARE(check.problems.size(), 1);
        QCOMPARE(check.problems[0].message(), message);
    }

    // A slip's amount rule is told in its cell's place among the row's other faults.
    void amountRuleIsToldWhereItsCellStands()
    {
        const QString path = writeFile(dir, "digits.csv", "suma;od2;hal\n12a;\xE4\xB8\xAD;x\n");
        for (FormKind kind : {FormKind::SlipA, FormKind::SlipC, FormKind::SlipD}) {
            const BatchCheck check = CheckTable(contextFor(kind, dir), path);
            QStringList messages;
            for (const BatchProblem& p : check.problems)
                messages << p.message();
            QCOMPARE(messages,
                     (QStringList{QStringLiteral("Riadok 2, stĺpec „suma“: suma smie obsahovať len číslice 0 až 9, nie „12a“"),
                                  QStringLiteral("Riadok 2, stĺpec „od2“: obsahuje znak, ktorý program nevie vytlačiť "
                                                 "(nie je v kódovej stránke 1250)"),
                                  QStringLiteral("Riadok 2, stĺpec „hal“: suma smie obsahovať len číslice 0 až 9, nie „x“")}));
        }
    }

    void duplicateColumnAndUnreadableTemplate()
    {
        const QString dup = writeFile(dir, "dup.csv", "suma;suma\n1;2\n");
        QCOMPARE(where(CheckTable(contextFor(FormKind::SlipA, dir), dup)), QStringList{"1 suma"});
        QDir(dir.path()).mkpath("data");
        WriteTemplateFile(QFile::encodeName(dir.filePath("data/dobra.obl")).toStdString(), {220, 110, 11, 9});
        writeFile(dir, "data/kratka.obl", "short");
        const QString env = writeFile(dir, "env.csv",
                                      "adr;sablona\n"
                                      "\"Jana\nKošice\";dobra.obl\n"
                                      "Peter;kratka.obl\n"
                                      "Eva;../dobra.obl\n"
                                      "Ivan;chyba.obl\n");
        const BatchCheck check = CheckTable(contextFor(FormKind::Envelope, dir), env);
        QCOMPARE(where(check), (QStringList{"4 sablona", "5 sablona", "6 sablona"}));
    }

    void cleanTablePrintsOnePagePerRowWithProgress()
    {
        const QString path = writeFile(dir, "ok.csv", "suma;hal;ad1\n1;5;Jana\n22;;Peter\n333;0;Eva\n");
        BatchContext context = contextFor(FormKind::SlipC, dir);
        context.settings.setFlag(Flag::AutoAmountInWords, true);
        QVERIFY(CheckTable(context, path).ok());
        PagedRecorder canvas;
        QList<int> steps;
        const BatchOutcome outcome = PrintTable(canvas, context, path, {}, false, [&](int done) { return steps << done, true; });
        QCOMPARE(outcome.outcome, PrintOutcome::Printed);
        QCOMPARE(outcome.pages, 3);
        QCOMPARE(canvas.begun, 1); // one job
        QCOMPARE(canvas.pages, 2);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(steps, (QList<int>{1, 2, 3}));
        auto pageHas = [&](int page, const QString& text) {
            const qsizetype from = canvas.starts[page];
            const qsizetype to = page + 1 < canvas.starts.size() ? canvas.starts[page + 1] : canvas.drawn.size();
            for (qsizetype i = from; i < to; ++i)
                if (canvas.drawn[i].text.startsWith(text + QLatin1Char(' ')))
                    return true;
            return false;
        };
        QVERIFY(pageHas(0, "Jana") && pageHas(0, "-jeden-") && pageHas(0, "-päťdesiat-"));
        QVERIFY(pageHas(1, "Peter") && pageHas(1, "-dvadsaťdva-") && pageHas(1, "- nula -"));
        QVERIFY(pageHas(2, "Eva") && !pageHas(2, "Peter"));
    }

    void cancelStopsBetweenPages()
    {
        const QString path = writeFile(dir, "four.csv", "ad1\na\nb\nc\nd\n");
        PagedRecorder canvas;
        const BatchOutcome outcome = PrintTable(canvas, contextFor(FormKind::SlipC, dir), path, {}, false,
                                                [](int done) { return done < 2; });
        QCOMPARE(outcome.outcome, PrintOutcome::Printed); // the pages drawn go out whole
        QVERIFY(outcome.cancelled);
        QCOMPARE(outcome.pages, 2);
        QCOMPARE(canvas.pages, 1);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(BatchOutcomeMessage(outcome), QStringLiteral("Hromadná tlač bola zrušená; vytlačené: 2 strany."));
    }

    void refusedPageIsAFailure()
    {
        const QString path = writeFile(dir, "two.csv", "ad1\na\nb\n");
        PagedRecorder canvas;
        canvas.acceptNewPage = false;
        const BatchOutcome outcome = PrintTable(canvas, contextFor(FormKind::SlipC, dir), path, {}, false);
        QCOMPARE(outcome.outcome, PrintOutcome::Refused);
        QCOMPARE(canvas.ended, 1);
        QCOMPARE(BatchOutcomeMessage(outcome), PrintFailedMessage);
    }
};

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    BatchTableTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_batch_table.moc"
