#include "BenchProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <sys/resource.h>

namespace {

// CPU milliseconds of every child reaped so far.
double childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

bool runOnce(const BenchCommand& c, double& wallMs, double& cpuMs, QString& error)
{
    QProcess p;
    const double cpuBefore = childrenCpuMs();
    QElapsedTimer clock;
    clock.start();
    p.start(c.program, c.arguments);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit) {
        error = c.label + QStringLiteral(": did not end normally");
        p.kill();
        p.waitForFinished();
        return false;
    }
    wallMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    cpuMs = childrenCpuMs() - cpuBefore;
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (p.exitCode() != 0 || !out.contains(c.expectOut)) {
        const QString said = out + QString::fromUtf8(p.readAllStandardError());
        error = QStringLiteral("%1: exit %2\n%3").arg(c.label).arg(p.exitCode()).arg(said.left(1000));
        return false;
    }
    return true;
}

} // namespace

QList<BenchTimes> TimeInTurn(const QList<BenchCommand>& commands, int runs, QString& error)
{
    QList<BenchTimes> times(commands.size());
    for (int run = -1; run < runs; ++run) {
        for (qsizetype i = 0; i < commands.size(); ++i) {
            double wall = 0, cpu = 0;
            if (!runOnce(commands[i], wall, cpu, error))
                return {};
            if (run < 0)
                continue; // the first round warms the disk cache and the fonts
            times[i].wallMs << wall;
            times[i].cpuMs << cpu;
        }
    }
    return times;
}

double Median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double PairedRatio(const QList<double>& a, const QList<double>& b)
{
    QList<double> ratios;
    for (qsizetype i = 0; i < a.size() && i < b.size(); ++i)
        if (b[i] > 0)
            ratios << a[i] / b[i];
    return Median(ratios);
}

bool InstallInto(const QString& binary, const QString& folder, QString& copied)
{
    copied = folder + QLatin1Char('/') + QFileInfo(binary).fileName();
    return QFile::copy(binary, copied)
           && QFile::setPermissions(copied, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

QString TimesLine(const QString& what, const BenchTimes& t)
{
    if (t.wallMs.isEmpty())
        return what + QStringLiteral(": no runs");
    return QStringLiteral("%1: %2 ms wall, %3 ms CPU (median of %4; wall %5 to %6 ms)")
        .arg(what)
        .arg(Median(t.wallMs), 0, 'f', 0)
        .arg(Median(t.cpuMs), 0, 'f', 0)
        .arg(t.wallMs.size())
        .arg(*std::min_element(t.wallMs.begin(), t.wallMs.end()), 0, 'f', 0)
        .arg(*std::max_element(t.wallMs.begin(), t.wallMs.end()), 0, 'f', 0);
}
