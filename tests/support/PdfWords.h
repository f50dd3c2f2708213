#pragma once
// Words of a PDF page with their boxes in points, read back with `pdftotext -bbox`.
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>

struct PdfWord {
    QString text;
    QRectF box; // points, origin at the page's top-left
};

// page 0: every page; else that page alone (1-based).
inline QList<PdfWord> pdfWords(const QString& pdfPath, QString* error = nullptr, int page = 0)
{
    QProcess tool;
    QStringList args{QStringLiteral("-bbox")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    tool.start(QStringLiteral("pdftotext"), args << pdfPath << QStringLiteral("-"));
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("pdftotext failed: ") + tool.errorString() + QString::fromUtf8(tool.readAllStandardError());
        return {};
    }
    const QString html = QString::fromUtf8(tool.readAllStandardOutput());
    static const QRegularExpression word(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        const double x1 = m.captured(3).toDouble(), y1 = m.captured(4).toDouble();
        QString text = m.captured(5);
        text.replace(QLatin1String("&amp;"), QLatin1String("&"));
        words.append({text, QRectF(QPointF(x0, y0), QPointF(x1, y1))});
    }
    return words;
}
