#include "cli/BatchCommand.h"

#include "core/batch/BatchFit.h"
#include "core/batch/BatchJob.h"
#include "core/batch/JobChecks.h"
#include "core/batch/JobJournal.h"
#include "cli/HistoryCommand.h"
#include "core/records/RecordsReadOnly.h"
#include "printer/SplitPdf.h"
#include "core/base/Cp1250.h"
#include "core/forms/envelope/EnvelopeForm.h"
#include "core/forms/payment/PaymentOrder.h"
#include "core/forms/user/UserForm.h"
#include "printer/ChosenPrinter.h"
#include "core/print/PrintCanvas.h"
#include "core/print/QtPrintCanvas.h"
#include "core/print/SafeOutput.h"

#include <QCommandLineParser>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

const QString BatchHelpText = QStringLiteral(
    "Použitie: zelvana-batch --form A|C|D|obalka|platba|NÁZOV --input TABUĽKA (--output SÚBOR.pdf | --printer MENO) [voľby]\n"
    "\n"
    "Vytlačí jednu poukážku alebo obálku za každý riadok tabuľky, všetky v jednej tlači.\n"
    "Prvý riadok tabuľky menuje stĺpce názvami polí formulára (suma, hal, od1, adpsc, nazov_uctu, ...;\n"
    "pri obálke adr, od, pozn a sablona; pri platbe QR prijemca, iban, bic, suma, vsymbol, ksymbol,\n"
    "ssymbol, splatnost, sprava, adresat, ...). Každý riadok sa vytlačí tak, ako keby ste otvorili nové okno\n"
    "formulára, vpísali hodnoty do polí a zvolili Tlačiť. Oddeľovač je bodkočiarka alebo čiarka,\n"
    "text v UTF-8 alebo v kódovej stránke 1250. Pred tlačou sa skontrolujú všetky riadky.\n"
    "\n"
    "  --form A|C|D|obalka|platba  druh formulára (platba: platba QR, PAY by square)\n"
    "  --form formulare/NÁZOV.json  vlastný formulár podľa popisu (alebo --form NÁZOV pre popis\n"
    "                        z priečinka formulare); stĺpce tabuľky sú názvy jeho polí\n"
    "  --input TABUĽKA       tabuľka (CSV) s hodnotami polí\n"
    "  --output SÚBOR.pdf    tlač do súboru PDF (A4 na výšku, ako súbor PDF v dialógu tlače)\n"
    "                        Nahradí len súbor PDF, ktorý nie je len na čítanie; odkaz\n"
    "                        iného používateľa v priečinku, kam môže zapisovať každý\n"
    "                        (napr. /tmp), nenasleduje. Rovnako pri --split.\n"
    "  --printer MENO        tlač na tlačiareň s týmto menom\n"
    "  --template MENO.obl   šablóna obálky pre riadky bez stĺpca sablona\n"
    "                        (inak šablóna z nastavení programu)\n"
    "  --split               s --output NÁZOV.pdf zapíše každý riadok do vlastného súboru:\n"
    "                        NÁZOV-0001.pdf, NÁZOV-0002.pdf, ...\n"
    "  --outline             nakreslí aj obrys formulára, na skúšobnú tlač\n"
    "  --check               len skontroluje tabuľku; nič netlačí ani nezapisuje\n"
    "  --force               vytlačí aj riadky, ktorých text by padol mimo tlačovej plochy\n"
    "  --help                tento text\n"
    "%1"
    "\n"
    "Nastavenia, osobné údaje, šablóny obálok a zarovnanie tlačiarne (tlaciarne.ini) berie z priečinka\n"
    "programu, nainštalovaný program z priečinka používateľa $XDG_DATA_HOME/Zelvana/ (obvykle\n"
    "~/.local/share/Zelvana/), kam ich ukladá program Zelvana; nič z nich nemení.\n"
    "Pred tlačou sa každá strana skúsi nanečisto: riadok, ktorého text by padol mimo tlačovej plochy,\n"
    "je chybný (bez --force); text, ktorý by zasiahol do iného textu alebo inej časti formulára,\n"
    "sa vytlačí s upozornením.\n"
    "Návratový kód: 0 všetko vytlačené (alebo tabuľka v poriadku pri --check), 1 chybná tabuľka,\n"
    "2 chybné voľby, nečitateľné súbory programu alebo tlačiareň či súbor, ktoré tlač odmietli.\n"
    "Každú tlač zapíše do histórie tlače (historia.sqlite), ak ju Zelvana nemá vypnutú.\n");

namespace {

struct Options {
    const FormDescription* form = nullptr;
    std::shared_ptr<const FormDescription> userForm; // what `form` points to for a user form
    QString input, output, printer, templateName;
    bool outline = false, check = false, help = false, split = false, force = false;
};

// The argument as the user typed it, for a message: the first one that names
// `name` as an option.
QString typed(const QStringList& args, const QString& name)
{
    for (const QString& a : args) {
        const QString bare = a.section(QLatin1Char('='), 0, 0);
        if (bare == QLatin1String("--") + name || bare == QLatin1String("-") + name)
            return bare;
    }
    return QLatin1String("--") + name;
}

// Empty when the options can be used, else why not, in Slovak.
QString parse(const QStringList& args, Options& o, const QString& programFolder)
{
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption outline(QStringLiteral("outline")), check(QStringLiteral("check")),
        split(QStringLiteral("split")),
        force(QStringLiteral("force"));
    const QCommandLineOption form(QStringLiteral("form"), QString(), QStringLiteral("FORM"));
    const QCommandLineOption input(QStringLiteral("input"), QString(), QStringLiteral("TABLE"));
    const QCommandLineOption output(QStringLiteral("output"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption printer(QStringLiteral("printer"), QString(), QStringLiteral("NAME"));
    const QCommandLineOption templ(QStringLiteral("template"), QString(), QStringLiteral("NAME"));
    parser.addOptions({help, outline, check, split, force, form, input, output, printer, templ});
    // The parser's own texts are English: each failure is told in Slovak here.
    if (!parser.parse(QStringList{QStringLiteral("zelvana-batch")} + args)) {
        if (!parser.unknownOptionNames().isEmpty())
            return QStringLiteral("Neznáma voľba „%1“.").arg(typed(args, parser.unknownOptionNames().first()));
        // Else a valued option ended the line without its value.
        return QStringLiteral("Voľba %1 potrebuje hodnotu.").arg(args.isEmpty() ? QString() : args.last());
    }
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Neznáma voľba „%1“.").arg(parser.positionalArguments().first());
    for (const QCommandLineOption* valued : {&form, &input, &output, &printer, &templ}) {
        const QStringList values = parser.values(*valued);
        const QString name = typed(args, valued->names().first());
        if (values.size() > 1)
            return QStringLiteral("Voľba %1 je zadaná viackrát.").arg(name);
        if (values.size() == 1 && values.first().isEmpty())
            return QStringLiteral("Voľba %1 potrebuje hodnotu.").arg(name);
    }
    o.help = parser.isSet(help);
    o.outline = parser.isSet(outline);
    o.check = parser.isSet(check);
    o.split = parser.isSet(split);
    o.force = parser.isSet(force);
    o.input = parser.value(input);
    o.output = parser.value(output);
    o.printer = parser.value(printer);
    o.templateName = parser.value(templ);
    if (parser.isSet(form)) {
        const QString value = parser.value(form);
        o.form = FormByOptionName(value);
        if (!o.form) {
            const QString file = UserFormFile(value, programFolder);
            if (file.isEmpty())
                return QStringLiteral("Neznámy formulár „%1“: zadajte A, C, D, obalka, platba, názov vlastného "
                                      "formulára z priečinka formulare alebo cestu k súboru .json.")
                    .arg(value);
            const UserFormRead read = LoadUserForm(file, programFolder);
            if (!read.form)
                return read.error;
            o.userForm = read.form;
            o.form = o.userForm.get();
        }
    }
    if (o.help)
        return {};
    if (!o.form)
        return QStringLiteral("Chýba voľba --form (A, C, D, obalka alebo platba).");
    if (o.input.isEmpty())
        return QStringLiteral("Chýba voľba --input s tabuľkou.");
    if (!o.output.isEmpty() && !o.printer.isEmpty())
        return QStringLiteral("Zadajte len jedno z --output a --printer.");
    if (!o.check && o.output.isEmpty() && o.printer.isEmpty())
        return QStringLiteral("Chýba --output SÚBOR.pdf alebo --printer MENO (alebo --check).");
    if (o.split && o.output.isEmpty() && !o.check)
        return QStringLiteral("Voľba --split patrí k --output NÁZOV.pdf.");
    if (!o.templateName.isEmpty() && o.form->kind != FormKind::Envelope)
        return QStringLiteral("Voľba --template patrí len k formuláru obalka.");
    return {};
}

} // namespace

namespace {

// Keeps the job in the journal; a journal that fails is told, the print stands.
void record(const QString& folder, const FormDescription& form, const QList<FormPage>& pages, JobTarget target,
            const QString& targetName, const QString& source, const QString& failure, QTextStream& err)
{
    const PrintedJob job{form, pages, target, targetName, JobSource::Table, source, failure.isEmpty(), failure};
    if (const QString message = RecordPrintedJob(folder, job); !message.isEmpty())
        err << message << '\n';
}

} // namespace

int RunBatchCommand(const QStringList& arguments, const QString& programFolder, QTextStream& out, QTextStream& err,
                    const QString& source)
{
    if (IsHistoryCommand(arguments))
        return RunHistoryCommand(arguments, programFolder, out, err);
    Options o;
    if (const QString problem = parse(arguments, o, programFolder); !problem.isEmpty()) {
        err << problem << "\nNápoveda: zelvana-batch --help\n";
        return BatchBadOptionsOrOutput;
    }
    if (o.help) {
        out << BatchHelpText.arg(HistoryHelpText);
        return BatchPrinted;
    }
    // A split writes NAME-0001.pdf ... and never NAME itself: those are checked below.
    if (!o.check && !o.output.isEmpty() && !o.split) {
        const QString refusal = OutputRefusal(o.output, programFolder, {o.input});
        if (!refusal.isEmpty()) {
            err << refusal << '\n';
            return BatchBadOptionsOrOutput;
        }
    }
    ProgramSettings settings;
    PersonalData personal;
    if (QString problem; !ReadRecordsReadOnly(programFolder, settings, personal, problem)) {
        err << problem << '\n';
        return BatchBadOptionsOrOutput;
    }
    BatchContext context = TableContext(*o.form, programFolder, settings, personal);
    context.templateOverride = o.templateName;
    if (!o.templateName.isEmpty()) {
        const FrameResult frame
            = ReadEnvelopeFrame(programFolder, o.templateName, fromCp1250(context.settings.printFontName()));
        if (!frame.frame) {
            err << QStringLiteral("Šablónu obálky „%1“ sa nepodarilo otvoriť (%2).\n").arg(o.templateName, frame.why);
            return BatchBadOptionsOrOutput;
        }
    }
    const BatchCheck check = CheckTable(context, o.input);
    if (!check.ok()) {
        err << check.report(MaxKeptProblems) << "\nNič sa nevytlačilo.\n";
        return BatchBadTable;
    }
    for (qsizetype i = 0; i < check.pages.size(); ++i)
        if (const QString late = DueDateWarning(check.pages[i].texts.text("splatnost")); !late.isEmpty())
            err << QStringLiteral("Upozornenie: ")
                << BatchProblem{check.pageLines.value(i), QStringLiteral("splatnost"), late}.message() << '\n';
    QPrinter printer(QPrinter::HighResolution);
    if (!o.output.isEmpty() || (o.check && QPrinterInfo::printerInfo(o.printer).isNull())) {
        SetUpPdfFile(printer, o.output); // the page a PDF file chosen in the print dialog gets
    } else {
        if (QPrinterInfo::printerInfo(o.printer).isNull()) {
            err << QStringLiteral("Tlačiareň „%1“ systém nepozná. Nič sa nevytlačilo.\n").arg(o.printer);
            return BatchBadOptionsOrOutput;
        }
        printer.setPrinterName(o.printer);
    }
    const QString shiftName = ShiftNameOf(printer);
    QString damage;
    const FormShift shift = StoredShift(programFolder, *o.form, shiftName, damage);
    if (!damage.isEmpty())
        err << damage << '\n';

    // Every page nanečisto on this printer's page, before anything is written.
    const BatchFit fit = CheckTableFit(context, check, QtPrintCanvas(printer, shiftName), shift);
    for (const BatchProblem& p : fit.intoOther)
        err << QStringLiteral("Upozornenie: ") << p.message() << '\n';
    for (const BatchProblem& p : fit.offPage)
        err << (o.force ? QStringLiteral("Upozornenie: ") : QString()) << p.message() << '\n';
    if (!fit.offPage.isEmpty() && !o.force) {
        err << QStringLiteral("Nič sa nevytlačilo (voľba --force vytlačí aj také riadky).\n");
        return BatchBadTable;
    }
    if (o.check) {
        out << QStringLiteral("Tabuľka je v poriadku: %1 na tlač.\n").arg(PagesText(check.rows));
        return BatchPrinted;
    }

    if (o.split) {
        // Each file of the split follows the rules a single output follows.
        for (int i = 1; i <= check.rows; ++i) {
            const QString refusal = OutputRefusal(SplitFileName(o.output, i), programFolder, {o.input});
            if (!refusal.isEmpty()) {
                err << refusal << '\n';
                return BatchBadOptionsOrOutput;
            }
        }
        const SplitOutcome split = PrintSplitPdf(*o.form, check.pages, o.output, shift, o.outline);
        if (split.files > 0 || !split.problem.isEmpty())
            record(programFolder, *o.form, check.pages.mid(0, split.files), JobTarget::Pdf, o.output,
                   source.isEmpty() ? o.input : source, split.problem, err);
        if (!split.problem.isEmpty()) {
            err << split.problem << QStringLiteral("\nZapísané súbory: %1 z %2.\n").arg(split.files).arg(check.rows);
            return BatchBadOptionsOrOutput;
        }
        out << QStringLiteral("Zapísané súbory: %1 (%2 až %3).\n")
                   .arg(split.files)
                   .arg(SplitFileName(o.output, 1), SplitFileName(o.output, split.files));
        return BatchPrinted;
    }
    const std::unique_ptr<PrintCanvas> canvas = CanvasOnChosenPrinter(printer);
    const BatchOutcome outcome = PrintTable(*canvas, context, check, shift, o.outline);
    const auto [target, name] = TargetOf(*canvas);
    record(programFolder, *o.form, check.pages.mid(0, outcome.pages), target, name, source.isEmpty() ? o.input : source,
           BatchOutcomeMessage(outcome), err);
    if (const QString message = BatchOutcomeMessage(outcome); !message.isEmpty()) {
        err << message << '\n';
        return outcome.problem.isEmpty() ? BatchBadOptionsOrOutput : BatchBadTable;
    }
    out << QStringLiteral("Vytlačené: %1.\n").arg(PagesText(outcome.pages));
    return BatchPrinted;
}
