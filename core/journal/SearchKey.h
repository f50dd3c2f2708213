#pragma once
// How the journal's search forgives diacritics, as the help window's search
// does: a word typed without a mark finds the letter with it ("Kosice" finds
// "Košice"), a letter typed with its mark finds only itself, and case never
// matters.
#include <QList>
#include <QString>

// The text in lower case with every combining mark dropped (NFD), the key
// the journal keeps beside each text.
QString SearchKey(const QString& text);
// Whether `word` is in `text` by the rule above.
bool ForgivingContains(const QString& text, const QString& word);

// One word, its letters read once, looked for in many texts.
class ForgivingWord {
public:
    explicit ForgivingWord(const QString& word);
    bool in(const QString& text) const;
    const QString& key() const { return key_; } // SearchKey(word)

private:
    // A letter as typed: itself (composed, lower case) and what it is
    // without its marks.
    struct Letter {
        QString self, bare;
    };
    QList<Letter> letters_;
    QString key_;
};
