#pragma once
// A fresh program folder per test, with helpers to put files in it.
#include "core/base/Cp1250.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TempProgramFolder {
public:
    TempProgramFolder();
    QString path() const { return dir_.path() + QLatin1Char('/'); }
    QString file(const QString& name) const { return path() + name; }

    QByteArray read(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    bool exists(const QString& name) const;
    // Writes data/subor1.tip with one record per tip (UTF-8 in, code page 1250 out).
    void writeTips(const QStringList& tips) const;
    // Copies the tips file that ships with the program.
    void installShippedTips() const;
    // Copies the envelope templates that ship with the program into data/;
    // returns their file names.
    QStringList installShippedTemplates() const;
    // Copies `name` (pomoc.hlp, data/oprograme.jpg, ...) as the build folder holds it.
    void installShipped(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// A 256-byte short-string record.
QByteArray shortStringRecord(const QString& text);
