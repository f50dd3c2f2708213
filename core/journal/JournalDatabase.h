#pragma once
// What the journal's parts share inside the core: its connection, its
// queries and how a SQLite error reads in Slovak.
#include "core/journal/Journal.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

struct Journal::Connection {
    QString name; // the QSqlDatabase connection name, one per open
    QString path;
    int busyMilliseconds = 0, busySeconds = 0;
    QSqlDatabase db;

    Connection(QString path, std::chrono::milliseconds busyTimeout, bool readOnly);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs `sql` with `values` bound in order; false and why (in Slovak) when it fails.
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values, QString& why) const;
    bool run(const QString& sql, QString& why) const;
    // The first column of the first row; invalid and why when it fails.
    QVariant value(const QString& sql, QString& why) const;
    // BEGIN IMMEDIATE, which waits up to the busy timeout for another writer.
    bool begin(QString& why) const;
    bool commit(QString& why) const;
    void rollback() const;
    // The last query failed because the file is no database or a damaged one.
    mutable bool damaged = false;

    QString reasonOf(const QSqlError& error) const;
};

// SQLite's primary result codes the journal tells apart.
namespace sqlite_code {
inline constexpr int Perm = 3, Busy = 5, Locked = 6, ReadOnly = 8, IoErr = 10, Corrupt = 11, Full = 13, CantOpen = 14,
                     NotADb = 26;
}
// The primary SQLite result code of `error`; -1 when it carries none.
int SqliteCode(const QSqlError& error);
