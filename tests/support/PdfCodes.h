#pragma once
// Every QR code of a PDF, page by page: rendered at 300 dpi (pdftoppm) and
// read by a real QR reader (zbarimg).
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

inline QStringList ReadQrCodes(const QString& pdf, QString* error)
{
    const QString render = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (render.isEmpty() || zbar.isEmpty())
        return *error = QStringLiteral("pdftoppm or zbarimg missing"), QStringList();
    QProcess run;
    run.start(render, {"-r", "300", "-png", pdf, pdf + "-page"});
    if (!run.waitForFinished(120000) || run.exitCode() != 0)
        return *error = QString::fromLocal8Bit(run.readAllStandardError()), QStringList();
    QStringList codes;
    const QFileInfo info(pdf);
    for (const QString& png : info.dir().entryList({info.fileName() + "-page*.png"}, QDir::Files, QDir::Name)) {
        run.start(zbar, {"--raw", "-q", info.dir().filePath(png)});
        run.waitForFinished(60000);
        codes << QString::fromLatin1(run.readAllStandardOutput()).trimmed();
    }
    return codes;
}
