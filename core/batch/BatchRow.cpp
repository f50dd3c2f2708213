#include "core/batch/BatchRow.h"

#include "core/forms/envelope/TemplateName.h"
#include "core/base/Cp1250.h"
#include "core/base/SlovakCount.h"
#include "core/print/PageRenderer.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

QString BatchProblem::message() const
{
    if (column.isEmpty())
        return QStringLiteral("Riadok %1: %2").arg(line).arg(text);
    return QStringLiteral("Riadok %1, stĺpec „%2“: %3").arg(line).arg(column, text);
}

BatchHeader BatchHeader::read(const FormDescription& form, const TableRow& header, QList<BatchProblem>& problems)
{
    BatchHeader h;
    QSet<QString> seen;
    for (const QString& raw : header.cells) {
        const QString name = raw.trimmed();
        h.columns << name;
        if (!form.field(name)) {
            problems.append({header.line, name,
                             QStringLiteral("taký stĺpec formulár %1 nemá; má tieto: %2")
                                 .arg(QString::fromUtf8(form.userName), form.fieldNames().join(QStringLiteral(", ")))});
        } else if (seen.contains(name)) {
            problems.append({header.line, name, QStringLiteral("stĺpec je v hlavičke viackrát")});
        }
        seen.insert(name);
    }
    return h;
}

namespace {

// An amount written as on a payment in euros ("1 250,50") in the field for
// whole crowns: say where each part goes instead of only that it is too long.
QString AmountHint(const FormDescription& form, const QString& field, const QString& cell)
{
    // Only a slip splits the amount into crowns and a hellers field.
    if (!IsSlip(form.kind) || field != QLatin1String("suma"))
        return {};
    static const QRegularExpression written(QStringLiteral("^\\s*(\\d{1,3}(?:[ \u00A0.]\\d{3})*|\\d+)(?:[,.](\\d{1,2}))?\\s*$"));
    const QRegularExpressionMatch m = written.match(cell);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && !cell.contains(QLatin1Char(' '))))
        return {};
    QString crowns = m.captured(1);
    crowns.remove(QRegularExpression(QStringLiteral("[^0-9]")));
    const QString hellers = m.captured(2);
    QString advice = QStringLiteral("suma berie len celé koruny, bez medzier a bez čiarky; halier patrí do stĺpca hal");
    if (hellers.size() == 2 && hellers.endsWith(QLatin1Char('0')))
        advice += QStringLiteral(" (desiatky halierov jednou číslicou): pre „%1“ zapíšte suma %2 a hal %3").arg(cell, crowns, hellers.left(1));
    else if (hellers.size() == 1)
        advice += QStringLiteral(" (desiatky halierov jednou číslicou): pre „%1“ zapíšte suma %2 a hal %3").arg(cell, crowns, hellers);
    else if (hellers.isEmpty())
        advice += QStringLiteral(": pre „%1“ zapíšte suma %2").arg(cell, crowns);
    else
        advice += QStringLiteral("; hal berie len desiatky halierov, jednou číslicou");
    return advice;
}

// A memo takes a line break as Enter does: one line feed.
QString memoText(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace

std::optional<FormPage> CheckRow(const BatchContext& context, const BatchHeader& header, const TableRow& row,
                                 FrameCache& frames, QList<BatchProblem>& problems)
{
    const FormDescription& form = context.description();
    const qsizetype before = problems.size();
    if (row.cells.size() != header.columns.size()) {
        problems.append({row.line, {},
                         QStringLiteral("riadok má %1, hlavička %2")
                             .arg(CountOf(row.cells.size(), "bunku", "bunky", "buniek"),
                                  CountOf(header.columns.size(), "stĺpec", "stĺpce", "stĺpcov"))});
        return std::nullopt;
    }
    for (qsizetype i = 0; i < row.cells.size(); ++i) {
        const QString& name = header.columns[i];
        const FieldSpec* spec = form.field(name);
        if (!spec)
            continue; // told once, at the header
        const bool memo = spec->kind == FieldKind::Memo;
        const QString cell = memo ? memoText(row.cells[i]) : row.cells[i];
        auto problem = [&](const QString& text) { problems.append({row.line, name, text}); };
        if (const QString hint = AmountHint(form, name, cell); !hint.isEmpty()) {
            problem(hint);
            continue;
        }
        if (cell.size() > spec->maxLength) {
            problem(QStringLiteral("text má %1, pole ich prijme najviac %2").arg(CharactersText(cell.size())).arg(spec->maxLength));
            continue;
        }
        // A slip's rules are each one field's own, so a cell is told of them
        // among its other faults; a payment's rules read the whole row, after.
        if (IsSlip(form.kind) && form.check) {
            FieldTexts alone;
            alone.setText(name, cell);
            if (const QList<FieldProblem> refused = form.check(context.programFolder, alone); !refused.isEmpty()) {
                problem(refused.first().text);
                continue;
            }
        }
        if (!fitsCp1250(cell)) {
            problem(QStringLiteral("obsahuje znak, ktorý program nevie vytlačiť (nie je v kódovej stránke 1250)"));
            continue;
        }
        bool control = false, lineBreak = false;
        for (QChar c : cell) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                lineBreak = true;
            else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                control = true;
        }
        if (control)
            problem(QStringLiteral("obsahuje neviditeľný riadiaci znak"));
        else if (lineBreak && !memo)
            problem(QStringLiteral("pole má jediný riadok, bunka však obsahuje zalomenie riadka"));
    }
    if (problems.size() != before)
        return std::nullopt;
    FieldTexts texts = RowFieldTexts(context, header, row);
    if (form.check) {
        // A fault of a field the row does not give lies in the personal data.
        for (const FieldProblem& p : form.check(context.programFolder, texts))
            problems.append({row.line, header.columns.contains(p.field) ? p.field : QString(), p.text});
        if (problems.size() != before)
            return std::nullopt;
    }
    const FrameResult frame = form.frame(form, context.settings, context.programFolder, texts, &frames);
    if (!frame.frame) {
        // Only a template can leave a page without a frame.
        const QString name = texts.text("sablona");
        problems.append({row.line, header.columns.contains(QStringLiteral("sablona")) ? QStringLiteral("sablona") : QString(),
                         QStringLiteral("šablónu obálky „%1“ sa nepodarilo otvoriť (%2)").arg(name, frame.why)});
        return std::nullopt;
    }
    // Made once here, the page's code serves the dry run and the print alike.
    FormPage page{*frame.frame, PrintTexts(form, texts)};
    PreparePage(form, page);
    return page;
}

FieldTexts RowFieldTexts(const BatchContext& context, const BatchHeader& header, const TableRow& row)
{
    const FormDescription& form = context.description();
    QHash<QString, QString> texts;
    for (const FieldSpec& c : form.fields)
        texts.insert(QString::fromLatin1(c.name), QString::fromLatin1(c.initial));
    // What the new window fills in, cut to each control's limit as setText cuts it.
    const FieldTexts filled = form.fill(context.settings, context.personal);
    for (const QString& name : filled.fields()) {
        const FieldSpec* spec = form.field(name);
        texts[name] = spec && spec->kind != FieldKind::Memo ? filled.text(name).left(spec->maxLength) : filled.text(name);
    }
    if (form.field(QStringLiteral("sablona")) && !context.templateOverride.isEmpty())
        texts[QStringLiteral("sablona")] = context.templateOverride;

    const bool words = context.settings.flag(Flag::AutoAmountInWords);
    auto type = [&](const FieldSpec& c) {
        const QString name = QString::fromLatin1(c.name);
        const qsizetype column = header.columns.indexOf(name);
        if (column < 0 || column >= row.cells.size())
            return;
        const QString cell = c.kind == FieldKind::Memo ? memoText(row.cells[column]) : row.cells[column];
        const QString before = texts.value(name);
        texts[name] = cell;
        // Typing over a text, or into an empty field, changes it: the words follow.
        if (!words || !form.amountWords || (before.isEmpty() && cell.isEmpty()))
            return;
        if (const std::optional<FieldTexts> lines = form.amountWords(name, cell))
            for (const QString& line : lines->fields())
                texts[line] = lines->text(line);
    };
    for (const FieldSpec& c : form.fields)
        if (c.kind != FieldKind::Words)
            type(c);
    // Words lines the row gives itself win over the ones the amount wrote; an
    // empty words cell leaves the words to the amount.
    for (const FieldSpec& c : form.fields) {
        const qsizetype column = header.columns.indexOf(QString::fromLatin1(c.name));
        if (c.kind == FieldKind::Words && column >= 0 && column < row.cells.size() && !row.cells[column].isEmpty())
            type(c);
    }
    FieldTexts out;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        out.setText(it.key(), it.value());
    return out;
}
