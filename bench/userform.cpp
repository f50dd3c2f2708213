// The real zelvana-batch started as a process, in turn: slip A rows and rows
// of the shipped example user form (every field kind and a PAY by square
// code), each into one PDF, timed whole.
//   bench_userform [ROWS=1000] [RUNS=5] [ZELVANA-BATCH, the one built beside by default]
#include "BenchProcess.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int rows = args.size() > 1 ? args[1].toInt() : 1000;
    const int runs = args.size() > 2 ? args[2].toInt() : 5;
    const QString program = args.size() > 3 ? args[3] : QStringLiteral(ZELVANA_BATCH_BINARY);

    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/program");
    QString batch;
    if (!QDir().mkpath(folder + QStringLiteral("/formulare")) || !QDir().mkpath(folder + QStringLiteral("/data"))
        || !InstallInto(program, folder, batch)
        || !QFile::copy(QStringLiteral(ZELVANA_BANK_CODES), folder + QStringLiteral("/data/bic.txt")))
        return std::fprintf(stderr, "cannot set up the program folder\n"), 1;
    for (const char* file : {"clensky-prispevok.json", "clensky-prispevok.png"})
        if (!QFile::copy(QStringLiteral(ZELVANA_FORMS "/") + QLatin1String(file), folder + QStringLiteral("/formulare/") + QLatin1String(file)))
            return std::fprintf(stderr, "the example form is not built\n"), 1;

    QByteArray slips = "suma;hal;vsymbol;od1\r\n";
    QByteArray form = "prijemca;iban;suma;vsymbol;splatnost;platitel;sprava\r\n";
    const QString due = QDate::currentDate().addMonths(2).toString(QStringLiteral("d.M.yyyy"));
    for (int i = 0; i < rows; ++i) {
        slips += QStringLiteral("%1;5;%2;Ján Novák %3\r\n").arg(100 + i * 7).arg(20260000 + i).arg(i).toUtf8();
        form += QStringLiteral("Spolok Zelvana;SK3112000000198742637541;%1,%2;%3;%4;\"Ján Novák %5\r\nHlavná %5\r\n"
                               "04001 Košice\";Príspevok %5\r\n")
                    .arg(10 + i % 90).arg(i % 100, 2, 10, QLatin1Char('0')).arg(20260000 + i).arg(due).arg(i + 1)
                    .toUtf8();
    }
    const QString slipTable = dir.filePath(QStringLiteral("slips.csv")), formTable = dir.filePath(QStringLiteral("form.csv"));
    if (!WriteFile(slipTable, slips) || !WriteFile(formTable, form))
        return 1;
    const QString done = QStringLiteral("Vytlačené: %1").arg(rows);
    const auto print = [&](const char* name, const QString& table, const char* pdf) {
        return QStringList{"--form", name, "--input", table, "--output", dir.filePath(QString::fromLatin1(pdf))};
    };
    const QList<BenchCommand> commands = {
        {QStringLiteral("slip A"), batch, print("A", slipTable, "slips.pdf"), done},
        {QStringLiteral("example form"), batch, print("clensky-prispevok", formTable, "form.pdf"), done}};
    QString error;
    const QList<BenchTimes> t = TimeInTurn(commands, runs, error);
    if (t.isEmpty())
        return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
    std::printf("zelvana-batch, %d rows into one PDF, each run a process:\n", rows);
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("slip A (suma;hal;vsymbol;od1)"), t[0])));
    std::printf("  %s\n", qPrintable(TimesLine(QStringLiteral("example user form, every kind and a QR code"), t[1])));
    std::printf("  user form / slip A: %.2f wall, %.2f CPU (aim: at most 2)\n", PairedRatio(t[1].wallMs, t[0].wallMs),
                PairedRatio(t[1].cpuMs, t[0].cpuMs));
    return 0;
}
