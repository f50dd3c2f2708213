#include "ui/designer/PropertyPanel.h"

#include "ui/designer/DesignCommands.h"
#include "ui/designer/DesignModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

using Shows = std::vector<std::function<void()>>;
using Enabled = std::function<bool()>;

void shown(Shows& shows, QWidget* w, const std::function<void()>& show, const Enabled& enabled)
{
    shows.push_back([w, show, enabled] {
        const QSignalBlocker quiet(w);
        show();
        if (enabled)
            w->setEnabled(enabled());
    });
}

QLineEdit* textRow(QFormLayout* rows, Shows& shows, const char* key, const QString& label,
                   std::function<QString()> current, std::function<void(const QString&)> commit, Enabled enabled = {})
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(key));
    rows->addRow(label, edit);
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [=] {
        if (edit->text() != current())
            commit(edit->text());
    });
    shown(shows, edit, [=] { edit->setText(current()); }, enabled);
    return edit;
}

QDoubleSpinBox* numberRow(QFormLayout* rows, Shows& shows, const char* key, const QString& label, double least,
                          double most, std::function<double()> current, std::function<void(double)> commit,
                          Enabled enabled = {})
{
    auto* spin = new QDoubleSpinBox;
    spin->setObjectName(QLatin1String(key));
    spin->setDecimals(2);
    spin->setRange(least, most);
    spin->setKeyboardTracking(false); // one change when the typing is done, not one per digit
    rows->addRow(label, spin);
    QObject::connect(spin, &QDoubleSpinBox::valueChanged, spin, [=](double v) {
        if (Hundredths(v) != Hundredths(current()))
            commit(Hundredths(v));
    });
    shown(shows, spin, [=] { spin->setValue(current()); }, enabled);
    return spin;
}

QSpinBox* countRow(QFormLayout* rows, Shows& shows, const char* key, const QString& label, int least, int most,
                   const QString& none, std::function<int()> current, std::function<void(int)> commit,
                   Enabled enabled = {})
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QLatin1String(key));
    spin->setRange(least, most);
    spin->setSpecialValueText(none);
    spin->setKeyboardTracking(false);
    rows->addRow(label, spin);
    QObject::connect(spin, &QSpinBox::valueChanged, spin, [=](int v) {
        if (v != current())
            commit(v);
    });
    shown(shows, spin, [=] { spin->setValue(current()); }, enabled);
    return spin;
}

QComboBox* choiceRow(QFormLayout* rows, Shows& shows, const char* key, const QString& label,
                     const QList<std::pair<QString, int>>& choices, std::function<int()> current,
                     std::function<void(int)> commit, Enabled enabled = {})
{
    auto* combo = new QComboBox;
    combo->setObjectName(QLatin1String(key));
    for (const auto& [text, value] : choices)
        combo->addItem(text, value);
    rows->addRow(label, combo);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [=](int i) {
        if (i >= 0 && combo->itemData(i).toInt() != current())
            commit(combo->itemData(i).toInt());
    });
    shown(shows, combo, [=] { combo->setCurrentIndex(combo->findData(current())); }, enabled);
    return combo;
}

const QList<std::pair<QString, int>> KindChoices = {
    {QStringLiteral("Text"), int(UserFieldKind::Text)},
    {QStringLiteral("Suma"), int(UserFieldKind::Amount)},
    {QStringLiteral("Suma slovom"), int(UserFieldKind::Words)},
    {QStringLiteral("Dátum"), int(UserFieldKind::Date)},
    {QStringLiteral("IBAN"), int(UserFieldKind::Iban)},
    {QStringLiteral("Symbol"), int(UserFieldKind::Symbol)},
    {QStringLiteral("Pevný text"), int(UserFieldKind::Static)},
    {QStringLiteral("PAY by square"), int(UserFieldKind::PayBySquare)},
};

const QStringList Papers = {QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter")};
const QString DefaultFamily = QStringLiteral("Liberation Sans");

// A field's font with nothing of its own is none at all, as the file has it.
std::optional<UserFont> fontOrNone(const UserFont& f)
{
    return f.family.isEmpty() && f.sizePt <= 0 ? std::nullopt : std::optional<UserFont>(f);
}

} // namespace

PropertyPanel::PropertyPanel(DesignModel& model, QUndoStack& undo, std::function<QSize()> scanSize, QWidget* parent)
    : QWidget(parent), model_(model), undo_(undo), scanSize_(std::move(scanSize))
{
    setObjectName(QStringLiteral("vlastnosti"));
    auto* column = new QVBoxLayout(this);
    auto* formBox = new QGroupBox(QStringLiteral("Formulár"));
    formBox->setObjectName(QStringLiteral("formular"));
    auto* formRows = new QFormLayout(formBox);
    buildForm(formRows);
    column->addWidget(formBox);
    fieldBox_ = new QGroupBox(QStringLiteral("Pole"));
    fieldBox_->setObjectName(QStringLiteral("pole"));
    auto* fieldRows = new QFormLayout(fieldBox_);
    buildField(fieldRows);
    column->addWidget(fieldBox_);
    column->addStretch();
    connect(&model_, &DesignModel::formChanged, this, &PropertyPanel::refresh);
    connect(&model_, &DesignModel::wasReset, this, [this] { showField(-1); });
    refresh();
}

void PropertyPanel::showField(int index)
{
    // A property still being typed belongs to the field it was typed for.
    if (QWidget* typing = QApplication::focusWidget(); index != field_ && typing && isAncestorOf(typing))
        typing->clearFocus();
    field_ = index >= 0 && index < model_.fieldCount() ? index : -1;
    refresh();
}

void PropertyPanel::refresh()
{
    for (const auto& show : formShows_)
        show();
    fieldBox_->setEnabled(field_ >= 0);
    if (field_ < 0)
        return;
    for (const auto& show : fieldShows_)
        show();
}

void PropertyPanel::editField(const QString& what, const FieldEdit& change)
{
    if (field_ < 0)
        return;
    const UserField before = model_.field(field_);
    UserField after = before;
    change(after);
    if (DesignModel::normalised(after) != before)
        undo_.push(new EditFieldCommand(model_, field_, before, after, what));
    else
        refresh(); // an edit that changes nothing shows the kept value again
}

void PropertyPanel::rename(const QString& name)
{
    if (field_ < 0)
        return;
    const QString old = model_.field(field_).name;
    // The fields that name this one by its old name follow it, in the same change.
    undo_.beginMacro(QStringLiteral("Premenovať pole"));
    for (int i = 0; i < model_.fieldCount(); ++i) {
        const UserField before = model_.field(i);
        UserField after = before;
        if (i == field_)
            after.name = name;
        else if (!old.isEmpty())
            for (QString* ref : {&after.source, &after.payment.iban, &after.payment.amount, &after.payment.vs,
                                 &after.payment.ks, &after.payment.ss, &after.payment.due, &after.payment.beneficiary,
                                 &after.payment.message})
                if (*ref == old)
                    *ref = name;
        if (after != before)
            undo_.push(new EditFieldCommand(model_, i, before, after, QStringLiteral("Premenovať pole")));
    }
    undo_.endMacro();
}

void PropertyPanel::editForm(const QString& what, const FormEdit& change)
{
    const DesignForm before = model_.form();
    DesignForm after = before;
    change(after);
    if (after != before)
        undo_.push(new EditFormCommand(model_, before, after, what));
    else
        refresh();
}

void PropertyPanel::buildForm(QFormLayout* rows)
{
    Shows& s = formShows_;
    const auto props = [this]() -> const UserLayout& { return model_.layout(); };
    textRow(rows, s, "form_name", QStringLiteral("Názov:"), [=] { return props().name; }, [this](const QString& v) {
        editForm(QStringLiteral("Názov formulára"), [&](DesignForm& f) {
            if (!v.trimmed().isEmpty())
                f.props.name = v.trimmed();
        });
    });
    // With the ratio kept, the scan keeps its proportions as one side is typed.
    const auto ratio = [this]() -> double {
        const QSize scan = scanSize_ ? scanSize_() : QSize();
        return keepRatio_->isChecked() && !scan.isEmpty() ? double(scan.height()) / scan.width() : 0.0;
    };
    numberRow(rows, s, "form_width_mm", QStringLiteral("Šírka (mm):"), 1, 2000, [=] { return props().widthMm; },
              [=, this](double v) {
                  editForm(QStringLiteral("Šírka formulára"), [&](DesignForm& f) {
                      f.props.widthMm = v;
                      if (const double r = ratio(); r > 0)
                          f.props.heightMm = std::min(2000.0, Hundredths(v * r));
                  });
              });
    numberRow(rows, s, "form_height_mm", QStringLiteral("Výška (mm):"), 1, 2000, [=] { return props().heightMm; },
              [=, this](double v) {
                  editForm(QStringLiteral("Výška formulára"), [&](DesignForm& f) {
                      f.props.heightMm = v;
                      if (const double r = ratio(); r > 0)
                          f.props.widthMm = std::min(2000.0, Hundredths(v / r));
                  });
              });
    keepRatio_ = new QCheckBox(QStringLiteral("Zachovať pomer strán pozadia"));
    keepRatio_->setObjectName(QStringLiteral("pomer"));
    keepRatio_->setChecked(true);
    rows->addRow(QString(), keepRatio_);
    QList<std::pair<QString, int>> papers;
    for (int i = 0; i < Papers.size(); ++i)
        papers.append({Papers[i], i});
    choiceRow(rows, s, "paper", QStringLiteral("Papier:"), papers, [=] { return int(Papers.indexOf(props().paper)); },
              [this](int i) { editForm(QStringLiteral("Papier"), [&](DesignForm& f) { f.props.paper = Papers.value(i); }); });
    numberRow(rows, s, "offset_x_mm", QStringLiteral("Posun vpravo (mm):"), -1000, 1000,
              [=] { return props().offsetXMm; }, [this](double v) {
                  editForm(QStringLiteral("Posun formulára"), [&](DesignForm& f) { f.props.offsetXMm = v; });
              });
    numberRow(rows, s, "offset_y_mm", QStringLiteral("Posun dolu (mm):"), -1000, 1000,
              [=] { return props().offsetYMm; }, [this](double v) {
                  editForm(QStringLiteral("Posun formulára"), [&](DesignForm& f) { f.props.offsetYMm = v; });
              });
    choiceRow(rows, s, "rotation", QStringLiteral("Otočenie:"),
              {{QStringLiteral("0°"), 0}, {QStringLiteral("90°"), 90}, {QStringLiteral("180°"), 180}, {QStringLiteral("270°"), 270}},
              [=] { return props().rotation; },
              [this](int v) { editForm(QStringLiteral("Otočenie formulára"), [&](DesignForm& f) { f.props.rotation = v; }); });
    textRow(rows, s, "form_font_family", QStringLiteral("Písmo:"), [=] { return props().font.family; },
            [this](const QString& v) {
                editForm(QStringLiteral("Písmo formulára"), [&](DesignForm& f) {
                    f.props.font.family = v.trimmed().isEmpty() ? DefaultFamily : v.trimmed();
                });
            });
    numberRow(rows, s, "form_size_pt", QStringLiteral("Veľkosť písma (b):"), 1, 200, [=] { return props().font.sizePt; },
              [this](double v) { editForm(QStringLiteral("Veľkosť písma"), [&](DesignForm& f) { f.props.font.sizePt = v; }); });
}

void PropertyPanel::buildField(QFormLayout* rows)
{
    Shows& s = fieldShows_;
    static const UserField none;
    const auto at = [this]() -> const UserField& { return field_ >= 0 ? model_.field(field_) : none; };
    const auto kindIs = [=](UserFieldKind k) { return [=] { return at().kind == k; }; };
    const auto kindIsNot = [=](UserFieldKind k) { return [=] { return at().kind != k; }; };
    // A text property of the field: its label, how it is read and set.
    const auto text = [&](const char* key, const QString& label, QString UserField::*member, Enabled enabled = {}) {
        return textRow(rows, s, key, label, [=] { return at().*member; },
                       [=, this](const QString& v) {
                           editField(QStringLiteral("Upraviť pole"), [&](UserField& f) { f.*member = v; });
                       },
                       enabled);
    };
    const auto length = [&](const char* key, const QString& label, double UserField::*member, Enabled enabled = {}) {
        numberRow(rows, s, key, label, 0, 2000, [=] { return at().*member; },
                  [=, this](double v) {
                      editField(QStringLiteral("Upraviť pole"), [&](UserField& f) { f.*member = v; });
                  },
                  enabled);
    };
    QLineEdit* name = textRow(rows, s, "name", QStringLiteral("Názov:"), [=] { return at().name; },
                              [this](const QString& v) { rename(v); });
    name->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9_]*")), name));
    text("caption", QStringLiteral("Popis v okne:"), &UserField::caption);
    choiceRow(rows, s, "kind", QStringLiteral("Druh:"), KindChoices, [=] { return int(at().kind); }, [this](int k) {
        editField(QStringLiteral("Druh poľa"), [&](UserField& f) {
            f.kind = UserFieldKind(k);
            // What the new kind must name, as a new field of it would.
            const auto first = [this](UserFieldKind kind) {
                for (const UserField& other : model_.layout().fields)
                    if (other.kind == kind)
                        return other.name;
                return QString();
            };
            if (f.kind == UserFieldKind::Words && f.source.isEmpty())
                f.source = first(UserFieldKind::Amount);
            if (f.kind == UserFieldKind::PayBySquare && f.payment.iban.isEmpty())
                f.payment.iban = first(UserFieldKind::Iban);
            if (f.kind == UserFieldKind::PayBySquare && f.payment.amount.isEmpty())
                f.payment.amount = first(UserFieldKind::Amount);
        });
    });
    length("x_mm", QStringLiteral("Zľava (mm):"), &UserField::xMm);
    length("y_mm", QStringLiteral("Zhora (mm):"), &UserField::yMm);
    length("width_mm", QStringLiteral("Šírka (mm):"), &UserField::widthMm, kindIsNot(UserFieldKind::PayBySquare));
    length("height_mm", QStringLiteral("Výška (mm):"), &UserField::heightMm, kindIsNot(UserFieldKind::PayBySquare));
    numberRow(rows, s, "size_mm", QStringLiteral("Strana kódu (mm):"), 0, 2000, [=] { return at().sizeMm; },
              [this](double v) {
                  editField(QStringLiteral("Veľkosť kódu"), [&](UserField& f) { f.sizeMm = f.widthMm = f.heightMm = v; });
              },
              kindIs(UserFieldKind::PayBySquare));
    choiceRow(rows, s, "align", QStringLiteral("Zarovnanie:"),
              {{QStringLiteral("vľavo"), int(UserAlign::Left)}, {QStringLiteral("vpravo"), int(UserAlign::Right)},
               {QStringLiteral("na stred"), int(UserAlign::Center)}},
              [=] { return int(at().align); },
              [this](int a) { editField(QStringLiteral("Zarovnanie"), [&](UserField& f) { f.align = UserAlign(a); }); });
    countRow(rows, s, "lines", QStringLiteral("Riadkov:"), 1, 100000, QString(), [=] { return at().lines; },
             [this](int v) { editField(QStringLiteral("Riadkov"), [&](UserField& f) { f.lines = v; }); });
    countRow(rows, s, "max_chars", QStringLiteral("Najviac znakov:"), 0, 100000, QStringLiteral("bez obmedzenia"),
             [=] { return at().maxChars; },
             [this](int v) { editField(QStringLiteral("Najviac znakov"), [&](UserField& f) { f.maxChars = v; }); });
    text("fill", QStringLiteral("Vyplniť z osobných údajov:"), &UserField::fill);
    text("source", QStringLiteral("Slovom zo sumy:"), &UserField::source, kindIs(UserFieldKind::Words));
    text("value", QStringLiteral("Pevný text:"), &UserField::value, kindIs(UserFieldKind::Static));
    countRow(rows, s, "boxes_count", QStringLiteral("Políčok:"), 0, 100000, QStringLiteral("žiadne"),
             [=] { return at().boxes ? at().boxes->count : 0; }, [this](int v) {
                 editField(QStringLiteral("Políčka"), [&](UserField& f) {
                     if (v == 0)
                         f.boxes.reset();
                     else
                         f.boxes = UserBoxes{v, f.boxes ? f.boxes->pitchMm : Hundredths(f.widthMm / v)};
                 });
             });
    numberRow(rows, s, "pitch_mm", QStringLiteral("Rozstup políčok (mm):"), 0, 2000,
              [=] { return at().boxes ? at().boxes->pitchMm : 0.0; },
              [this](double v) {
                  editField(QStringLiteral("Rozstup políčok"), [&](UserField& f) {
                      if (f.boxes)
                          f.boxes->pitchMm = v;
                  });
              },
              [=] { return at().boxes.has_value(); });
    textRow(rows, s, "font_family", QStringLiteral("Písmo poľa:"), [=] { return at().font ? at().font->family : QString(); },
            [this](const QString& v) {
                editField(QStringLiteral("Písmo poľa"), [&](UserField& f) {
                    UserFont font = f.font.value_or(UserFont{});
                    font.family = v.trimmed();
                    f.font = fontOrNone(font);
                });
            });
    numberRow(rows, s, "size_pt", QStringLiteral("Veľkosť písma poľa (b):"), 0, 200,
              [=] { return at().font ? at().font->sizePt : 0.0; },
              [this](double v) {
                  editField(QStringLiteral("Veľkosť písma poľa"), [&](UserField& f) {
                      UserFont font = f.font.value_or(UserFont{});
                      font.sizePt = v;
                      f.font = fontOrNone(font);
                  });
              })
        ->setSpecialValueText(QStringLiteral("podľa formulára"));
    const QList<std::tuple<const char*, QString, QString UserPayment::*>> payment = {
        {"payment_iban", QStringLiteral("Kód: IBAN z poľa:"), &UserPayment::iban},
        {"payment_amount", QStringLiteral("Kód: suma z poľa:"), &UserPayment::amount},
        {"payment_vs", QStringLiteral("Kód: VS z poľa:"), &UserPayment::vs},
        {"payment_ks", QStringLiteral("Kód: KS z poľa:"), &UserPayment::ks},
        {"payment_ss", QStringLiteral("Kód: ŠS z poľa:"), &UserPayment::ss},
        {"payment_due", QStringLiteral("Kód: splatnosť z poľa:"), &UserPayment::due},
        {"payment_beneficiary", QStringLiteral("Kód: príjemca z poľa:"), &UserPayment::beneficiary},
        {"payment_message", QStringLiteral("Kód: správa z poľa:"), &UserPayment::message},
    };
    for (const auto& [key, label, member] : payment)
        textRow(rows, s, key, label, [=, m = member] { return at().payment.*m; },
                [this, m = member](const QString& v) {
                    editField(QStringLiteral("Údaje kódu"), [&](UserField& f) { f.payment.*m = v.trimmed(); });
                },
                kindIs(UserFieldKind::PayBySquare));
}
