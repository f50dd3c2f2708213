#include "core/forms/payment/BankCodes.h"

#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QMutex>
#include <QRegularExpression>
#include <QStringDecoder>

BankCodes BankCodes::load(const QString& programFolder)
{
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(programFolder + QStringLiteral("data/bic.txt"), SmallFileLimit);
    } catch (const FileError&) {
        return {};
    }
    // Every row of a table reads the list: the same bytes are parsed once.
    static QMutex guard;
    static QByteArray lastBytes;
    static BankCodes lastCodes;
    const QMutexLocker lock(&guard);
    if (bytes.isEmpty() || bytes != lastBytes) {
        lastCodes = parse(bytes);
        lastBytes = bytes;
    }
    return lastCodes;
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
    for (auto it = codes.banks_.cbegin(); it != codes.banks_.cend(); ++it)
        codes.byBic_.insert(it->bic.left(8), it.key());
    return codes;
}

QString BankCodes::bicMismatch(const QString& code, const QString& bic) const
{
    // "Tatra banka, a.s. (kód banky 1100)"; a line without a name gives the code alone.
    const auto bankOf = [this](const QString& c) {
        const QString name = find(c).name;
        return name.isEmpty() ? QStringLiteral("banka s kódom %1").arg(c)
                              : QStringLiteral("%1 (kód banky %2)").arg(name, c);
    };
    const QString given = bic.left(8);
    if (const Bank bank = find(code); !bank.bic.isEmpty()) {
        if (bank.bic.left(8) == given)
            return {};
        return QStringLiteral("účet v IBAN vedie %1 s BIC %2, nie %3").arg(bankOf(code), bank.bic, bic);
    }
    const QStringList others = codesOfBic(given);
    if (others.isEmpty() || others.contains(code))
        return {};
    return QStringLiteral("%1 je BIC banky %2, účet v IBAN však vedie banka s kódom %3")
        .arg(bic, bankOf(others.first()), code);
}

bool IsBicShape(const QString& bic)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Z]{6}[A-Z0-9]{2}(?:[A-Z0-9]{3})?$"));
    return shape.match(bic).hasMatch();
}
