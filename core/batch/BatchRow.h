#pragma once
// One table row as a user would type it into a new window: the checks a row
// must pass, and the page the window would then print.
#include "core/batch/Table.h"
#include "core/forms/Forms.h"
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"

#include <optional>

struct BatchContext {
    FormKind form = FormKind::SlipA;
    ProgramSettings settings;
    PersonalData personal;
    QString programFolder; // with a trailing separator; the templates are in its data/
    QString templateOverride; // an envelope template chosen for every row without its own
    std::shared_ptr<const FormDescription> userForm; // the form when it is a user form
    const FormDescription& description() const { return userForm ? *userForm : Form(form); }
};

struct BatchProblem {
    int line = 0;
    QString column; // empty for the row as a whole
    QString text;
    QString message() const;
};

// The header's columns, each checked to be a field of the form.
struct BatchHeader {
    QStringList columns;
    // Problems of the header itself (line 1).
    static BatchHeader read(const FormDescription& form, const TableRow& header, QList<BatchProblem>& problems);
};

// Appends every problem of `row` to `problems`; returns the page the row
// prints when it has none. `frames` keeps the templates read so far.
std::optional<FormPage> CheckRow(const BatchContext& context, const BatchHeader& header, const TableRow& row,
                                 FrameCache& frames, QList<BatchProblem>& problems);

// Every field's text after a new window was filled and the row typed in.
FieldTexts RowFieldTexts(const BatchContext& context, const BatchHeader& header, const TableRow& row);
