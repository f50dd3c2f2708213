// The example user form as the build ships it: it loads beside its
// background with no error and no warning, holds every kind of field, and
// is written back byte for byte, so opening and saving it in the designer
// leaves it as shipped.
#include "core/forms/user/UserLayout.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

namespace {

const QString Shipped = QStringLiteral(ZELVANA_BUILD_FOLDER "/formulare/clensky-prispevok.json");

} // namespace

class ShippedFormTest : public QObject {
    Q_OBJECT
private slots:
    void loadsCleanlyAndKeepsItsBytes()
    {
        QFile file(Shipped);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const UserLayoutRead read = LoadUserLayout(Shipped);
        QVERIFY2(read.layout, qPrintable(read.error));
        QVERIFY2(read.warnings.isEmpty(), qPrintable(read.warnings.join(QLatin1Char('\n'))));
        QCOMPARE(read.layout->name, QStringLiteral("Členský príspevok"));
        QCOMPARE(WriteUserLayout(*read.layout), bytes);

        QSet<UserFieldKind> kinds;
        for (const UserField& f : read.layout->fields)
            kinds.insert(f.kind);
        QCOMPARE(kinds.size(), 8);
    }

    // The background is the form's own size at the resolution it says.
    void backgroundFitsTheForm()
    {
        const UserLayout layout = *LoadUserLayout(Shipped).layout;
        const QImage background(QStringLiteral(ZELVANA_BUILD_FOLDER "/formulare/") + layout.background);
        QVERIFY(!background.isNull());
        QCOMPARE(background.width() * 1000.0 / background.dotsPerMeterX(), layout.widthMm);
        QCOMPARE(background.height() * 1000.0 / background.dotsPerMeterY(), layout.heightMm);
    }
};

QTEST_GUILESS_MAIN(ShippedFormTest)
#include "test_shipped_form.moc"
