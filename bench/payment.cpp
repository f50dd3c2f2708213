// The real zelvana-batch started as a process, in turn: slip A rows, payment
// pages of five columns, and payment pages of all twelve columns from a
// program folder whose personal data names the beneficiary; each into one
// PDF, timed whole.
//   bench_payment [ROWS=1000] [RUNS=5] [ZELVANA-BATCH, the one built beside by default]
#include "BenchProcess.h"
#include "core/base/Cp1250.h"
#include "core/records/PersonalData.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray personalRecord()
{
    PersonalData p;
    const std::pair<Personal, const char*> values[] = {
        {Personal::meno, "Ján"},           {Personal::priezvisko, "Košický"}, {Personal::psc, "04001"},
        {Personal::ulica, "Hlavná"},       {Personal::cd, "12"},              {Personal::mesto, "Košice"},
        {Personal::CU, "19-123457/0200"},  {Personal::ksymbol, "0308"}};
    for (const auto& [field, text] : values)
        p.set(field, toCp1250(QString::fromUtf8(text)));
    return QByteArray(reinterpret_cast<const char*>(p.data()), PersonalData::Size);
}

// A program folder with the shipped bank codes and its own copy of the program.
bool programFolder(const QString& program, const QString& path, bool personal, QString& batch)
{
    return QDir().mkpath(path + QStringLiteral("/data")) && InstallInto(program, path, batch)
           && QFile::copy(QStringLiteral(ZELVANA_BANK_CODES), path + QStringLiteral("/data/bic.txt"))
           && (!personal || WriteFile(path + QStringLiteral("/uziv.nas"), personalRecord()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int rows = args.size() > 1 ? args[1].toInt() : 1000;
    const int runs = args.size() > 2 ? args[2].toInt() : 5;
    const QString program = args.size() > 3 ? args[3] : QStringLiteral(ZELVANA_BATCH_BINARY);

    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain")), own = dir.filePath(QStringLiteral("own"));
    QString batch, ownBatch;
    if (!programFolder(program, plain, false, batch) || !programFolder(program, own, true, ownBatch))
        return std::fprintf(stderr, "cannot set up the program folders\n"), 1;
    QByteArray slips = "suma;hal;vsymbol;od1\r\n";
    QByteArray five = "suma;vsymbol;sprava;prijemca;iban\r\n";
    QByteArray twelve = "prijemca;prijemca_ulica;prijemca_mesto;iban;bic;suma;vsymbol;ksymbol;ssymbol;splatnost;"
                        "sprava;adresat\r\n";
    // A date ahead, so no row is printed with a warning about a date past.
    const QString due = QDate::currentDate().addMonths(2).toString(QStringLiteral("d. M. yyyy"));
    for (int i = 0; i < rows; ++i) {
        slips += QStringLiteral("%1;5;%2;Ján Novák %3\r\n").arg(100 + i * 7).arg(20260000 + i).arg(i).toUtf8();
        const QString amount = QStringLiteral("%1,%2").arg(10 + i).arg(i % 100, 2, 10, QLatin1Char('0'));
        five += QStringLiteral("%1;%2;Nájom a služby, byt %3;Spoločenstvo vlastníkov Košice;"
                               "SK76 0200 0000 1900 0012 3457\r\n")
                    .arg(amount).arg(20260000 + i).arg(i + 1).toUtf8();
        twelve += QStringLiteral("Spoločenstvo vlastníkov Košice;Hlavná 12;04001 Košice;SK76 0200 0000 1900 0012 3457;"
                                 "SUBASKBX;%1;%2;0308;%3;%4;Nájom a služby, byt %3;"
                                 "\"Ing. Peter Malý\r\nDlhá %3\r\n04001 Košice\"\r\n")
                      .arg(amount).arg(20260000 + i).arg(i + 1).arg(due).toUtf8();
    }
    const QString slipTable = dir.filePath(QStringLiteral("slips.csv")), fiveTable = dir.filePath(QStringLiteral("five.csv")),
                  twelveTable = dir.filePath(QStringLiteral("twelve.csv"));
    if (!WriteFile(slipTable, slips) || !WriteFile(fiveTable, five) || !WriteFile(twelveTable, twelve))
        return 1;

    const QString done = QStringLiteral("Vytlačené: %1").arg(rows);
    const auto print = [&](const char* form, const QString& table, const char* pdf) {
        return QStringList{"--form", form, "--input", table, "--output", dir.filePath(QString::fromLatin1(pdf))};
    };
    const QList<BenchCommand> commands = {
        {QStringLiteral("slip A"), batch, print("A", slipTable, "slips.pdf"), done},
        {QStringLiteral("payment, 5 columns"), batch, print("platba", fiveTable, "five.pdf"), done},
        {QStringLiteral("payment, 12 columns"), ownBatch, print("platba", twelveTable, "twelve.pdf"), done}};
    QString error;
    const QList<BenchTimes> t = TimeInTurn(commands, runs, error);
    if (t.isEmpty())
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    std::printf("zelvana-batch, %d rows into one PDF, each run a process:\n", rows);
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("slip A (suma;hal;vsymbol;od1)"), t[0])));
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("payment pages (suma;vsymbol;sprava;prijemca;iban)"), t[1])));
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("payment pages, all twelve columns, personal data"), t[2])));
    std::printf("  payment / slip A: %.2f wall, %.2f CPU; twelve columns / slip A: %.2f wall, %.2f CPU (aim: at most 2)\n",
                PairedRatio(t[1].wallMs, t[0].wallMs), PairedRatio(t[1].cpuMs, t[0].cpuMs),
                PairedRatio(t[2].wallMs, t[0].wallMs), PairedRatio(t[2].cpuMs, t[0].cpuMs));
    return 0;
}
