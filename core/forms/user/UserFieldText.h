#pragma once
// What one field of a user form prints for the text typed into it, by its
// kind, and why a typed text is refused.
#include "core/forms/user/UserLayout.h"

#include <QStringList>

// The field's font: its own over the form's.
UserFont FieldFont(const UserLayout& layout, const UserField& field);

// The lines a field prints for `typed` (a words field: the text of its
// source amount; a static one: its value). Boxed fields print one line of
// the characters that go into the boxes. Nothing for an empty text; the
// typed text itself when it is not in the field's shape (the check refuses
// it before any print).
QStringList PrintedLines(const UserLayout& layout, const UserField& field, const QString& typed,
                         const QString& sourceTyped = {});

// Why `typed` cannot go into the field, beyond its fit: "Suma: …"; empty when it can.
QString TypedProblem(const UserField& field, const QString& typed);

// The lines of a typed text: its line breaks, without the empty lines at its end.
QStringList TypedLines(const QString& typed);

// The field as messages name it: its caption, else its name.
QString FieldTitle(const UserField& field);

// "1 234,50" from cents.
QString EuroFigures(qint64 cents);
