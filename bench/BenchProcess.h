#pragma once
// Whole programs timed as a user runs them: each command is started as a
// process, start-up included, and its wall and CPU time read when it ends.
// Commands run in turn, run after run, so a machine that slows down or
// speeds up in between weighs on all of them alike.
#include <QList>
#include <QString>
#include <QStringList>

struct BenchCommand {
    QString label;
    QString program;
    QStringList arguments;
    QString expectOut; // the standard output must contain it
};

struct BenchTimes {
    QList<double> wallMs, cpuMs; // one per run
};

// Runs every command `runs` times in turn (after one run not counted);
// empty when one failed, with why in `error`.
QList<BenchTimes> TimeInTurn(const QList<BenchCommand>& commands, int runs, QString& error);

double Median(QList<double> values);

// The median of run-by-run ratios a / b.
double PairedRatio(const QList<double>& a, const QList<double>& b);

// Copies `binary` into `folder`, which becomes its program folder.
bool InstallInto(const QString& binary, const QString& folder, QString& copied);

bool WriteFile(const QString& path, const QByteArray& bytes);

// One line of figures: median wall and CPU time.
QString TimesLine(const QString& what, const BenchTimes& t);
