#include "core/batch/JobJournal.h"

#include "core/forms/Forms.h"
#include "core/forms/payment/PayBySquare.h"
#include "core/forms/user/UserForm.h"
#include "core/print/PrintCanvas.h"

#include <QFile>
#include <QSaveFile>

bool JournalKept(const QString& programFolder)
{
    QFile file(programFolder + JournalSwitchFile);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    // One line, "viest=0" or "viest=1"; anything else keeps the journal.
    return file.read(64).trimmed() != "viest=0";
}

QString KeepJournal(const QString& programFolder, bool kept)
{
    QSaveFile file(programFolder + JournalSwitchFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(kept ? "viest=1\n" : "viest=0\n") < 0 || !file.commit())
        return QStringLiteral("Nastavenie histórie tlače sa nepodarilo uložiť do súboru „%1“: %2.")
            .arg(file.fileName(), file.errorString());
    return {};
}

namespace {

JournalPage pageOf(const FormDescription& form, const FormPage& page, int number)
{
    JournalPage out;
    out.number = number;
    for (const QString& name : form.fieldNames())
        if (page.texts.has(name.toStdString()))
            out.fields.append({name, page.texts.text(name)});
    // What the page's code says, as a bank app reads it.
    if (form.payload)
        out.payload = form.payload(page.texts);
    else if (form.kind == FormKind::Payment)
        if (const PaymentCheck check = CheckPayment(PaymentOrderOf(page.texts)); check.payment)
            out.payload = PayBySquareText(*check.payment).value_or(QString());
    return out;
}

} // namespace

std::pair<JobTarget, QString> TargetOf(const PrintCanvas& canvas)
{
    const QString file = canvas.outputFile();
    return file.isEmpty() ? std::pair{JobTarget::Printer, canvas.printerName()} : std::pair{JobTarget::Pdf, file};
}

JournalJob JournalJobOf(const PrintedJob& job)
{
    JournalJob out;
    out.time = QDateTime::currentDateTimeUtc();
    // A user form is kept with its layout as printed, so its pages can be
    // printed again after the file changed.
    out.form = job.form.kind == FormKind::User
                   ? JournalForm::user(QString::fromUtf8(job.form.caption), QString::fromUtf8(job.form.layoutBytes))
                   : JournalForm::of(job.form.kind);
    out.target = job.target;
    out.targetName = job.targetName;
    out.source = job.source;
    out.sourceFile = job.table;
    out.outcome = job.printed ? JobOutcome::Printed : JobOutcome::Failed;
    out.message = job.failure;
    for (qsizetype i = 0; i < job.pages.size(); ++i)
        out.pages.append(pageOf(job.form, job.pages[i], static_cast<int>(i + 1)));
    return out;
}

QString RecordPrintedJob(const QString& programFolder, const PrintedJob& job)
{
    if (!JournalKept(programFolder))
        return {};
    JournalOpen opened = Journal::open(programFolder);
    if (!opened.journal)
        return opened.message;
    QString why;
    if (!opened.journal->record(JournalJobOf(job), why))
        return opened.message.isEmpty() ? why : opened.message + QLatin1Char('\n') + why;
    return opened.message; // a damaged journal set aside: the user is told where
}

std::shared_ptr<const FormDescription> FormOfJob(const JournalForm& form, const QString& programFolder, QString& why)
{
    if (const std::optional<FormKind> kind = form.kind())
        return std::shared_ptr<const FormDescription>(std::shared_ptr<void>(), &Form(*kind)); // never freed
    if (form.builtIn || form.layout.isEmpty()) {
        why = QStringLiteral("Formulár „%1“ tento program nepozná.").arg(form.name);
        return nullptr;
    }
    const UserLayoutRead read = ParseUserLayout(form.layout.toUtf8());
    if (!read.layout) {
        why = QStringLiteral("Popis formulára „%1“ v histórii sa nedá prečítať: %2").arg(form.name, read.error);
        return nullptr;
    }
    return MakeUserForm(*read.layout, {}, form.layout.toUtf8(), programFolder);
}
