#pragma once
// A form the user describes: the layout file formulare/NAME.json read into a
// plain value, every error refused with a Slovak message that names the key
// and the field, and the value written back in one canonical form, so a file
// saved, read and saved again keeps its bytes.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

inline constexpr int UserLayoutVersion = 1;
inline constexpr qint64 UserLayoutLimit = 1048576; // 1 MB
inline const QString UserFormsFolder = QStringLiteral("formulare/");

enum class UserFieldKind { Text, Amount, Words, Date, Iban, Symbol, Static, PayBySquare };
enum class UserAlign { Left, Right, Center };

// A font, or the part of one a field changes: an empty family and a size of
// 0 take the form's.
struct UserFont {
    QString family;
    double sizePt = 0;
    bool operator==(const UserFont&) const = default;
};

// One character per box, `pitchMm` apart from the field's left edge on.
struct UserBoxes {
    int count = 0;
    double pitchMm = 0;
    bool operator==(const UserBoxes&) const = default;
};

// The fields a PAY by square code is made from, by their names; empty when not given.
struct UserPayment {
    QString iban, amount, vs, ks, ss, due, beneficiary, message;
    bool operator==(const UserPayment&) const = default;
};

struct UserField {
    UserFieldKind kind = UserFieldKind::Text;
    QString name;    // empty only for a static text
    QString caption; // how the window labels it; empty: the name
    double xMm = 0, yMm = 0, widthMm = 0, heightMm = 0;
    double sizeMm = 0; // a QR code's side
    UserAlign align = UserAlign::Left;
    int lines = 1;     // a text's lines; more than one is a memo
    int maxChars = 0;  // 0: no limit beyond the box
    QString fill;      // personal data put in when a window opens: "{meno} {priezvisko}"
    QString source;    // words: the amount field they spell
    QString value;     // static: the text printed
    std::optional<UserBoxes> boxes;
    std::optional<UserFont> font;
    UserPayment payment;
    bool operator==(const UserField&) const = default;
};

struct UserLayout {
    QString name;
    double widthMm = 0, heightMm = 0;
    QString paper = QStringLiteral("A4");
    double offsetXMm = 0, offsetYMm = 0;
    int rotation = 0; // clockwise as the form lies on the paper: 0, 90, 180 or 270
    UserFont font{QStringLiteral("Liberation Sans"), 10};
    QString background; // an image beside the file; empty when none
    QList<UserField> fields;
    bool operator==(const UserLayout&) const = default;

    const UserField* field(const QString& name) const;
};

struct UserLayoutRead {
    std::optional<UserLayout> layout;
    QString error;        // why the file is refused
    QStringList warnings; // what does not stop it (a missing background)
};

// The layout in `json`; `folder` (with its trailing separator, or empty) is
// where its background is looked for.
UserLayoutRead ParseUserLayout(const QByteArray& json, const QString& folder = {});
// The layout file at `path`: a regular file of at most 1 MB; `bytesRead`
// gets the bytes the layout was read from.
UserLayoutRead LoadUserLayout(const QString& path, QByteArray* bytesRead = nullptr);
// The layout as its file holds it: UTF-8, keys in a fixed order, two spaces
// of indent, lengths with at most two decimals.
QByteArray WriteUserLayout(const UserLayout& layout);

QString UserFieldKindName(UserFieldKind kind);
