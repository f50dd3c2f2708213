#pragma once
// The dry run of every page of a checked table on one printer: the rows whose
// texts would fall off the page or run into another part of the form.
#include "core/batch/BatchJob.h"
#include "core/print/PageFit.h"

struct BatchFit {
    QList<BatchProblem> offPage;   // bad rows unless forced
    QList<BatchProblem> intoOther; // printed, with a warning
};

BatchFit CheckTableFit(const BatchContext& context, const BatchCheck& check, const PrintCanvas& like,
                       const FormShift& shift, CheckProgress* progress = nullptr);

inline const QString OffPageProblem = QStringLiteral("text by padol mimo tlačovej plochy");
inline const QString IntoOtherProblem
    = QStringLiteral("text by zasiahol do iného textu, do inej časti formulára alebo za jeho okraj");
