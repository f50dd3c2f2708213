#pragma once
// A table printed as one PDF file a row: NAME-0001.pdf, NAME-0002.pdf ...
// Each file is written as a single output is, under the same rules: through
// a scratch name beside it, renamed only once it is whole.
#include "core/print/PageRenderer.h"

#include <QList>

// "out/platby.pdf", 2 -> "out/platby-0002.pdf" (a name without ".pdf" gets it).
QString SplitFileName(const QString& output, int number);

struct SplitOutcome {
    int files = 0;   // written whole, from the first on
    QString problem; // why the next one was not, in Slovak; empty when all were
};

SplitOutcome PrintSplitPdf(const FormDescription& form, std::span<const FormPage> pages, const QString& output,
                           const FormShift& shift, bool sketch);
