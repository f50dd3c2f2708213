#pragma once
// A form the user described, as windows, tables and prints take every form:
// a FormDescription made from its layout file, which carries the layout.
#include "core/forms/user/UserLayout.h"
#include "core/print/FormDescription.h"

#include <memory>

struct UserFormRead {
    std::shared_ptr<const FormDescription> form; // null when the file is refused
    QString error;
    QStringList warnings;
};

// The form of the layout file at `path`; the bank list of `programFolder`
// (with its trailing separator) gives a PAY by square code its BIC.
UserFormRead LoadUserForm(const QString& path, const QString& programFolder);

// The form of a layout already read; `bytes` is the file as read, which a
// print journal keeps.
std::shared_ptr<const FormDescription> MakeUserForm(const UserLayout& layout, const QString& file,
                                                    const QByteArray& bytes, const QString& programFolder);

// The layout a user form was made from; null for a built-in form.
const UserLayout* LayoutOf(const FormDescription& form);

// The layout files of `programFolder`/formulare/, by their names; one that
// does not read by its file name, with why.
struct UserFormEntry {
    QString name;
    QString path;
    QString error; // empty for a layout that reads
};
QList<UserFormEntry> UserFormsIn(const QString& programFolder);

// The file a zelvana-batch --form value names: a path to a .json file, or
// the name of a layout in `programFolder`/formulare/ (the file's base name or
// the form's name); empty when none.
QString UserFormFile(const QString& value, const QString& programFolder);
