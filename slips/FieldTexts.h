#pragma once
// The texts a print draws, by field name: a plain value that a window, a table
// row or a preview builds. Memos carry the lines they show as well.
#include <QHash>
#include <QString>
#include <QStringList>
#include <string_view>

class FieldTexts {
public:
    void setText(const QString& field, const QString& text) { texts_.insert(field, text); }
    // A memo: its whole text and the lines it shows.
    void setMemo(const QString& field, const QString& text, const QStringList& shownLines)
    {
        texts_.insert(field, text);
        lines_.insert(field, shownLines);
    }
    bool has(std::string_view field) const { return texts_.contains(name(field)); }
    bool hasLines(std::string_view field) const { return lines_.contains(name(field)); }
    QString text(std::string_view field) const { return texts_.value(name(field)); }
    QStringList lines(std::string_view field) const { return lines_.value(name(field)); }

private:
    static QString name(std::string_view field)
    {
        return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
    }
    QHash<QString, QString> texts_;
    QHash<QString, QStringList> lines_;
};
