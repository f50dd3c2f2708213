#include "core/batch/BatchFit.h"

BatchFit CheckTableFit(const BatchContext& context, const BatchCheck& check, const PrintCanvas& like,
                       const FormShift& shift, CheckProgress* progress)
{
    BatchFit fit;
    for (qsizetype i = 0; i < check.pages.size(); ++i) {
        if (progress) {
            if (progress->stop)
                break;
            progress->rows = int(i + 1);
        }
        const FitReport report = CheckPageFit(context.description(), check.pages[i], like, shift);
        const int line = check.pageLines.value(i);
        for (const QString& field : report.offPage)
            fit.offPage.append({line, field, OffPageProblem});
        for (const QString& field : report.intoOther)
            fit.intoOther.append({line, field, IntoOtherProblem});
    }
    return fit;
}
