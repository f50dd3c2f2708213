#include "ui/envelopes/Tobl.h"

#include "ui/frame/AppState.h"
#include "ui/widgets/CodePageMemo.h"
#include "ui/widgets/Controls.h"
#include "ui/widgets/DialogControls.h"
#include "core/forms/envelope/EnvelopeForm.h"
#include "ui/envelopes/EnvelopePictures.h"
#include "core/forms/envelope/TemplateList.h"
#include "core/forms/envelope/TemplateName.h"
#include "core/records/PersonalJoins.h"
#include "core/print/PrintCanvas.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

const DocumentLook Tobl::Look{382, 225, 356, 107, "closeF"};

namespace {

// Every typed line is one printed line: no wrapping, a horizontal scroll bar.
QPlainTextEdit* addLineMemo(QWidget* parent, const char* name, QRect geometry, bool bold)
{
    auto* memo = new CodePageMemo(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setGeometry(geometry);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    QFont font = memo->font();
    font.setPixelSize(SmallFontPixels);
    font.setBold(bold);
    memo->setFont(font);
    QPalette pal = memo->palette();
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    memo->setPalette(pal);
    return memo;
}

} // namespace

Tobl::Tobl(AppState& app) : DocumentWindow(app, Look, EnvelopeForm())
{
    QWidget* c = client();
    paintClient(c, QColor(0xF6, 0xEB, 0xD9), QColor(0x5A, 0x3A, 0x12));
    addLabel(c, QStringLiteral("Odosielateľ:"), 8, 4, false, SmallFontPixels);
    od = addLineMemo(c, "od", {8, 19, 184, 66}, false);
    addLabel(c, QStringLiteral("Poznámka"), 8, 90, false, SmallFontPixels);
    pozn = addLineMemo(c, "pozn", {8, 105, 184, 52}, false);
    addLabel(c, QStringLiteral("Šablóna pre obálku"), 8, 164, false, SmallFontPixels);
    sablona = makeCombo(c, "sablona");
    sablona->setGeometry(8, 179, 184, 21);

    Image1 = new QLabel(c);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(290, 6, 84, 60);
    Image1->setPixmap(Pictures::envelopeStamp(QSize(84, 60)));
    addLabel(c, QStringLiteral("Adresát"), 204, 90, false, SmallFontPixels);
    adr = addLineMemo(c, "adr", {204, 105, 170, 95}, true);

    FileListBox1 = new QListWidget(c);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->hide();

    connect(closeItem, &QAction::triggered, this, &Tobl::closeFClick);
    adoptControls();
    FormCreate();
    adr->setFocus();
}

void Tobl::FormCreate()
{
    // A data folder that cannot be listed stops the rest: no list, no name,
    // no addresses; the window opens all the same.
    app().guarded([this] {
        FileListBox1->addItems(ListTemplateFolder(DataFolder(app().programFolder())));
        for (int i = 0; i < FileListBox1->count(); ++i)
            sablona->addItem(FileListBox1->item(i)->text());
        setFieldText(sablona, fromCp1250(app().settings().envelopeTemplateName()));
        FillEnvelopeFromPersonalData();
    });
}

void Tobl::FillEnvelopeFromPersonalData()
{
    FieldTexts texts = form().fill(app().settings(), app().personal());
    // The template stays as chosen; it is set once, when the window opens.
    texts.remove(QStringLiteral("sablona"));
    fillControls(texts);
}

EnvelopeLines Tobl::lines() const
{
    return {MemoTextLines(od->toPlainText()), MemoTextLines(pozn->toPlainText()),
            MemoTextLines(adr->toPlainText())};
}

std::optional<EnvelopeTemplate> Tobl::usableTemplate()
{
    // The name as typed, extension and all; it must name a file in data and
    // nowhere else.
    const QString name = sablona->currentText();
    if (!IsPlainFileName(name)) {
        app().platform.showMessage(CannotOpenTemplateMessage);
        return std::nullopt;
    }
    EnvelopeTemplate t;
    try {
        t = ReadTemplateFile(QFile::encodeName(TemplatePath(app().programFolder(), name)).toStdString());
    } catch (const TemplateOpenError&) {
        app().platform.showMessage(CannotOpenTemplateMessage);
        return std::nullopt;
    } catch (const FileError& e) {
        app().platform.showMessage(QString::fromLocal8Bit(e.what()));
        return std::nullopt;
    }
    QString why = TemplateNameUnusable(name);
    if (why.isEmpty())
        why = TemplateSizeUnusable(t);
    if (!why.isEmpty()) {
        app().platform.showMessage(UnusableTemplateMessage.arg(name, why));
        return std::nullopt;
    }
    return t;
}

bool Tobl::readyToPrint(PrintIntent intent)
{
    // The template is read first, and a file error shown.
    return DocumentWindow::readyToPrint(intent) && usableTemplate().has_value();
}
