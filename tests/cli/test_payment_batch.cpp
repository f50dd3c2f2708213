// Payment pages printed by the real zelvana-batch: the code on paper, read
// back by a real reader, carries exactly the texts the page shows, their
// diacritics aside.
#include "support/PayBySquareDecode.h"
#include "support/PdfCodes.h"
#include "support/TempProgramFolder.h"

#include <QtTest>

namespace {

struct Case {
    const char16_t* typed;   // the beneficiary's name as the table gives it
    const char16_t* message; // the message for the beneficiary
    const char16_t* shownName;
    const char16_t* shownMessage;
    const char* codeName;
    const char* codeMessage;
};

// Soft hyphens show nothing, a run of blanks shows as one.
const Case Cases[] = {
    {u"Spolo\u00ADčenstvo vlastníkov", u"Nájom", u"Spoločenstvo vlastníkov", u"Nájom", "Spolocenstvo vlastnikov",
     "Najom"},
    {u"Ján  Novák", u"Nájom  a   služby", u"Ján Novák", u"Nájom a služby", "Jan Novak", "Najom a sluzby"},
    {u"Eva\u00A0\u00A0Malá", u"za\u00A0 január\u00AD 2027 ", u"Eva Malá", u"za január 2027", "Eva Mala",
     "za januar 2027"},
};

QString pageText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    return p.waitForFinished(60000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

} // namespace

class PaymentBatchTest : public QObject {
    Q_OBJECT
private slots:
    void codeCarriesWhatThePageShows()
    {
        TempProgramFolder folder;
        const QString binary = folder.file(QStringLiteral("zelvana-batch"));
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), binary));
        QVERIFY(QFile::setPermissions(binary, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner));
        QString table = QStringLiteral("prijemca;sprava;suma;iban\n");
        for (const Case& c : Cases)
            table += QStringLiteral("%1;%2;12,50;SK3112000000198742637541\n")
                         .arg(QString::fromUtf16(c.typed), QString::fromUtf16(c.message));
        folder.write(QStringLiteral("rows.csv"), table.toUtf8());
        const QString pdf = folder.file(QStringLiteral("rows.pdf"));
        QProcess run;
        run.start(binary, {"--form", "platba", "--input", folder.file("rows.csv"), "--output", pdf});
        QVERIFY(run.waitForFinished(60000));
        QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());

        QString error;
        const QStringList codes = ReadQrCodes(pdf, &error);
        const QStringList pages = pageText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY2(codes.size() == int(std::size(Cases)) && pages.size() == codes.size(), qPrintable(error));
        for (qsizetype i = 0; i < codes.size(); ++i) {
            const Case& c = Cases[i];
            const std::optional<DecodedPayBySquare> code = DecodePayBySquare(codes[i]);
            QVERIFY2(code && code->fields.size() == 19, qPrintable(codes[i]));
            QCOMPARE(code->fields[16], QByteArray(c.codeName));
            QCOMPARE(code->fields[10], QByteArray(c.codeMessage));
            QVERIFY2(pages[i].contains(QString::fromUtf16(c.shownName) + QLatin1Char('\n'))
                         && pages[i].contains(QString::fromUtf16(c.shownMessage) + QLatin1Char('\n')),
                     qPrintable(pages[i]));
        }
    }
};

QTEST_GUILESS_MAIN(PaymentBatchTest)
#include "test_payment_batch.moc"
