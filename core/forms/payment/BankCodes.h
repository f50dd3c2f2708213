#pragma once
// Slovak bank codes and their BICs, read from data/bic.txt in the program
// folder (UTF-8, one "code;BIC;name" line per bank, '#' starts a comment).
#include <QHash>
#include <QString>
#include <QStringList>

struct Bank {
    QString bic;
    QString name;
};

class BankCodes {
public:
    // Reads `programFolder` + "data/bic.txt". A missing, unreadable or
    // damaged file gives an empty table and a line not in the shape is
    // skipped: the payment then simply goes without a BIC.
    static BankCodes load(const QString& programFolder);
    // The same from the file's bytes.
    static BankCodes parse(const QByteArray& bytes);

    // The bank of a four-digit code; an empty Bank when it is not known.
    Bank find(const QString& code) const { return banks_.value(code); }
    QString bic(const QString& code) const { return find(code).bic; }
    qsizetype size() const { return banks_.size(); }
    // The codes of the banks whose BIC is `bic`; an 11-character BIC names a
    // branch of the bank of its first 8.
    QStringList codesOfBic(const QString& bic) const { return byBic_.values(bic.left(8)); }

    // Why `bic` cannot be the BIC of the bank of `code`: the list gives that
    // bank another one, or gives this one to another bank. Empty when it may
    // be, and when the list knows neither.
    QString bicMismatch(const QString& code, const QString& bic) const;

private:
    QHash<QString, Bank> banks_;
    QMultiHash<QString, QString> byBic_; // first 8 characters of the BIC -> bank code
};

// True for a BIC of 8 or 11 characters: bank (4 letters), country (2
// letters), place (2 letters or digits), branch (3 letters or digits).
bool IsBicShape(const QString& bic);
