#include "ui/userforms/Tformular.h"

#include "core/forms/user/UserForm.h"
#include "ui/frame/AppState.h"
#include "ui/widgets/Controls.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <algorithm>

namespace {

constexpr int LabelLeft = 8, EditLeft = 180, EditWidth = 440, RowPitch = 26, MemoLinePitch = 18;
constexpr int ClientWidth = EditLeft + EditWidth + 12;
// A form of more fields scrolls rather than growing off the screen.
constexpr int MostClientHeight = 600, ScrollBarRoom = 18;

int rowHeight(const UserField& f)
{
    return f.kind == UserFieldKind::Text && f.lines > 1 ? f.lines * MemoLinePitch + 10 : RowPitch;
}

int fieldsHeight(const UserLayout& layout)
{
    int height = 8;
    for (const UserField& f : layout.fields)
        height += rowHeight(f);
    return std::max(height, 3 * RowPitch);
}

DocumentLook lookOf(const UserLayout& layout)
{
    const int height = fieldsHeight(layout);
    return height <= MostClientHeight ? DocumentLook{ClientWidth, height, 300, 90, "closeF"}
                                      : DocumentLook{ClientWidth + ScrollBarRoom, MostClientHeight, 300, 60, "closeF"};
}

QString captionOf(const UserField& f)
{
    switch (f.kind) {
    case UserFieldKind::Static:
        return QStringLiteral("Pevný text");
    case UserFieldKind::PayBySquare:
        return QStringLiteral("QR kód");
    default:
        return f.caption.isEmpty() ? f.name : f.caption;
    }
}

} // namespace

Tformular::Tformular(AppState& app, std::shared_ptr<const FormDescription> form)
    : DocumentWindow(app, lookOf(*LayoutOf(*form)), *form), held_(std::move(form))
{
    const UserLayout& layout = *LayoutOf(*held_);
    QWidget* c = client();
    paintClient(c, QColor(0xEE, 0xF3, 0xF3), QColor(0x12, 0x3F, 0x3D));
    if (fieldsHeight(layout) > MostClientHeight) {
        auto* scroll = new QScrollArea(c);
        scroll->setObjectName(QStringLiteral("posuvnik"));
        scroll->setGeometry(0, 0, c->width(), c->height());
        scroll->setFrameShape(QFrame::NoFrame);
        auto* fields = new QWidget;
        fields->setFixedSize(ClientWidth, fieldsHeight(layout));
        paintClient(fields, QColor(0xEE, 0xF3, 0xF3), QColor(0x12, 0x3F, 0x3D));
        scroll->setWidget(fields);
        // Tab brings the next field into view.
        connect(qApp, &QApplication::focusChanged, scroll, [scroll, fields](QWidget*, QWidget* now) {
            if (now && fields->isAncestorOf(now))
                scroll->ensureWidgetVisible(now);
        });
        c = fields;
    }
    int top = 8;
    QWidget* first = nullptr;
    for (const UserField& f : layout.fields) {
        addLabel(c, captionOf(f), LabelLeft, top + 3, false, SmallFontPixels);
        const QByteArray name = f.name.toLatin1();
        if (f.kind == UserFieldKind::Static) {
            addLabel(c, f.value, EditLeft, top + 3, false, SmallFontPixels);
        } else if (f.kind == UserFieldKind::PayBySquare) {
            QLabel* code = addLabel(c, QStringLiteral("PAY by square z polí formulára"), EditLeft, top + 3, false,
                                    SmallFontPixels);
            code->setObjectName(f.name);
        } else if (f.kind == UserFieldKind::Text && f.lines > 1) {
            QPlainTextEdit* memo = addMemo(c, name.constData(), EditLeft, top, EditWidth, rowHeight(f) - 6);
            memo->setLineWrapMode(QPlainTextEdit::NoWrap); // each typed line is a printed one
            first = first ? first : memo;
        } else {
            QLineEdit* e = addEdit(c, name.constData(), EditLeft, top, EditWidth, 0, false, SmallFontPixels + 1);
            if (f.kind == UserFieldKind::Words) {
                e->setReadOnly(true);
                e->setFocusPolicy(Qt::NoFocus);
                QPalette pal = e->palette(); // shown, not typed into
                pal.setColor(QPalette::Base, c->palette().color(QPalette::Window));
                e->setPalette(pal);
            } else {
                first = first ? first : e;
            }
            if (f.kind == UserFieldKind::Amount)
                connect(e, &QLineEdit::textChanged, this,
                        [this, field = f.name](const QString& text) { amountTyped(field, text); });
        }
        top += rowHeight(f);
    }
    connect(closeItem, &QAction::triggered, this, &QWidget::close);
    adoptControls();
    app.guarded([this] { FillFromPersonalData(); });
    if (first)
        first->setFocus();
}

bool Tformular::readyToPrint(PrintIntent intent)
{
    if (intent == PrintIntent::Alignment)
        return true;
    FieldTexts texts = controlTexts();
    const QList<FieldProblem> problems = form().check(app().programFolder(), texts);
    if (problems.isEmpty())
        return true;
    app().platform.showMessage(problems.first().text);
    if (QWidget* field = client()->findChild<QWidget*>(problems.first().field))
        field->setFocus(); // where the user mends it
    return false;
}

void Tformular::FillFromPersonalData()
{
    for (const char* name : form().clearedFields)
        if (QWidget* w = client()->findChild<QWidget*>(QLatin1String(name))) {
            if (auto* e = qobject_cast<QLineEdit*>(w))
                e->clear();
            else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
                m->clear();
        }
    fillControls(form().fill(app().settings(), app().personal()));
}

void Tformular::amountTyped(const QString& field, const QString& text)
{
    // Words that cannot say the text are emptied: the print's check tells why.
    const std::optional<FieldTexts> words = form().amountWords(field, text);
    const UserLayout& layout = *LayoutOf(form());
    for (const UserField& f : layout.fields)
        if (f.kind == UserFieldKind::Words && f.source == field)
            if (auto* e = client()->findChild<QLineEdit*>(f.name))
                setFieldText(e, words ? words->text(f.name) : QString());
}
