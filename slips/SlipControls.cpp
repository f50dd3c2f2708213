#include "slips/SlipControls.h"

namespace {
constexpr int M = DefaultMaxLength;
constexpr ControlSpec SlipA[] = {
    {"suma", ControlKind::Line, 6},      {"hal", ControlKind::Line, 1},         {"banka", ControlKind::Line, M},
    {"cu1", ControlKind::Line, M},       {"cu2", ControlKind::Line, M},         {"ksymbol", ControlKind::Line, M},
    {"nazov_uctu", ControlKind::Memo, M}, {"vakup", ControlKind::Line, 5},      {"vakup2", ControlKind::Line, M},
    {"vsymbol", ControlKind::Line, M},   {"od1", ControlKind::Line, M},         {"od2", ControlKind::Line, M},
    {"odpsc", ControlKind::Line, 5},     {"od3", ControlKind::Line, M},         {"slovom1", ControlKind::Words, M},
    {"slovom2", ControlKind::Words, M},  {"slovomh", ControlKind::Words, M}};
constexpr ControlSpec SlipC[] = {
    {"suma", ControlKind::Line, 6},     {"hal", ControlKind::Line, 1},     {"ad1", ControlKind::Line, M},
    {"ad2", ControlKind::Line, M},      {"adpsc", ControlKind::Line, 5},   {"ad3", ControlKind::Line, M},
    {"od1", ControlKind::Line, M},      {"od2", ControlKind::Line, M},     {"odpsc", ControlKind::Line, 5},
    {"od3", ControlKind::Line, M},      {"slovom1", ControlKind::Words, M}, {"slovom2", ControlKind::Words, M},
    {"slovomh", ControlKind::Words, M}};
constexpr ControlSpec SlipD[] = {
    {"suma", ControlKind::Line, 6},     {"hal", ControlKind::Line, 1},     {"ad1", ControlKind::Line, M},
    {"ad2", ControlKind::Line, M},      {"adpsc", ControlKind::Line, 5},   {"ad3", ControlKind::Line, M},
    {"od2", ControlKind::Line, M},      {"odpsc", ControlKind::Line, 5},   {"od3", ControlKind::Line, M},
    {"ucet", ControlKind::Line, M},     {"skr", ControlKind::Line, M},     {"banka", ControlKind::Line, M},
    {"slovom1", ControlKind::Words, M}, {"slovom2", ControlKind::Words, M}, {"slovomh", ControlKind::Words, M}};
constexpr ControlSpec Envelope[] = {{"adr", ControlKind::Memo, M},
                                    {"od", ControlKind::Memo, M},
                                    {"pozn", ControlKind::Memo, M},
                                    {"sablona", ControlKind::Line, M}};
} // namespace

std::span<const ControlSpec> FormControls(DocumentForm form)
{
    switch (form) {
    case DocumentForm::SlipA:
        return SlipA;
    case DocumentForm::SlipC:
        return SlipC;
    case DocumentForm::SlipD:
        return SlipD;
    case DocumentForm::Envelope:
        return Envelope;
    }
    return {};
}

const ControlSpec* FindControl(DocumentForm form, const QString& name)
{
    for (const ControlSpec& c : FormControls(form))
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

QString InitialHal(DocumentForm form) { return form == DocumentForm::SlipA ? QString() : QStringLiteral("0"); }

QFont SlipMemoFont()
{
    // The window font the memo inherits, at the small pixel size.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}
