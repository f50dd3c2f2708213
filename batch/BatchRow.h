#pragma once
// One table row as a user would type it into a new window: the checks a row
// must pass, and the texts the window would then print.
#include "batch/Table.h"
#include "envelopes/EnvelopePrint.h"
#include "settings/PersonalData.h"
#include "settings/ProgramSettings.h"
#include "slips/FieldTexts.h"
#include "slips/Layout.h"
#include "slips/SlipControls.h"

#include <QHash>
#include <optional>

struct BatchContext {
    DocumentForm form = DocumentForm::SlipA;
    ProgramSettings settings;
    PersonalData personal;
    QString programFolder; // with a trailing separator; the templates are in its data/
    QString templateOverride; // an envelope template chosen for every row without its own
};

struct BatchProblem {
    int line = 0;
    QString column; // empty for the row as a whole
    QString text;
    QString message() const;
};

// Templates read once per name; a name that cannot be read keeps its reason.
class TemplateCache {
public:
    // The template, or nothing and `why` set.
    std::optional<EnvelopeTemplate> get(const QString& programFolder, const QString& name, QString* why);

private:
    struct Entry {
        std::optional<EnvelopeTemplate> t;
        QString why;
    };
    QHash<QString, Entry> entries_;
};

// The header's columns, each checked to be a control of the form.
struct BatchHeader {
    QStringList columns;
    // Problems of the header itself (line 1).
    static BatchHeader read(DocumentForm form, const TableRow& header, QList<BatchProblem>& problems);
};

// Appends every problem of `row` to `problems`.
void CheckRow(const BatchContext& context, const BatchHeader& header, const TableRow& row, TemplateCache& templates,
              QList<BatchProblem>& problems);

// Every control's text after a new window was filled and the row typed in.
QHash<QString, QString> RowControlTexts(const BatchContext& context, const BatchHeader& header, const TableRow& row);
// The texts a slip print reads, from the controls' texts.
FieldTexts SlipFieldTexts(DocumentForm form, const QHash<QString, QString>& controls);
// The lines an envelope print reads.
EnvelopeLines EnvelopeLinesOf(const QHash<QString, QString>& controls);

// The slip's layout, the form's areas and its reference R (mm).
std::span<const LayoutRow> FormLayout(DocumentForm form);
std::span<const AreaSpan> FormAreas(DocumentForm form);
int FormReferenceMm(DocumentForm form);
// "A", "C", "D" or "obálka", as the user names the form.
QString FormName(DocumentForm form);
