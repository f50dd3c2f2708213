#include "core/forms/user/UserForm.h"

#include "core/forms/payment/BankCodes.h"
#include "core/forms/payment/Iban.h"
#include "core/forms/payment/PaymentForm.h"
#include "core/forms/payment/PaymentText.h"
#include "core/forms/user/UserFieldText.h"
#include "core/forms/user/UserPage.h"
#include "core/forms/user/UserPlacement.h"
#include "core/records/PersonalJoins.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <deque>
#include <mutex>

namespace {

// What a user form's description points into, and what it makes once.
struct UserFormData {
    UserLayout layout;
    QString folder; // the layout file's, with a trailing separator
    QString programFolder;
    QByteArray caption, optionName;
    std::deque<QByteArray> names; // FieldSpec::name and caption point in here
    std::vector<FieldSpec> specs;
    std::vector<const char*> cleared;

    std::once_flag banksRead, backgroundRead;
    BankCodes banks;
    QImage background;

    QString bicOf(const QString& iban)
    {
        std::call_once(banksRead, [this] { banks = BankCodes::load(programFolder); });
        const QString code = SlovakBankCode(iban);
        return code.isEmpty() ? QString() : banks.bic(code);
    }
    const QImage& scan()
    {
        std::call_once(backgroundRead, [this] {
            if (layout.background.isEmpty())
                return;
            QImageReader reader(folder + layout.background);
            reader.setAutoTransform(true);
            background = reader.read();
        });
        return background;
    }
    const char* keep(const QByteArray& bytes) { return names.emplace_back(bytes).constData(); }
};

const std::pair<const char*, Personal> FillNames[] = {
    {"meno", Personal::meno}, {"priezvisko", Personal::priezvisko}, {"titul", Personal::titul},
    {"ulica", Personal::ulica}, {"cd", Personal::cd}, {"psc", Personal::psc}, {"mesto", Personal::mesto},
    {"stat", Personal::stat}, {"CU", Personal::CU}, {"PU", Personal::PU}, {"nazov", Personal::nazov},
    {"ksymbol", Personal::ksymbol}};

// "{titul} {meno} {priezvisko}" with the personal data; each line's blanks
// run together, as a missing title leaves none in front.
QString filled(const QString& pattern, const PersonalData& p)
{
    static const QRegularExpression name(QStringLiteral("\\{([A-Za-z]+)\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = name.globalMatch(pattern); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += pattern.mid(from, m.capturedStart() - from);
        from = m.capturedEnd();
        const QString key = m.captured(1);
        if (key == QLatin1String("iban")) {
            out += PersonalIban(p);
            continue;
        }
        bool known = false;
        for (const auto& [n, field] : FillNames)
            if (key == QLatin1String(n)) {
                QString text = PersonalText(p, field);
                out += text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                known = true;
            }
        if (!known)
            out += m.captured(0);
    }
    out += pattern.mid(from);
    QStringList lines = out.split(QLatin1Char('\n'));
    for (QString& l : lines)
        l = l.simplified();
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}

QString rotationText(int rotation)
{
    return rotation == 0 ? QStringLiteral("nepootočený") : QStringLiteral("otočený o %1° v smere hodinových ručičiek").arg(rotation);
}

QString mm(double v) { return QString::number(v, 'g', 6).replace(QLatin1Char('.'), QLatin1Char(',')); }

} // namespace

std::shared_ptr<const FormDescription> MakeUserForm(const UserLayout& layout, const QString& file,
                                                    const QByteArray& bytes, const QString& programFolder)
{
    auto data = std::make_shared<UserFormData>();
    data->layout = layout;
    data->folder = file.isEmpty() ? QString() : QFileInfo(file).absolutePath() + QLatin1Char('/');
    data->programFolder = programFolder;
    data->caption = layout.name.toUtf8();
    data->optionName = QFileInfo(file).completeBaseName().toUtf8();
    for (const UserField& f : layout.fields) {
        if (f.kind == UserFieldKind::Static || f.kind == UserFieldKind::PayBySquare)
            continue;
        FieldSpec spec{data->keep(f.name.toLatin1()),
                       f.kind == UserFieldKind::Words ? FieldKind::Words
                       : f.kind == UserFieldKind::Text && f.lines > 1 ? FieldKind::Memo
                                                                      : FieldKind::Line,
                       f.maxChars > 0 && f.lines <= 1 ? f.maxChars : DefaultMaxLength, "",
                       data->keep(FieldTitle(f).toUtf8())};
        data->specs.push_back(spec);
        if (!f.fill.isEmpty())
            data->cleared.push_back(spec.name);
    }
    UserFormData* d = data.get();
    const BicLookup bic = [d](const QString& iban) { return d->bicOf(iban); };
    auto form = std::make_shared<FormDescription>(FormDescription{
        FormKind::User, d->caption.constData(), d->caption.constData(), d->optionName.constData(), 0, {}, {},
        std::span<const FieldSpec>(d->specs),
        [d](const ProgramSettings&, const PersonalData& p) {
            FieldTexts t;
            for (const UserField& f : d->layout.fields)
                if (!f.fill.isEmpty() && !f.name.isEmpty()) {
                    const QString text = filled(f.fill, p);
                    // A record's lines (an account's name) run on in a one-line field.
                    t.setText(f.name, f.kind == UserFieldKind::Text && f.lines > 1
                                          ? text
                                          : QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
                }
            return t;
        },
        TypedLines,
        [d](const FormDescription&, const ProgramSettings&, const QString&, const FieldTexts&, FrameCache*) {
            PageFrame frame;
            frame.font = BaseFont{static_cast<std::int32_t>(d->layout.font.sizePt), d->layout.font.family};
            return FrameResult{frame, {}};
        },
        [d, bic](const FormDescription&, PrintCanvas& canvas, const PageMeasures& page, const FormPage& p) {
            const auto* made = dynamic_cast<const UserCodes*>(p.made.get());
            if (made && made->madeFrom(p.texts)) {
                DrawUserPage(canvas, page, d->layout, p.texts, *made);
                return;
            }
            DrawUserPage(canvas, page, d->layout, p.texts, UserCodes(d->layout, p.texts, bic));
        },
        [d](const FormDescription&, const PageMeasures& page, const PageFrame&, SketchUse use) {
            return UserPageGuide(d->layout, use == SketchUse::UnderText ? &d->scan() : nullptr, page, use);
        },
        [d](const PageFrame*) {
            const UserLayout& l = d->layout;
            return QStringLiteral("Formulár %1 × %2 mm na papieri %3, %4, %5 mm zľava a %6 mm zhora.")
                .arg(mm(l.widthMm), mm(l.heightMm), l.paper, rotationText(l.rotation), mm(l.offsetXMm),
                     mm(l.offsetYMm));
        },
        [d, bic](const QString&, FieldTexts& texts) {
            QList<FieldProblem> problems;
            const UserLayout& l = d->layout;
            for (const UserField& f : l.fields) {
                if (f.kind == UserFieldKind::Words) // the words follow the amount
                    texts.setText(f.name, PrintedLines(l, f, {}, texts.text(f.source)).value(0));
                if (const QString why = TypedProblem(f, texts.text(f.name)); !why.isEmpty())
                    problems.append({f.name, why});
            }
            if (!problems.isEmpty())
                return problems;
            problems = FitProblems(l, texts);
            for (const UserField& f : l.fields)
                if (f.kind == UserFieldKind::PayBySquare) {
                    const UserPayload p = UserPaymentPayload(l, f, texts, bic);
                    if (p.text)
                        continue;
                    // Told by the field it comes from, as that is where the user mends it.
                    const QString prefix = PaymentFieldName(p.field) + QStringLiteral(": ");
                    const UserField* from = l.field(UserFieldOf(f.payment, p.field));
                    if (from && p.problem.startsWith(prefix))
                        problems.append({from->name, FieldTitle(*from) + QStringLiteral(": ") + p.problem.mid(prefix.size())});
                    else
                        problems.append({f.name, QStringLiteral("%1: %2").arg(FieldTitle(f), p.problem)});
                }
            return problems;
        },
        [d, bic](const FieldTexts& texts) -> std::shared_ptr<const PageArtefact> {
            return std::make_shared<const UserCodes>(d->layout, texts, bic);
        },
        [d](const QString& field, const QString& text) -> std::optional<FieldTexts> {
            const UserField* amount = d->layout.field(field);
            if (!amount || amount->kind != UserFieldKind::Amount)
                return FieldTexts{};
            if (!text.trimmed().isEmpty() && !ParseEuroCents(text))
                return std::nullopt;
            FieldTexts words;
            for (const UserField& f : d->layout.fields)
                if (f.kind == UserFieldKind::Words && f.source == field)
                    words.setText(f.name, PrintedLines(d->layout, f, {}, text).value(0));
            return words;
        },
        std::span<const char* const>(d->cleared)});
    form->keep = data;
    form->layoutFile = file;
    form->layoutBytes = bytes;
    form->readingShift = [d](const FormShift& asRead) { return ShiftAsSlips(d->layout, asRead); };
    form->payload = [d, bic](const FieldTexts& texts) {
        for (const UserField& f : d->layout.fields)
            if (f.kind == UserFieldKind::PayBySquare)
                return UserPaymentPayload(d->layout, f, texts, bic).text.value_or(QString());
        return QString();
    };
    return form;
}

UserFormRead LoadUserForm(const QString& path, const QString& programFolder)
{
    UserFormRead out;
    QByteArray bytes;
    const UserLayoutRead read = LoadUserLayout(path, &bytes);
    out.error = read.error;
    out.warnings = read.warnings;
    if (!read.layout)
        return out;
    out.form = MakeUserForm(*read.layout, QFileInfo(path).absoluteFilePath(), bytes, programFolder);
    return out;
}

const UserLayout* LayoutOf(const FormDescription& form)
{
    if (form.kind != FormKind::User || !form.keep)
        return nullptr;
    return &static_cast<const UserFormData*>(form.keep.get())->layout;
}

QList<UserFormEntry> UserFormsIn(const QString& programFolder)
{
    QList<UserFormEntry> out;
    const QDir dir(programFolder + UserFormsFolder);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name))
        if (const UserLayoutRead read = LoadUserLayout(file.absoluteFilePath()); read.layout)
            out.append({read.layout->name, file.absoluteFilePath(), {}});
        else
            out.append({file.fileName(), file.absoluteFilePath(), read.error});
    return out;
}

QString UserFormFile(const QString& value, const QString& programFolder)
{
    if (value.endsWith(QLatin1String(".json"), Qt::CaseInsensitive) || value.contains(QLatin1Char('/')))
        return QFileInfo::exists(value) ? QFileInfo(value).absoluteFilePath() : QString();
    const QString named = programFolder + UserFormsFolder + value + QStringLiteral(".json");
    if (QFileInfo::exists(named))
        return named;
    for (const UserFormEntry& e : UserFormsIn(programFolder))
        if (e.error.isEmpty() && e.name.compare(value, Qt::CaseInsensitive) == 0)
            return e.path;
    return {};
}
