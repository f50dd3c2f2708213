#include "batch/BatchRow.h"

#include "envelopes/TemplateName.h"
#include "slips/PersonalFill.h"
#include "slips/TextWrap.h"
#include "words/WordsLines.h"

#include <QFile>
#include <QSet>

QString BatchProblem::message() const
{
    if (column.isEmpty())
        return QStringLiteral("Riadok %1: %2").arg(line).arg(text);
    return QStringLiteral("Riadok %1, stĺpec „%2“: %3").arg(line).arg(column, text);
}

std::optional<EnvelopeTemplate> TemplateCache::get(const QString& programFolder, const QString& name, QString* why)
{
    auto it = entries_.find(name);
    if (it == entries_.end()) {
        Entry e;
        if (!IsPlainFileName(name)) {
            e.why = QStringLiteral("názov šablóny nie je názov súboru v priečinku data");
        } else {
            try {
                e.t = ReadTemplateFile(QFile::encodeName(TemplatePath(programFolder, name)).toStdString());
            } catch (const FileError& error) {
                e.why = QString::fromLocal8Bit(error.what());
            }
        }
        it = entries_.insert(name, e);
    }
    if (why)
        *why = it->why;
    return it->t;
}

BatchHeader BatchHeader::read(DocumentForm form, const TableRow& header, QList<BatchProblem>& problems)
{
    BatchHeader h;
    QSet<QString> seen;
    for (const QString& raw : header.cells) {
        const QString name = raw.trimmed();
        h.columns << name;
        if (!FindControl(form, name)) {
            QStringList known;
            for (const ControlSpec& c : FormControls(form))
                known << QString::fromLatin1(c.name);
            problems.append({header.line, name,
                             QStringLiteral("taký stĺpec formulár %1 nemá; má tieto: %2")
                                 .arg(FormName(form), known.join(QStringLiteral(", ")))});
        } else if (seen.contains(name)) {
            problems.append({header.line, name, QStringLiteral("stĺpec je v hlavičke viackrát")});
        }
        seen.insert(name);
    }
    return h;
}

namespace {

bool allDigits(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// A memo takes a line break as Enter does: one line feed.
QString memoText(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

} // namespace

void CheckRow(const BatchContext& context, const BatchHeader& header, const TableRow& row, TemplateCache& templates,
              QList<BatchProblem>& problems)
{
    if (row.cells.size() != header.columns.size()) {
        problems.append({row.line, {},
                         QStringLiteral("riadok má %1 buniek, hlavička %2 stĺpcov").arg(row.cells.size()).arg(header.columns.size())});
        return;
    }
    for (qsizetype i = 0; i < row.cells.size(); ++i) {
        const QString& name = header.columns[i];
        const ControlSpec* spec = FindControl(context.form, name);
        if (!spec)
            continue; // told once, at the header
        const bool memo = spec->kind == ControlKind::Memo;
        const QString cell = memo ? memoText(row.cells[i]) : row.cells[i];
        auto problem = [&](const QString& text) { problems.append({row.line, name, text}); };
        if (cell.size() > spec->maxLength) {
            problem(QStringLiteral("text má %1 znakov, pole ich prijme najviac %2").arg(cell.size()).arg(spec->maxLength));
            continue;
        }
        if ((name == QLatin1String("suma") || name == QLatin1String("hal")) && !allDigits(cell)) {
            problem(QStringLiteral("suma smie obsahovať len číslice 0 až 9, nie „%1“").arg(cell));
            continue;
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
    if (context.form == DocumentForm::Envelope) {
        const QString name = RowControlTexts(context, header, row).value(QStringLiteral("sablona"));
        QString why;
        if (!templates.get(context.programFolder, name, &why))
            problems.append({row.line, header.columns.contains(QStringLiteral("sablona")) ? QStringLiteral("sablona") : QString(),
                             QStringLiteral("šablónu obálky „%1“ sa nepodarilo otvoriť (%2)").arg(name, why)});
    }
}

QHash<QString, QString> RowControlTexts(const BatchContext& context, const BatchHeader& header, const TableRow& row)
{
    const DocumentForm form = context.form;
    QHash<QString, QString> texts;
    for (const ControlSpec& c : FormControls(form))
        texts.insert(QString::fromLatin1(c.name), QString());
    if (form != DocumentForm::Envelope) {
        texts[QStringLiteral("suma")] = QStringLiteral("0");
        texts[QStringLiteral("hal")] = InitialHal(form);
    }
    // What the new window fills in, cut to each control's limit as setText cuts it.
    for (const auto& [name, text] : PersonalFill(form, context.settings, context.personal)) {
        const ControlSpec* spec = FindControl(form, name);
        texts[name] = spec && spec->kind != ControlKind::Memo ? text.left(spec->maxLength) : text;
    }
    if (form == DocumentForm::Envelope && !context.templateOverride.isEmpty())
        texts[QStringLiteral("sablona")] = context.templateOverride;

    const bool words = context.settings.flag(Flag::AutoAmountInWords);
    auto type = [&](const ControlSpec& c) {
        const QString name = QString::fromLatin1(c.name);
        const qsizetype column = header.columns.indexOf(name);
        if (column < 0 || column >= row.cells.size())
            return;
        const QString cell = c.kind == ControlKind::Memo ? memoText(row.cells[column]) : row.cells[column];
        const QString before = texts.value(name);
        texts[name] = cell;
        // Typing over a text, or into an empty field, changes it: the words follow.
        if (!words || (before.isEmpty() && cell.isEmpty()))
            return;
        if (name == QLatin1String("suma")) {
            if (const auto lines = CrownsInWords(toCp1250(cell))) {
                texts[QStringLiteral("slovom1")] = fromCp1250(lines->slovom1);
                texts[QStringLiteral("slovom2")] = fromCp1250(lines->slovom2);
            }
        } else if (name == QLatin1String("hal")) {
            if (const auto line = HellersInWords(toCp1250(cell)))
                texts[QStringLiteral("slovomh")] = fromCp1250(*line);
        }
    };
    for (const ControlSpec& c : FormControls(form))
        if (c.kind != ControlKind::Words)
            type(c);
    // Words lines the row gives itself win over the ones the amount wrote; an
    // empty words cell leaves the words to the amount.
    for (const ControlSpec& c : FormControls(form)) {
        const qsizetype column = header.columns.indexOf(QString::fromLatin1(c.name));
        if (c.kind == ControlKind::Words && column >= 0 && column < row.cells.size() && !row.cells[column].isEmpty())
            type(c);
    }
    return texts;
}

FieldTexts SlipFieldTexts(DocumentForm form, const QHash<QString, QString>& controls)
{
    FieldTexts fields;
    for (const ControlSpec& c : FormControls(form)) {
        const QString name = QString::fromLatin1(c.name);
        const QString text = controls.value(name);
        if (c.kind == ControlKind::Memo)
            fields.setMemo(name, text, WrapLines(text, SlipMemoFont(), SlipMemoWrapWidth));
        else
            fields.setText(name, text);
    }
    return fields;
}

EnvelopeLines EnvelopeLinesOf(const QHash<QString, QString>& controls)
{
    return {MemoTextLines(controls.value(QStringLiteral("od"))), MemoTextLines(controls.value(QStringLiteral("pozn"))),
            MemoTextLines(controls.value(QStringLiteral("adr")))};
}

std::span<const LayoutRow> FormLayout(DocumentForm form)
{
    switch (form) {
    case DocumentForm::SlipA:
        return SlipALayout();
    case DocumentForm::SlipC:
        return SlipCLayout();
    case DocumentForm::SlipD:
        return SlipDLayout();
    case DocumentForm::Envelope:
        break;
    }
    return {};
}

std::span<const AreaSpan> FormAreas(DocumentForm form)
{
    switch (form) {
    case DocumentForm::SlipA:
        return SlipAAreas();
    case DocumentForm::SlipC:
        return SlipCAreas();
    case DocumentForm::SlipD:
        return SlipDAreas();
    case DocumentForm::Envelope:
        break;
    }
    return {};
}

int FormReferenceMm(DocumentForm form) { return form == DocumentForm::SlipD ? 104 : 102; }

QString FormName(DocumentForm form)
{
    switch (form) {
    case DocumentForm::SlipA:
        return QStringLiteral("A");
    case DocumentForm::SlipC:
        return QStringLiteral("C");
    case DocumentForm::SlipD:
        return QStringLiteral("D");
    case DocumentForm::Envelope:
        return QStringLiteral("obálka");
    }
    return {};
}
