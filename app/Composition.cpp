// The one place that knows every window and dialog class; the launcher and the document
// windows open each other only through FormKind.
#include "app/Composition.h"

#include "app/AppState.h"
#include "app/Toprograme.h"
#include "envelopes/Tobl.h"
#include "envelopes/Tsablona.h"
#include "payment/Tplatba.h"
#include "settings/Tnastavenia.h"
#include "settings/Tosobne.h"
#include "slips/TApoukazka.h"
#include "slips/TCpoukazka.h"
#include "slips/TDpoukazka.h"

void RegisterDocumentWindows(AppState& app)
{
    app.registerWindow(FormKind::SlipA, [](AppState& a) { return new TApoukazka(a); });
    app.registerWindow(FormKind::SlipC, [](AppState& a) { return new TCpoukazka(a); });
    app.registerWindow(FormKind::SlipD, [](AppState& a) { return new TDpoukazka(a); });
    app.registerWindow(FormKind::Envelope, [](AppState& a) { return new Tobl(a); });
    app.registerWindow(FormKind::Payment, [](AppState& a) { return new Tplatba(a); });
    app.registerDialog(DialogKind::PersonalData, [](AppState& a) { return std::make_unique<Tosobne>(a); });
    app.registerDialog(DialogKind::ProgramSettings, [](AppState& a) { return std::make_unique<Tnastavenia>(a); });
    app.registerDialog(DialogKind::TemplateWizard, [](AppState& a) { return std::make_unique<Tsablona>(a); });
    app.registerDialog(DialogKind::About, [](AppState& a) { return std::make_unique<Toprograme>(a); });
}
