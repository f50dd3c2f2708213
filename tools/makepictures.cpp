// Build tool: draws the pictures that ship with the program into the build
// folder: the about box's JPEG, the desktop icons, and the help's pictures
// (the real windows, filled with an example, and the printer alignment
// sketch). Usage: makepictures <build folder> <tips file>
#include "ui/frame/AppState.h"
#include "app/Composition.h"
#include "ui/desktop/Desktop.h"
#include "core/base/Jpeg.h"
#include "ui/frame/Pictures.h"
#include "app/TForm1.h"
#include "core/print/PrintCanvas.h"
#include "tools/AlignmentSketch.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPrinter>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// The desktop as a build sees it: no one to answer, no printer, tip 0. The
// windows are drawn, never run, so only these concerns are played.
class SilentMessages : public MessageSeam {
public:
    void showMessage(const QString& text) override { std::fprintf(stderr, "makepictures: %s\n", qPrintable(text)); }
    void showHint(QWidget*, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
};

class TipZero : public RandomSeam {
public:
    int randomBelow(int) override { return 0; }
};

// The alignment dialog lists the current printer: always a PDF file here, so
// the picture does not depend on the build machine's printers.
class PdfOnly : public PrintDialogSeam {
public:
    std::unique_ptr<PrintCanvas> runPrintDialog(QWidget*) override { return nullptr; }
    QPrinter& currentPrinter() override
    {
        if (!printer_) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
        }
        return *printer_;
    }
    std::optional<QFont> runFontDialog(QWidget*, const QFont&) override { return std::nullopt; }
    QString chooseFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    bool progressStep(QProgressDialog&, int) override { return false; }

private:
    std::unique_ptr<QPrinter> printer_;
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "makepictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool writePng(const QString& path, const QImage& image)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "makepictures: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// Types `text` into the control named `name`, as a user would leave it.
void fill(QWidget* window, const char* name, const QString& text)
{
    if (auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name)))
        edit->setText(text);
    else if (auto* memo = window->findChild<QPlainTextEdit*>(QString::fromLatin1(name)))
        memo->setPlainText(text);
}

QImage shot(QWidget* window)
{
    window->show();
    QApplication::processEvents();
    return window->grab().toImage();
}

void exampleRecords(AppState& app)
{
    app.records.LoadOrCreatePersonalData();
    app.records.LoadOrCreateSettings();
    PersonalData& p = app.personal();
    const std::pair<Personal, const char*> owner[] = {
        {Personal::titul, "Ing."},          {Personal::meno, "Ján"},      {Personal::priezvisko, "Košický"},
        {Personal::ulica, "Hlavná"},         {Personal::cd, "12"},         {Personal::psc, "04001"},
        {Personal::mesto, "Košice"},         {Personal::stat, "SR"},       {Personal::CU, "1234567890/0900"},
        {Personal::PU, "Slovenská sporiteľňa"}, {Personal::nazov, "Ján Košický"}, {Personal::ksymbol, "0558"},
        {Personal::PV, "04001"},             {Personal::pv2, "Košice 1"}};
    for (const auto& [field, text] : owner)
        p.set(field, toCp1250(QString::fromUtf8(text)));
    ProgramSettings& s = app.settings();
    for (Flag f : {Flag::AddName, Flag::AddAddress, Flag::AutoAmountInWords, Flag::AddAccount, Flag::AddBank,
                   Flag::AllowMultipleForms, Flag::AddConstantSymbol, Flag::SlipAOwnerIsRecipient,
                   Flag::SlipCOwnerIsSender, Flag::SlipDOwnerIsSender, Flag::EnvelopeOwnerIsSender})
        s.setFlag(f, true);
    // The launcher loads both records again when it starts.
    app.records.SavePersonalData();
    app.records.SaveSettings();
}

// The windows as a user with the example data sees them, in a program folder
// of their own that holds the shipped tips and about picture.
bool helpPictures(const QString& out, const QString& tips, const QByteArray& about)
{
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir(folder.path()).mkpath(QStringLiteral("data"))
        || !QFile::copy(tips, folder.filePath(QStringLiteral("data/subor1.tip")))
        || !writeFile(folder.filePath(QStringLiteral("data/oprograme.jpg")), about)) {
        std::fprintf(stderr, "makepictures: cannot set up a program folder\n");
        return false;
    }
    SilentMessages messages;
    TipZero tips0;
    PdfOnly pdf;
    Platform platform;
    platform.use(messages);
    platform.use(tips0);
    platform.use(pdf);
    AppState app(folder.path(), platform);
    RegisterDocumentWindows(app);
    exampleRecords(app);
    const QString pictures = out + QStringLiteral("/data/pomoc/");
    bool ok = true;
    {
        TForm1 launcher(app);
        ok &= writePng(pictures + QStringLiteral("spustac.png"), shot(&launcher));
    }
    struct Example {
        FormKind kind;
        const char* file;
        QList<std::pair<const char*, QString>> typed;
    };
    const QList<Example> examples{
        {FormKind::SlipA, "poukazka-a.png",
         {{"suma", QStringLiteral("1250")}, {"hal", QStringLiteral("5")}, {"vsymbol", QStringLiteral("20240017")},
          {"od1", QStringLiteral("Eva Malá")}, {"od2", QStringLiteral("Nová 3")}, {"odpsc", QStringLiteral("01001")},
          {"od3", QStringLiteral("Žilina")}}},
        {FormKind::SlipC, "poukazka-c.png",
         {{"suma", QStringLiteral("300")}, {"hal", QStringLiteral("0")}, {"ad1", QStringLiteral("Mária Nováková")},
          {"ad2", QStringLiteral("Záhradná 7")}, {"adpsc", QStringLiteral("97401")},
          {"ad3", QStringLiteral("Banská Bystrica")}}},
        {FormKind::SlipD, "poukazka-d.png",
         {{"suma", QStringLiteral("4999")}, {"hal", QStringLiteral("9")}, {"ad1", QStringLiteral("Peter Horák")},
          {"ad2", QStringLiteral("Lipová 21")}, {"adpsc", QStringLiteral("08001")}, {"ad3", QStringLiteral("Prešov")}}},
        {FormKind::Envelope, "obalka.png",
         {{"adr", QStringLiteral("Obecný úrad\nNámestie 1\n05201 Spišská Nová Ves")}}},
    };
    for (const Example& e : examples) {
        std::unique_ptr<QWidget> window(app.createWindow(e.kind));
        if (!window)
            continue;
        for (const auto& [name, text] : e.typed)
            fill(window.get(), name, text);
        ok &= writePng(pictures + QString::fromLatin1(e.file), shot(window.get()));
    }
    const std::pair<DialogKind, const char*> dialogs[] = {{DialogKind::ProgramSettings, "nastavenia.png"},
                                                          {DialogKind::PersonalData, "osobne.png"},
                                                          {DialogKind::About, "oprograme.png"}};
    for (const auto& [kind, file] : dialogs)
        if (std::unique_ptr<QDialog> dialog = app.createDialog(kind))
            ok &= writePng(pictures + QString::fromLatin1(file), shot(dialog.get()));
    ok &= writePng(pictures + QStringLiteral("zarovnanie.png"), AlignmentSketch());
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makepictures <build folder> <tips file>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SubstituteWindowsFaces();
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;

    const QByteArray about = EncodeJpeg(Pictures::aboutPicture(), 92);
    ok &= !about.isEmpty() && writeFile(out + QStringLiteral("/data/oprograme.jpg"), about);
    for (int side : {48, 128, 256})
        ok &= writePng(out + QStringLiteral("/icons/%1x%1/apps/zelvana.png").arg(side), Pictures::programIcon(side));
    ok &= helpPictures(out, QString::fromLocal8Bit(argv[2]), about);
    return ok ? 0 : 1;
}
