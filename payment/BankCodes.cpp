#include "payment/BankCodes.h"

#include "base/FileError.h"
#include "base/SafeRead.h"

#include <QRegularExpression>
#include <QStringDecoder>

BankCodes BankCodes::load(const QString& programFolder)
{
    try {
        return parse(ReadRegularFile(programFolder + QStringLiteral("data/bic.txt"), SmallFileLimit));
    } catch (const FileError&) {
        return {};
    }
}

BankCodes BankCodes::parse(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    BankCodes codes;
    // A file that is not UTF-8 is not the one shipped: trust none of it.
    if (utf8.hasError())
        return codes;
    static const QRegularExpression code(QStringLiteral("^\\d{4}$"));
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char(';'));
        if (parts.size() != 3)
            continue;
        const QString bankCode = parts[0].trimmed();
        const QString bic = parts[1].trimmed();
        if (!code.match(bankCode).hasMatch() || !IsBicShape(bic))
            continue;
        codes.banks_.insert(bankCode, Bank{bic, parts[2].trimmed()});
    }
    return codes;
}

bool IsBicShape(const QString& bic)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}(?:[A-Z0-9]{3})?$"));
    return shape.match(bic).hasMatch();
}
