#include "core/forms/envelope/EnvelopeForm.h"

#include "core/base/Cp1250.h"
#include "core/forms/envelope/EnvelopePrint.h"
#include "core/forms/envelope/TemplateName.h"
#include "core/print/FormSketch.h"
#include "core/records/PersonalJoins.h"
#include "core/records/ProgramSettings.h"

#include <QFile>

namespace {

constexpr int M = DefaultMaxLength;
constexpr FieldSpec Fields[] = {{"adr", FieldKind::Memo, M, "", "Adresát"},
                                {"od", FieldKind::Memo, M, "", "Odosielateľ"},
                                {"pozn", FieldKind::Memo, M, "", "Poznámka"},
                                {"sablona", FieldKind::Line, M, "", "Šablóna pre obálku"}};

FieldTexts fill(const ProgramSettings& s, const PersonalData& p)
{
    const bool recipient = s.flag(Flag::EnvelopeOwnerIsRecipient);
    const bool sender = s.flag(Flag::EnvelopeOwnerIsSender);
    // Joined whole: a memo line has no length limit.
    const QString name = PersonalText(p, Personal::titul) + QLatin1Char(' ') + PersonalText(p, Personal::meno)
                         + QLatin1Char(' ') + PersonalText(p, Personal::priezvisko);
    QStringList address{StreetLineWhole(p),
                        PersonalText(p, Personal::psc) + QLatin1Char(' ') + PersonalText(p, Personal::mesto)};
    if (s.flag(Flag::AddCountry))
        address << PersonalText(p, Personal::stat);
    QStringList toAdr, toOd;
    if (s.flag(Flag::AddName) && recipient)
        toAdr << name;
    if (s.flag(Flag::AddName) && sender)
        toOd << name;
    if (s.flag(Flag::AddAddress) && recipient)
        toAdr << address;
    if (s.flag(Flag::AddAddress) && sender)
        toOd << address;
    FieldTexts t;
    t.setText(QStringLiteral("adr"), toAdr.join(QLatin1Char('\n')));
    t.setText(QStringLiteral("od"), toOd.join(QLatin1Char('\n')));
    t.setText(QStringLiteral("sablona"), fromCp1250(s.envelopeTemplateName()));
    return t;
}

FrameResult frame(const FormDescription&, const ProgramSettings& settings, const QString& programFolder,
                  const FieldTexts& texts, FrameCache* cache)
{
    const QString name = texts.text("sablona");
    if (cache) {
        if (auto it = cache->constFind(name); it != cache->cend())
            return *it;
    }
    FrameResult result = ReadEnvelopeFrame(programFolder, name, fromCp1250(settings.printFontName()));
    if (cache)
        cache->insert(name, result);
    return result;
}

void draw(const FormDescription&, PrintCanvas& canvas, const PageMeasures& page, const FormPage& p)
{
    DrawEnvelope(canvas, page, TemplateOfFrame(p.frame),
                 {p.texts.lines("od"), p.texts.lines("pozn"), p.texts.lines("adr")});
}

Guide sketch(const FormDescription&, const PageMeasures& page, const PageFrame& frame, SketchUse use)
{
    const SlipPlacement placement(page, frame.referenceMm);
    return use == SketchUse::AlignmentSheet
               ? EnvelopeAlignmentSheet(placement, page, frame.referenceMm, frame.heightMm)
               : SketchEnvelope(placement, page, frame.referenceMm, frame.heightMm, true);
}

QString placement(const PageFrame* frame)
{
    if (!frame)
        return QStringLiteral("Šablónu obálky sa nepodarilo otvoriť.");
    return QStringLiteral("Obálka %1 × %2 mm leží horným okrajom %1 mm vpravo od ľavého okraja tlačovej plochy, "
                          "ľavým okrajom na jej hornom okraji.")
        .arg(frame->referenceMm)
        .arg(frame->heightMm);
}

} // namespace

const FormDescription& EnvelopeForm()
{
    static const FormDescription form{FormKind::Envelope, "Obálka", "obálka", "obalka", 0, {}, {}, Fields,
                                      fill, MemoTextLines, frame, draw, sketch, placement, nullptr};
    return form;
}

PageFrame EnvelopeFrame(const EnvelopeTemplate& t, const QString& face)
{
    PageFrame f;
    f.referenceMm = t.WidthMm;
    f.heightMm = t.HeightMm;
    f.font = {t.SenderFontSize, face, EnvelopeFontDivisor};
    f.secondFontSize = t.RecipientFontSize;
    return f;
}

EnvelopeTemplate TemplateOfFrame(const PageFrame& frame)
{
    return {frame.referenceMm, frame.heightMm, frame.secondFontSize, frame.font.size};
}

QString TemplateNameUnusable(const QString& templateName)
{
    // Any other file of data/ (tips, pictures) reads as some size or none.
    if (!templateName.endsWith(QLatin1String(".obl"), Qt::CaseInsensitive))
        return QStringLiteral("šablóna obálky je súbor s príponou .obl");
    return {};
}

QString TemplateSizeUnusable(const EnvelopeTemplate& t)
{
    // The wizard may save 0 x 0; such an envelope would print as an empty page.
    if (t.WidthMm <= 0 || t.HeightMm <= 0)
        return QStringLiteral("šablóna udáva obálku %1 × %2 mm; šírka aj výška musia byť kladné")
            .arg(t.WidthMm)
            .arg(t.HeightMm);
    // Each further line lies a font value lower: none or a negative one
    // prints the lines over one another or in reverse order.
    if (t.RecipientFontSize <= 0 || t.SenderFontSize <= 0)
        return QStringLiteral("šablóna udáva písmo adresáta %1 a odosielateľa %2; obe veľkosti písma musia byť kladné")
            .arg(t.RecipientFontSize)
            .arg(t.SenderFontSize);
    return {};
}

FrameResult ReadEnvelopeFrame(const QString& programFolder, const QString& templateName, const QString& face)
{
    if (!IsPlainFileName(templateName))
        return {std::nullopt, QStringLiteral("názov šablóny nie je názov súboru v priečinku data")};
    try {
        const EnvelopeTemplate t
            = ReadTemplateFile(QFile::encodeName(TemplatePath(programFolder, templateName)).toStdString());
        QString why = TemplateNameUnusable(templateName);
        if (why.isEmpty())
            why = TemplateSizeUnusable(t);
        if (!why.isEmpty())
            return {std::nullopt, why};
        return {EnvelopeFrame(t, face), {}};
    } catch (const FileError& error) {
        return {std::nullopt, QString::fromLocal8Bit(error.what())};
    }
}
