// The journal as a table the batch printer reads again.
#include "core/journal/Journal.h"

#include "core/journal/JournalDatabase.h"

#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace {

QByteArray cell(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

QByteArray row(const QStringList& cells)
{
    QByteArray line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += (i > 0 ? ";" : "") + cell(cells[i]);
    return line + "\r\n";
}

// The file itself, whichever way its name is written; a name not yet there is none of the journal's.
bool sameFile(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString Journal::exportCsv(const QString& path, std::optional<qint64> job) const
{
    const Connection& c = *d_;
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (sameFile(path, c.path + suffix))
            return JournalExportMessage.arg(path, JournalExportOverJournal);

    QSqlQuery q(c.db);
    QString reason;
    QString sql = QStringLiteral("SELECT p.id, f.name, f.text FROM jobs j JOIN pages p ON p.job_id = j.id "
                                 "LEFT JOIN page_fields f ON f.page_id = p.id");
    QVariantList values;
    if (job) {
        sql += QStringLiteral(" WHERE j.id = ?");
        values << *job;
    }
    sql += QStringLiteral(" ORDER BY j.time_utc, j.id, p.number, f.position");
    if (!c.run(q, sql, values, reason))
        return JournalReadMessage.arg(c.path, reason);
    // The columns are every field name in the order first met.
    QStringList columns;
    QHash<QString, qsizetype> columnOf;
    QList<QHash<QString, QString>> pages;
    qint64 current = -1;
    while (q.next()) {
        if (q.value(0).toLongLong() != current) {
            current = q.value(0).toLongLong();
            pages.append(QHash<QString, QString>());
        }
        if (q.value(1).isNull())
            continue;
        const QString name = q.value(1).toString();
        if (!columnOf.contains(name)) {
            columnOf.insert(name, columns.size());
            columns << name;
        }
        pages.last().insert(name, q.value(2).toString());
    }
    if (q.lastError().isValid())
        return JournalReadMessage.arg(c.path, c.reasonOf(q.lastError()));
    if (columns.isEmpty())
        return JournalExportMessage.arg(path, QStringLiteral("v histórii nie je žiadna strana s textom"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return JournalExportMessage.arg(path, file.errorString());
    QByteArray bytes = "\xEF\xBB\xBF" + row(columns);
    for (const QHash<QString, QString>& page : pages) {
        QStringList cells;
        for (const QString& name : columns)
            cells << page.value(name);
        bytes += row(cells);
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        return JournalExportMessage.arg(path, file.errorString());
    return {};
}
