#include "batch/BatchCommand.h"

#include "batch/BatchJob.h"
#include "batch/RecordsReadOnly.h"
#include "envelopes/TemplateName.h"
#include "slips/PrinterQueue.h"
#include "slips/QtPrintCanvas.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

const QString BatchHelpText = QStringLiteral(
    "Použitie: zelvana-batch --form A|C|D|obalka --input TABUĽKA (--output SÚBOR.pdf | --printer MENO) [voľby]\n"
    "\n"
    "Vytlačí jednu poukážku alebo obálku za každý riadok tabuľky, všetky v jednej tlači.\n"
    "Prvý riadok tabuľky menuje stĺpce názvami polí formulára (suma, hal, od1, adpsc, nazov_uctu, ...;\n"
    "pri obálke adr, od, pozn a sablona). Každý riadok sa vytlačí tak, ako keby ste otvorili nové okno\n"
    "formulára, vpísali hodnoty do polí a zvolili Tlačiť. Oddeľovač je bodkočiarka alebo čiarka,\n"
    "text v UTF-8 alebo v kódovej stránke 1250. Pred tlačou sa skontrolujú všetky riadky.\n"
    "\n"
    "  --form A|C|D|obalka   druh formulára\n"
    "  --input TABUĽKA       tabuľka (CSV) s hodnotami polí\n"
    "  --output SÚBOR.pdf    tlač do súboru PDF (A4 na výšku, ako súbor PDF v dialógu tlače)\n"
    "  --printer MENO        tlač na tlačiareň s týmto menom\n"
    "  --template MENO.obl   šablóna obálky pre riadky bez stĺpca sablona\n"
    "                        (inak šablóna z nastavení programu)\n"
    "  --outline             nakreslí aj obrys formulára, na skúšobnú tlač\n"
    "  --check               len skontroluje tabuľku; nič netlačí ani nezapisuje\n"
    "  --help                tento text\n"
    "\n"
    "Nastavenia, osobné údaje, šablóny obálok a zarovnanie tlačiarne (tlaciarne.ini) berie z priečinka\n"
    "programu, nainštalovaný program z priečinka používateľa $XDG_DATA_HOME/Zelvana/ (obvykle\n"
    "~/.local/share/Zelvana/), kam ich ukladá program Zelvana; nič z nich nemení.\n"
    "Návratový kód: 0 všetko vytlačené (alebo tabuľka v poriadku pri --check), 1 chybná tabuľka,\n"
    "2 chybné voľby, nečitateľné súbory programu alebo tlačiareň či súbor, ktoré tlač odmietli.\n");

namespace {

struct Options {
    std::optional<DocumentForm> form;
    QString input, output, printer, templateName;
    bool outline = false, check = false, help = false;
};

// Empty when the options can be used, else why not.
QString parse(const QStringList& args, Options& o)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](QString& into) -> QString {
            if (i + 1 >= args.size() || args[i + 1].isEmpty())
                return QStringLiteral("Voľba %1 potrebuje hodnotu.").arg(a);
            if (!into.isEmpty())
                return QStringLiteral("Voľba %1 je zadaná viackrát.").arg(a);
            into = args[++i];
            return {};
        };
        QString problem;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--outline")) {
            o.outline = true;
        } else if (a == QLatin1String("--check")) {
            o.check = true;
        } else if (a == QLatin1String("--input")) {
            problem = value(o.input);
        } else if (a == QLatin1String("--output")) {
            problem = value(o.output);
        } else if (a == QLatin1String("--printer")) {
            problem = value(o.printer);
        } else if (a == QLatin1String("--template")) {
            problem = value(o.templateName);
        } else if (a == QLatin1String("--form")) {
            QString form;
            problem = value(form);
            const QString f = form.toLower();
            if (!problem.isEmpty())
                ;
            else if (f == QLatin1String("a"))
                o.form = DocumentForm::SlipA;
            else if (f == QLatin1String("c"))
                o.form = DocumentForm::SlipC;
            else if (f == QLatin1String("d"))
                o.form = DocumentForm::SlipD;
            else if (f == QLatin1String("obalka") || f == QStringLiteral("obálka"))
                o.form = DocumentForm::Envelope;
            else
                problem = QStringLiteral("Neznámy formulár „%1“: zadajte A, C, D alebo obalka.").arg(form);
        } else {
            problem = QStringLiteral("Neznáma voľba „%1“.").arg(a);
        }
        if (!problem.isEmpty())
            return problem;
    }
    if (o.help)
        return {};
    if (!o.form)
        return QStringLiteral("Chýba voľba --form (A, C, D alebo obalka).");
    if (o.input.isEmpty())
        return QStringLiteral("Chýba voľba --input s tabuľkou.");
    if (!o.output.isEmpty() && !o.printer.isEmpty())
        return QStringLiteral("Zadajte len jedno z --output a --printer.");
    if (!o.check && o.output.isEmpty() && o.printer.isEmpty())
        return QStringLiteral("Chýba --output SÚBOR.pdf alebo --printer MENO (alebo --check).");
    if (!o.templateName.isEmpty() && o.form != DocumentForm::Envelope)
        return QStringLiteral("Voľba --template patrí len k formuláru obalka.");
    return {};
}

} // namespace

int RunBatchCommand(const QStringList& arguments, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    Options o;
    if (const QString problem = parse(arguments, o); !problem.isEmpty()) {
        err << problem << "\nNápoveda: zelvana-batch --help\n";
        return BatchBadOptionsOrOutput;
    }
    if (o.help) {
        out << BatchHelpText;
        return BatchPrinted;
    }
    BatchContext context;
    context.form = *o.form;
    context.programFolder = programFolder;
    context.templateOverride = o.templateName;
    if (QString problem; !ReadRecordsReadOnly(programFolder, context.settings, context.personal, problem)) {
        err << problem << '\n';
        return BatchBadOptionsOrOutput;
    }
    if (!o.templateName.isEmpty()) {
        QString why;
        if (!TemplateCache().get(programFolder, o.templateName, &why)) {
            err << QStringLiteral("Šablónu obálky „%1“ sa nepodarilo otvoriť (%2).\n").arg(o.templateName, why);
            return BatchBadOptionsOrOutput;
        }
    }
    const BatchCheck check = CheckTable(context, o.input);
    if (!check.ok()) {
        err << check.report(MaxKeptProblems) << "\nNič sa nevytlačilo.\n";
        return BatchBadTable;
    }
    if (o.check) {
        out << QStringLiteral("Tabuľka je v poriadku: %1 na tlač.\n").arg(PagesText(check.rows));
        return BatchPrinted;
    }

    QPrinter printer(QPrinter::HighResolution);
    QString shiftName;
    if (!o.output.isEmpty()) {
        // The page a PDF file chosen in the print dialog gets.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        printer.setOutputFileName(o.output);
        shiftName = PdfPrinterName;
    } else {
        if (QPrinterInfo::printerInfo(o.printer).isNull()) {
            err << QStringLiteral("Tlačiareň „%1“ systém nepozná. Nič sa nevytlačilo.\n").arg(o.printer);
            return BatchBadOptionsOrOutput;
        }
        printer.setPrinterName(o.printer);
        shiftName = o.printer;
    }
    QString damage;
    const QString shiftPath = programFolder + ShiftFileName;
    const FormShift shift = ReadShift(shiftPath, shiftName, &damage);
    if (!damage.isEmpty())
        err << DamagedShiftMessage.arg(shiftPath, damage) << '\n';

    QtPrintCanvas canvas(printer, shiftName, o.output, QueueCheckFor(printer));
    const BatchOutcome outcome = PrintTable(canvas, context, o.input, shift, o.outline);
    if (const QString message = BatchOutcomeMessage(outcome); !message.isEmpty()) {
        err << message << '\n';
        return outcome.problem.isEmpty() ? BatchBadOptionsOrOutput : BatchBadTable;
    }
    out << QStringLiteral("Vytlačené: %1.\n").arg(PagesText(outcome.pages));
    return BatchPrinted;
}
