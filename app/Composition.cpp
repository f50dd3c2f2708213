// The one place that knows every window and dialog class; the launcher and the document
// windows open each other only through FormKind.
#include "app/Composition.h"

#include "ui/frame/AppState.h"
#include "ui/help/Toprograme.h"
#include "ui/history/Thistoria.h"
#include "ui/envelopes/Tobl.h"
#include "ui/envelopes/Tsablona.h"
#include "ui/payment/Tplatba.h"
#include "ui/userforms/Tformular.h"
#include "ui/settings/Tnastavenia.h"
#include "ui/settings/Tosobne.h"
#include "ui/slips/TApoukazka.h"
#include "ui/slips/TCpoukazka.h"
#include "ui/slips/TDpoukazka.h"

void RegisterDocumentWindows(AppState& app)
{
    app.registerWindow(FormKind::SlipA, [](AppState& a) { return new TApoukazka(a); });
    app.registerWindow(FormKind::SlipC, [](AppState& a) { return new TCpoukazka(a); });
    app.registerWindow(FormKind::SlipD, [](AppState& a) { return new TDpoukazka(a); });
    app.registerWindow(FormKind::Envelope, [](AppState& a) { return new Tobl(a); });
    app.registerWindow(FormKind::Payment, [](AppState& a) { return new Tplatba(a); });
    app.registerUserWindow([](AppState& a, std::shared_ptr<const FormDescription> form) {
        return new Tformular(a, std::move(form));
    });
    app.registerDialog(DialogKind::PersonalData, [](AppState& a) { return std::make_unique<Tosobne>(a); });
    app.registerDialog(DialogKind::ProgramSettings, [](AppState& a) { return std::make_unique<Tnastavenia>(a); });
    app.registerDialog(DialogKind::TemplateWizard, [](AppState& a) { return std::make_unique<Tsablona>(a); });
    app.registerDialog(DialogKind::About, [](AppState& a) { return std::make_unique<Toprograme>(a); });
    app.registerDialog(DialogKind::History, [](AppState& a) { return std::make_unique<Thistoria>(a); });
}
