#include "core/forms/user/UserLayout.h"

#include "core/base/FileError.h"
#include "core/base/SafeRead.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace {

struct KindName {
    UserFieldKind kind;
    const char* name;
};
constexpr KindName KindNames[] = {
    {UserFieldKind::Text, "text"},     {UserFieldKind::Amount, "amount"}, {UserFieldKind::Words, "words"},
    {UserFieldKind::Date, "date"},     {UserFieldKind::Iban, "iban"},     {UserFieldKind::Symbol, "symbol"},
    {UserFieldKind::Static, "static"}, {UserFieldKind::PayBySquare, "paybysquare"},
};

// Thrown inside the reader with the whole message; caught once.
struct Refusal {
    QString text;
};

[[noreturn]] void refuse(const QString& text) { throw Refusal{text}; }

void onlyKeys(const QJsonObject& o, std::initializer_list<const char*> allowed, const QString& what)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool known = false;
        for (const char* k : allowed)
            known = known || it.key() == QLatin1String(k);
        if (!known)
            refuse(QStringLiteral("Neznámy kľúč „%1“ v %2.").arg(it.key(), what));
    }
}

double number(const QJsonObject& o, const char* key, const QString& what, std::optional<double> otherwise = {})
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined()) {
        if (otherwise)
            return *otherwise;
        refuse(QStringLiteral("Chýba kľúč „%1“ v %2.").arg(QLatin1String(key), what));
    }
    if (!v.isDouble() || !std::isfinite(v.toDouble()))
        refuse(QStringLiteral("Kľúč „%1“ v %2 musí byť číslo.").arg(QLatin1String(key), what));
    return v.toDouble();
}

// Lengths and sizes to the hundredth, as the file writes them: what is
// checked is what a saved file holds.
double hundredths(double v) { return std::round(v * 100) / 100; }

// No length of a form comes near this; beyond it a number only breaks the arithmetic.
constexpr double LongestMm = 100000;

double checkedLength(double v, const char* key, const QString& what)
{
    if (std::abs(v) > LongestMm)
        refuse(QStringLiteral("Kľúč „%1“ v %2 má nezmyselne veľkú hodnotu.").arg(QLatin1String(key), what));
    return hundredths(v);
}

double length(const QJsonObject& o, const char* key, const QString& what, std::optional<double> otherwise = {})
{
    return checkedLength(number(o, key, what, otherwise), key, what);
}

QString text(const QJsonObject& o, const char* key, const QString& what)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return {};
    if (!v.isString())
        refuse(QStringLiteral("Kľúč „%1“ v %2 musí byť text.").arg(QLatin1String(key), what));
    const QString s = v.toString();
    if (!s.isValidUtf16()) // a lone surrogate escaped in the file: no character at all
        refuse(QStringLiteral("Kľúč „%1“ v %2 obsahuje neplatný znak.").arg(QLatin1String(key), what));
    return s;
}

QJsonObject object(const QJsonObject& o, const char* key, const QString& what)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (!v.isObject())
        refuse(QStringLiteral("Kľúč „%1“ v %2 musí byť objekt { … }.").arg(QLatin1String(key), what));
    return v.toObject();
}

// An [x, y] pair of millimetres.
std::pair<double, double> pair(const QJsonObject& o, const char* key, const QString& what)
{
    const QJsonValue v = o.value(QLatin1String(key));
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 2 || !a[0].isDouble() || !a[1].isDouble())
        refuse(QStringLiteral("Kľúč „%1“ v %2 musí byť dvojica čísel [x, y].").arg(QLatin1String(key), what));
    return {checkedLength(a[0].toDouble(), key, what), checkedLength(a[1].toDouble(), key, what)};
}

int wholeNumber(const QJsonObject& o, const char* key, const QString& what, int otherwise, int least)
{
    const double v = number(o, key, what, otherwise);
    if (v != std::floor(v) || v < least || v > 100000)
        refuse(QStringLiteral("Kľúč „%1“ v %2 musí byť celé číslo aspoň %3.").arg(QLatin1String(key), what).arg(least));
    return static_cast<int>(v);
}

UserFont font(const QJsonObject& o, const QString& what)
{
    onlyKeys(o, {"family", "size_pt"}, what);
    UserFont f;
    f.family = text(o, "family", what);
    f.sizePt = length(o, "size_pt", what, 0.0);
    if (o.contains(QLatin1String("size_pt")) && (f.sizePt <= 0 || f.sizePt > 200))
        refuse(QStringLiteral("Veľkosť písma v %1 musí byť väčšia ako 0 a najviac 200 bodov.").arg(what));
    return f;
}

UserField field(const QJsonObject& o, int index)
{
    const QString name = o.value(QLatin1String("name")).toString();
    const QString what = name.isEmpty() ? QStringLiteral("%1. poli").arg(index + 1) : QStringLiteral("poli „%1“").arg(name);
    onlyKeys(o,
             {"name", "caption", "kind", "x_mm", "y_mm", "width_mm", "height_mm", "size_mm", "align", "lines", "max_chars",
              "fill", "source", "value", "boxes", "font", "payment"},
             what);
    UserField f;
    const QString kind = text(o, "kind", what);
    bool known = false;
    for (const KindName& k : KindNames)
        if (kind == QLatin1String(k.name)) {
            f.kind = k.kind;
            known = true;
        }
    if (!known)
        refuse(kind.isEmpty() ? QStringLiteral("Chýba kľúč „kind“ v %1.").arg(what)
                              : QStringLiteral("Neznámy druh poľa „%1“ v %2.").arg(kind, what));
    f.name = text(o, "name", what);
    if (f.name.isEmpty() && f.kind != UserFieldKind::Static)
        refuse(QStringLiteral("Chýba kľúč „name“ v %1.").arg(what));
    for (QChar c : f.name)
        if (!(c.isLetterOrNumber() || c == QLatin1Char('_')) || c.unicode() > 127)
            refuse(QStringLiteral("Názov poľa „%1“ smie mať len písmená bez diakritiky, číslice a _.").arg(f.name));
    f.caption = text(o, "caption", what);
    f.xMm = length(o, "x_mm", what);
    f.yMm = length(o, "y_mm", what);
    if (f.kind == UserFieldKind::PayBySquare) {
        f.sizeMm = length(o, "size_mm", what);
        if (f.sizeMm <= 0)
            refuse(QStringLiteral("Kľúč „size_mm“ v %1 musí byť väčší ako 0.").arg(what));
        f.widthMm = f.heightMm = f.sizeMm;
    } else {
        f.widthMm = length(o, "width_mm", what);
        f.heightMm = length(o, "height_mm", what);
        if (f.widthMm <= 0 || f.heightMm <= 0)
            refuse(QStringLiteral("Šírka a výška v %1 musia byť väčšie ako 0.").arg(what));
    }
    const QString align = text(o, "align", what);
    if (align == QLatin1String("right"))
        f.align = UserAlign::Right;
    else if (align == QLatin1String("center"))
        f.align = UserAlign::Center;
    else if (!align.isEmpty() && align != QLatin1String("left"))
        refuse(QStringLiteral("Kľúč „align“ v %1 je left, right alebo center, nie „%2“.").arg(what, align));
    f.lines = wholeNumber(o, "lines", what, 1, 1);
    f.maxChars = o.contains(QLatin1String("max_chars")) ? wholeNumber(o, "max_chars", what, 0, 1) : 0;
    f.fill = text(o, "fill", what);
    f.source = text(o, "source", what);
    f.value = text(o, "value", what);
    if (o.contains(QLatin1String("boxes"))) {
        const QJsonObject b = object(o, "boxes", what);
        onlyKeys(b, {"count", "pitch_mm"}, QStringLiteral("„boxes“ v %1").arg(what));
        UserBoxes boxes{wholeNumber(b, "count", what, 0, 1), length(b, "pitch_mm", what)};
        if (boxes.pitchMm <= 0)
            refuse(QStringLiteral("Kľúč „pitch_mm“ v %1 musí byť väčší ako 0.").arg(what));
        if (boxes.count * boxes.pitchMm > f.widthMm + 1e-6)
            refuse(QStringLiteral("Políčka v %1 sa nezmestia do šírky: %2 × %3 mm je viac ako %4 mm.")
                       .arg(what)
                       .arg(boxes.count)
                       .arg(boxes.pitchMm)
                       .arg(f.widthMm));
        f.boxes = boxes;
    }
    if (o.contains(QLatin1String("font")))
        f.font = font(object(o, "font", what), QStringLiteral("písme %1").arg(what));
    if (o.contains(QLatin1String("payment"))) {
        const QJsonObject p = object(o, "payment", what);
        const QString in = QStringLiteral("„payment“ v %1").arg(what);
        onlyKeys(p, {"iban", "amount", "vs", "ks", "ss", "due", "beneficiary", "message"}, in);
        f.payment = {text(p, "iban", in), text(p, "amount", in),        text(p, "vs", in),     text(p, "ks", in),
                     text(p, "ss", in),   text(p, "due", in),           text(p, "beneficiary", in), text(p, "message", in)};
    }
    return f;
}

// A field that another names must exist and be of the right kind.
void named(const UserLayout& layout, const QString& by, const char* key, const QString& target,
           std::initializer_list<UserFieldKind> kinds, bool required)
{
    if (target.isEmpty()) {
        if (required)
            refuse(QStringLiteral("Chýba kľúč „%1“ v poli „%2“.").arg(QLatin1String(key), by));
        return;
    }
    const UserField* f = layout.field(target);
    bool right = false;
    for (UserFieldKind k : kinds)
        right = right || (f && f->kind == k);
    if (!right) {
        QStringList names;
        for (UserFieldKind k : kinds)
            names << UserFieldKindName(k);
        refuse(QStringLiteral("Kľúč „%1“ v poli „%2“ menuje „%3“, čo nie je pole druhu %4.")
                   .arg(QLatin1String(key), by, target, names.join(QStringLiteral(" alebo "))));
    }
}

UserLayout layoutOf(const QJsonObject& root, const QString& folder, QStringList& warnings)
{
    const QString top = QStringLiteral("súbore");
    onlyKeys(root, {"format", "version", "name", "size_mm", "page", "font", "background", "fields"}, top);
    if (root.value(QLatin1String("format")).toString() != QLatin1String("zelvana-form"))
        refuse(QStringLiteral("Súbor nie je popis formulára: kľúč „format“ musí byť „zelvana-form“."));
    const double version = number(root, "version", top);
    if (version != std::floor(version) || version < 1)
        refuse(QStringLiteral("Kľúč „version“ musí byť celé číslo od 1."));
    if (version > UserLayoutVersion)
        refuse(QStringLiteral("Popis formulára má verziu %1, tento program pozná najviac verziu %2.")
                   .arg(version)
                   .arg(UserLayoutVersion));
    UserLayout l;
    l.name = text(root, "name", top).trimmed();
    if (l.name.isEmpty())
        refuse(QStringLiteral("Chýba kľúč „name“ s názvom formulára."));
    std::tie(l.widthMm, l.heightMm) = pair(root, "size_mm", top);
    if (l.widthMm <= 0 || l.heightMm <= 0 || l.widthMm > 2000 || l.heightMm > 2000)
        refuse(QStringLiteral("Rozmery formulára („size_mm“) musia byť väčšie ako 0 a najviac 2000 mm."));
    if (root.contains(QLatin1String("page"))) {
        const QJsonObject page = object(root, "page", top);
        const QString in = QStringLiteral("„page“");
        onlyKeys(page, {"paper", "offset_mm", "rotation"}, in);
        if (page.contains(QLatin1String("paper")))
            l.paper = text(page, "paper", in);
        if (l.paper != QLatin1String("A4") && l.paper != QLatin1String("A5") && l.paper != QLatin1String("Letter"))
            refuse(QStringLiteral("Papier „%1“ nepoznám: zadajte A4, A5 alebo Letter.").arg(l.paper));
        if (page.contains(QLatin1String("offset_mm")))
            std::tie(l.offsetXMm, l.offsetYMm) = pair(page, "offset_mm", in);
        l.rotation = wholeNumber(page, "rotation", in, 0, 0);
        if (l.rotation % 90 != 0 || l.rotation > 270)
            refuse(QStringLiteral("Kľúč „rotation“ je 0, 90, 180 alebo 270, nie %1.").arg(l.rotation));
    }
    if (root.contains(QLatin1String("font"))) {
        const UserFont f = font(object(root, "font", top), QStringLiteral("písme formulára"));
        if (!f.family.isEmpty())
            l.font.family = f.family;
        if (f.sizePt > 0)
            l.font.sizePt = f.sizePt;
    }
    l.background = text(root, "background", top);
    if (!l.background.isEmpty()) {
        if (l.background.contains(QLatin1Char('/')) || l.background.startsWith(QLatin1Char('.')))
            refuse(QStringLiteral("Pozadie „%1“ musí byť súbor vedľa popisu formulára.").arg(l.background));
        if (!folder.isEmpty() && !QFileInfo(folder + l.background).isFile())
            warnings << QStringLiteral("Obrázok pozadia „%1“ sa nenašiel; formulár sa otvorí bez neho.").arg(l.background);
    }
    const QJsonValue fields = root.value(QLatin1String("fields"));
    if (!fields.isArray())
        refuse(QStringLiteral("Chýba zoznam polí („fields“: [ … ])."));
    QSet<QString> names;
    const QJsonArray list = fields.toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (!list[i].isObject())
            refuse(QStringLiteral("%1. pole nie je objekt { … }.").arg(i + 1));
        const UserField f = field(list[i].toObject(), static_cast<int>(i));
        if (!f.name.isEmpty() && names.contains(f.name))
            refuse(QStringLiteral("Dve polia majú názov „%1“.").arg(f.name));
        names.insert(f.name);
        constexpr double slack = 1e-6;
        if (f.xMm < 0 || f.yMm < 0 || f.xMm + f.widthMm > l.widthMm + slack || f.yMm + f.heightMm > l.heightMm + slack)
            refuse(QStringLiteral("%1 presahuje formulár %2 × %3 mm.")
                       .arg(f.name.isEmpty() ? QStringLiteral("%1. pole").arg(i + 1) : QStringLiteral("Pole „%1“").arg(f.name))
                       .arg(l.widthMm)
                       .arg(l.heightMm));
        l.fields.append(f);
    }
    for (const UserField& f : l.fields) {
        if (f.kind == UserFieldKind::Words)
            named(l, f.name, "source", f.source, {UserFieldKind::Amount}, true);
        if (f.kind == UserFieldKind::PayBySquare) {
            named(l, f.name, "iban", f.payment.iban, {UserFieldKind::Iban}, true);
            named(l, f.name, "amount", f.payment.amount, {UserFieldKind::Amount}, true);
            named(l, f.name, "vs", f.payment.vs, {UserFieldKind::Symbol}, false);
            named(l, f.name, "ks", f.payment.ks, {UserFieldKind::Symbol}, false);
            named(l, f.name, "ss", f.payment.ss, {UserFieldKind::Symbol}, false);
            named(l, f.name, "due", f.payment.due, {UserFieldKind::Date}, false);
            named(l, f.name, "beneficiary", f.payment.beneficiary, {UserFieldKind::Text}, false);
            named(l, f.name, "message", f.payment.message, {UserFieldKind::Text}, false);
        }
    }
    return l;
}

// Line and column of a byte offset, both from 1.
std::pair<int, int> lineAndColumn(const QByteArray& bytes, qsizetype offset)
{
    int line = 1, column = 1;
    for (qsizetype i = 0; i < std::min(offset, bytes.size()); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) {
            ++column; // a character, not a UTF-8 continuation byte
        }
    }
    return {line, column};
}

// Millimetres as the file writes them: at most two decimals, no trailing zeros.
QByteArray mm(double v)
{
    QByteArray s = QByteArray::number(std::round(v * 100) / 100, 'f', 2);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s == "-0" ? QByteArray("0") : s;
}

QByteArray quoted(const QString& s)
{
    const QByteArray array = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray fontJson(const UserFont& f)
{
    QList<QByteArray> parts;
    if (!f.family.isEmpty())
        parts << "\"family\": " + quoted(f.family);
    if (f.sizePt > 0)
        parts << "\"size_pt\": " + mm(f.sizePt);
    return "{ " + parts.join(", ") + " }";
}

QByteArray fieldJson(const UserField& f)
{
    QList<QByteArray> parts;
    if (!f.name.isEmpty())
        parts << "\"name\": " + quoted(f.name);
    if (!f.caption.isEmpty())
        parts << "\"caption\": " + quoted(f.caption);
    parts << "\"kind\": " + quoted(UserFieldKindName(f.kind));
    parts << "\"x_mm\": " + mm(f.xMm) << "\"y_mm\": " + mm(f.yMm);
    if (f.kind == UserFieldKind::PayBySquare)
        parts << "\"size_mm\": " + mm(f.sizeMm);
    else
        parts << "\"width_mm\": " + mm(f.widthMm) << "\"height_mm\": " + mm(f.heightMm);
    if (f.align == UserAlign::Right)
        parts << "\"align\": \"right\"";
    else if (f.align == UserAlign::Center)
        parts << "\"align\": \"center\"";
    if (f.lines != 1)
        parts << "\"lines\": " + QByteArray::number(f.lines);
    if (f.maxChars > 0)
        parts << "\"max_chars\": " + QByteArray::number(f.maxChars);
    for (const auto& [key, value] : {std::pair{"fill", &f.fill}, {"source", &f.source}, {"value", &f.value}})
        if (!value->isEmpty())
            parts << "\"" + QByteArray(key) + "\": " + quoted(*value);
    if (f.boxes)
        parts << "\"boxes\": { \"count\": " + QByteArray::number(f.boxes->count) + ", \"pitch_mm\": " + mm(f.boxes->pitchMm)
                     + " }";
    if (f.font)
        parts << "\"font\": " + fontJson(*f.font);
    if (f.payment != UserPayment{}) {
        QList<QByteArray> pay;
        const UserPayment& p = f.payment;
        for (const auto& [key, value] : {std::pair{"iban", &p.iban}, {"amount", &p.amount}, {"vs", &p.vs}, {"ks", &p.ks},
                                         {"ss", &p.ss}, {"due", &p.due}, {"beneficiary", &p.beneficiary},
                                         {"message", &p.message}})
            if (!value->isEmpty())
                pay << "\"" + QByteArray(key) + "\": " + quoted(*value);
        parts << "\"payment\": { " + pay.join(", ") + " }";
    }
    return "    { " + parts.join(", ") + " }";
}

} // namespace

const UserField* UserLayout::field(const QString& name) const
{
    for (const UserField& f : fields)
        if (!name.isEmpty() && f.name == name)
            return &f;
    return nullptr;
}

QString UserFieldKindName(UserFieldKind kind)
{
    for (const KindName& k : KindNames)
        if (k.kind == kind)
            return QString::fromLatin1(k.name);
    return {};
}

namespace {

// Qt's reasons are English unless a translation is loaded, which
// zelvana-batch has not: each is said here.
QString jsonReason(QJsonParseError::ParseError e)
{
    switch (e) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("neukončený objekt");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("za názvom kľúča chýba dvojbodka");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("neukončený zoznam");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("medzi hodnotami chýba čiarka");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("neplatná hodnota");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("súbor končí uprostred čísla");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("neplatné číslo");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("neplatná úniková postupnosť");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("text nie je v UTF-8");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("neukončený text");
    case QJsonParseError::MissingObject:
        return QStringLiteral("chýba objekt");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("príliš hlboko vnorené");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("príliš veľký súbor");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("za koncom popisu nasleduje ďalší text");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("chyba zápisu");
}

} // namespace

UserLayoutRead ParseUserLayout(const QByteArray& json, const QString& folder)
{
    UserLayoutRead read;
    if (json.size() > UserLayoutLimit) {
        read.error = QStringLiteral("Popis formulára je väčší ako 1 MB.");
        return read;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        const auto [line, column] = lineAndColumn(json, error.offset);
        read.error = QStringLiteral("Popis formulára nie je platný JSON (riadok %1, stĺpec %2): %3.")
                         .arg(line)
                         .arg(column)
                         .arg(jsonReason(error.error));
        return read;
    }
    if (!doc.isObject()) {
        read.error = QStringLiteral("Popis formulára musí byť objekt { … }.");
        return read;
    }
    try {
        read.layout = layoutOf(doc.object(), folder, read.warnings);
    } catch (const Refusal& r) {
        read.error = r.text;
        read.warnings.clear();
    }
    return read;
}

UserLayoutRead LoadUserLayout(const QString& path, QByteArray* bytesRead)
{
    UserLayoutRead read;
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(path, UserLayoutLimit);
    } catch (const FileError& e) {
        read.error = QStringLiteral("Popis formulára „%1“ sa nepodarilo prečítať: %2").arg(path, QString::fromLocal8Bit(e.what()));
        return read;
    }
    read = ParseUserLayout(bytes, QFileInfo(path).absolutePath() + QLatin1Char('/'));
    if (bytesRead)
        *bytesRead = bytes;
    if (!read.layout) {
        // "Popis formulára „x.json“ nie je …" rather than the words twice.
        const QString own = QStringLiteral("Popis formulára ");
        const QString name = QFileInfo(path).fileName();
        read.error = read.error.startsWith(own)
                         ? QStringLiteral("Popis formulára „%1“ %2").arg(name, read.error.mid(own.size()))
                         : QStringLiteral("Popis formulára „%1“: %2").arg(name, read.error);
    }
    return read;
}

QByteArray WriteUserLayout(const UserLayout& l)
{
    QByteArray out = "{\n";
    out += "  \"format\": \"zelvana-form\", \"version\": " + QByteArray::number(UserLayoutVersion) + ",\n";
    out += "  \"name\": " + quoted(l.name) + ",\n";
    out += "  \"size_mm\": [" + mm(l.widthMm) + ", " + mm(l.heightMm) + "],\n";
    out += "  \"page\": { \"paper\": " + quoted(l.paper) + ", \"offset_mm\": [" + mm(l.offsetXMm) + ", " + mm(l.offsetYMm)
           + "], \"rotation\": " + QByteArray::number(l.rotation) + " },\n";
    out += "  \"font\": " + fontJson(l.font) + ",\n";
    if (!l.background.isEmpty())
        out += "  \"background\": " + quoted(l.background) + ",\n";
    out += "  \"fields\": [";
    for (qsizetype i = 0; i < l.fields.size(); ++i)
        out += (i ? ",\n" : "\n") + fieldJson(l.fields[i]);
    out += l.fields.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}
