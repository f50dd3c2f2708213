#pragma once
// The texts of a form by field name: a plain value that a window, a table row,
// the personal data or a preview builds. Memos carry the lines they show as
// well, which is what a print draws.
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
    void remove(const QString& field)
    {
        texts_.remove(field);
        lines_.remove(field);
    }
    bool has(std::string_view field) const { return texts_.contains(name(field)); }
    bool hasLines(std::string_view field) const { return lines_.contains(name(field)); }
    QString text(std::string_view field) const { return texts_.value(name(field)); }
    QString text(const char* field) const { return text(std::string_view(field)); }
    QString text(const QString& field) const { return texts_.value(field); }
    QStringList lines(std::string_view field) const { return lines_.value(name(field)); }
    // Every field with a text, in no particular order.
    QStringList fields() const { return texts_.keys(); }
    qsizetype size() const { return texts_.size(); }

private:
    static QString name(std::string_view field)
    {
        return QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
    }
    QHash<QString, QString> texts_;
    QHash<QString, QStringList> lines_;
};
