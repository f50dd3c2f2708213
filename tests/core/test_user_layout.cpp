// The layout file of a user's form: what it reads, what it refuses and how,
// and that writing it back keeps its bytes.
#include "core/forms/user/UserLayout.h"
#include "support/TempProgramFolder.h"

#include <QTest>

namespace {

// The layout every kind appears in, as a user would write it.
const QByteArray Example = R"({
  "format": "zelvana-form", "version": 1,
  "name": "Poštový poukaz na účet",
  "size_mm": [210, 101.6],
  "page": { "paper": "A4", "offset_mm": [0, 0], "rotation": 0 },
  "font": { "family": "Liberation Sans", "size_pt": 10 },
  "background": "poukaz.jpg",
  "fields": [
    { "name": "suma", "caption": "Suma", "kind": "amount", "x_mm": 150, "y_mm": 20, "width_mm": 45, "height_mm": 6,
      "align": "right" },
    { "name": "slovom", "kind": "words", "source": "suma", "x_mm": 20, "y_mm": 28, "width_mm": 170, "height_mm": 6 },
    { "name": "iban", "caption": "IBAN", "kind": "iban", "x_mm": 20, "y_mm": 40, "width_mm": 120, "height_mm": 6,
      "boxes": { "count": 24, "pitch_mm": 5 } },
    { "name": "vsymbol", "kind": "symbol", "max_chars": 10, "x_mm": 20, "y_mm": 50, "width_mm": 50, "height_mm": 6 },
    { "name": "prijemca", "kind": "text", "lines": 2, "max_chars": 35, "fill": "{titul} {meno} {priezvisko}",
      "x_mm": 20, "y_mm": 60, "width_mm": 90, "height_mm": 12 },
    { "name": "splatnost", "kind": "date", "x_mm": 150, "y_mm": 50, "width_mm": 40, "height_mm": 6 },
    { "kind": "static", "value": "Ďakujeme", "x_mm": 20, "y_mm": 90, "width_mm": 40, "height_mm": 5,
      "font": { "size_pt": 8 } },
    { "name": "qr", "kind": "paybysquare", "x_mm": 160, "y_mm": 60, "size_mm": 35,
      "payment": { "iban": "iban", "amount": "suma", "vs": "vsymbol", "due": "splatnost", "beneficiary": "prijemca" } }
  ]
})";

QByteArray replaced(const char* from, const char* to)
{
    QByteArray json = Example;
    if (!json.contains(from))
        qFatal("the example has no \"%s\"", from);
    return json.replace(from, to);
}

} // namespace

class UserLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryKind()
    {
        const UserLayoutRead read = ParseUserLayout(Example);
        QVERIFY2(read.layout, qPrintable(read.error));
        const UserLayout& l = *read.layout;
        QCOMPARE(l.name, QStringLiteral("Poštový poukaz na účet"));
        QCOMPARE(l.heightMm, 101.6);
        QCOMPARE(l.fields.size(), 8);
        QCOMPARE(l.field("suma")->align, UserAlign::Right);
        QCOMPARE(l.field("iban")->boxes, (UserBoxes{24, 5}));
        QCOMPARE(l.field("prijemca")->lines, 2);
        QCOMPARE(l.field("prijemca")->maxChars, 35);
        QCOMPARE(l.fields[6].kind, UserFieldKind::Static);
        QCOMPARE(l.fields[6].font->sizePt, 8.0);
        QCOMPARE(l.field("qr")->widthMm, 35.0);
        QCOMPARE(l.field("qr")->payment.due, QStringLiteral("splatnost"));
    }

    void writingKeepsTheLayoutAndItsBytes()
    {
        const UserLayout first = *ParseUserLayout(Example).layout;
        const QByteArray saved = WriteUserLayout(first);
        const UserLayoutRead again = ParseUserLayout(saved);
        QVERIFY2(again.layout, qPrintable(again.error + QLatin1Char('\n') + QString::fromUtf8(saved)));
        QCOMPARE(*again.layout, first);
        QCOMPARE(WriteUserLayout(*again.layout), saved);
        QVERIFY(saved.contains("\"name\": \"Poštový poukaz na účet\""));
        QVERIFY(saved.contains("\"size_mm\": [210, 101.6]"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad JSON") << replaced("\"version\": 1,", "\"version\": 1,,") << "riadok 2, stĺpec";
        QTest::newRow("unknown key") << replaced("\"align\"", "\"zarovnanie\"") << "Neznámy kľúč „zarovnanie“ v poli „suma“";
        QTest::newRow("unknown kind") << replaced("\"kind\": \"date\"", "\"kind\": \"datum\"") << "Neznámy druh poľa „datum“";
        QTest::newRow("no name") << replaced("\"name\": \"vsymbol\", ", "") << "Chýba kľúč „name“ v 4. poli";
        QTest::newRow("two of a name") << replaced("\"name\": \"splatnost\"", "\"name\": \"suma\"") << "Dve polia majú názov „suma“";
        QTest::newRow("zero size") << replaced("\"width_mm\": 45", "\"width_mm\": 0") << "Šírka a výška v poli „suma“";
        QTest::newRow("outside") << replaced("\"x_mm\": 150, \"y_mm\": 20", "\"x_mm\": 170, \"y_mm\": 20") << "Pole „suma“ presahuje formulár 210 × 101.6 mm";
        QTest::newRow("boxes too wide") << replaced("\"pitch_mm\": 5", "\"pitch_mm\": 5.5") << "sa nezmestia do šírky";
        QTest::newRow("source no amount") << replaced("\"source\": \"suma\"", "\"source\": \"iban\"") << "nie je pole druhu amount";
        QTest::newRow("payment names no field") << replaced("\"vs\": \"vsymbol\"", "\"vs\": \"vs\"") << "menuje „vs“";
        QTest::newRow("newer version") << replaced("\"version\": 1", "\"version\": 2") << "verziu 2";
        QTest::newRow("not a form") << replaced("zelvana-form", "other") << "nie je popis formulára";
        QTest::newRow("rotation") << replaced("\"rotation\": 0", "\"rotation\": 45") << "nie 45";
        QTest::newRow("size not a pair") << replaced("[210, 101.6]", "[210]") << "dvojica čísel";
    }
    void refusals()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        const UserLayoutRead read = ParseUserLayout(json);
        QVERIFY(!read.layout);
        QVERIFY2(read.error.contains(message), qPrintable(read.error));
    }

    void aMissingBackgroundIsOnlyAWarning()
    {
        TempProgramFolder folder;
        folder.write("formulare/poukaz.json", Example);
        UserLayoutRead read = LoadUserLayout(folder.file("formulare/poukaz.json"));
        QVERIFY(read.layout);
        QCOMPARE(read.warnings.size(), 1);
        QVERIFY(read.warnings.first().contains(QStringLiteral("poukaz.jpg")));
        folder.write("formulare/poukaz.jpg", "x");
        read = LoadUserLayout(folder.file("formulare/poukaz.json"));
        QVERIFY(read.layout && read.warnings.isEmpty());
    }

    void aFileTooLargeOrMissingIsRefusedByName()
    {
        TempProgramFolder folder;
        folder.write("formulare/velky.json", QByteArray(UserLayoutLimit + 1, ' '));
        for (const char* name : {"formulare/velky.json", "formulare/ziadny.json"}) {
            const UserLayoutRead read = LoadUserLayout(folder.file(name));
            QVERIFY(!read.layout);
            QVERIFY2(read.error.contains(QString::fromLatin1(name).section(QLatin1Char('/'), 1)), qPrintable(read.error));
        }
    }
};

QTEST_GUILESS_MAIN(UserLayoutTest)
#include "test_user_layout.moc"
