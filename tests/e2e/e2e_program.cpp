// The real program in a fresh program folder on its own X server with a window
// manager, used the way a person uses it: only key presses, typed text and
// mouse clicks sent through xdotool. What it prints goes through Qt's own print
// dialog into PDF files, which are read back and held against the layouts; what
// it saves is read back from its record files and survives a restart.
#include "core/base/Cp1250.h"
#include "core/records/PersonalData.h"
#include "core/records/ProgramSettings.h"
#include "core/print/QtPrintCanvas.h"
#include "support/PdfPlacement.h"
#include "support/XDesktop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// A helper's failure ends the test function at once.
#define STEP(call)                                                                                                     \
    do {                                                                                                               \
        call;                                                                                                          \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

using xdesktop::fileBytes;
using xdesktop::SlovakKeys;


class EndToEnd : public QObject, protected XDesktop {
    Q_OBJECT

    QTemporaryDir work_;
    QString prog_, home_, out_;
    std::unique_ptr<QProcess> wm_, app_;
    bool broken_ = false;
    QHash<QString, QByteArray> kept_; // the record files as the dialogs left them

    QString path(const QString& name) const { return work_.path() + QLatin1Char('/') + name; }

    bool waitPdf(const QString& file)
    {
        return waitFile(file, [&] { return IsCompletePdf(file); });
    }

    bool waitChanged(const QString& file, const QByteArray& before)
    {
        return waitFile(file, [&] { return fileBytes(file) != before; });
    }

    // The page the program prints on when the dialog chose a PDF file.
    static void pdfPrinter(QPrinter& printer)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    // Fills the open print dialog for a PDF file by keyboard and prints.
    void printDialogToPdf(const QString& pdf, const QString& shotName)
    {
        const QString dialog = waitWindow(QStringLiteral("^Tlačiť$"));
        QVERIFY2(!dialog.isEmpty(), "no print dialog");
        QVERIFY(activate(dialog));
        // "Názov": the last printer of the list is the PDF file.
        keys({QStringLiteral("alt+n"), QStringLiteral("End")});
        // "Výstupný súbor": the whole path replaced.
        keys({QStringLiteral("alt+s"), QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
        type(pdf);
        STEP(shot(shotName, dialog));
        key(QStringLiteral("Return"));
        QVERIFY2(waitGone(dialog), "the print dialog stays open");
        // A text that would leave its place is asked about before the job:
        // the user prints anyway ("Áno", left of the default "Nie").
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!deadline.hasExpired() && !(QFileInfo::exists(pdf) && IsCompletePdf(pdf))) {
            const QStringList boxes = visibleWindows(QStringLiteral("^Zelvana 1\\.0\\.1$"));
            if (!boxes.isEmpty() && activate(boxes.last())) {
                shot(shotName + QStringLiteral("-asked"), boxes.last());
                keys({QStringLiteral("shift+Tab"), QStringLiteral("space")});
                QVERIFY2(waitGone(boxes.last()), "the question stays open");
            }
            QTest::qWait(50);
        }
        QVERIFY2(waitPdf(pdf), qPrintable(pdf + " was not written whole"));
    }

    void printWindow(const QString& window, const QString& pdf, const QString& shotName)
    {
        QVERIFY(activate(window));
        key(QStringLiteral("ctrl+p"));
        printDialogToPdf(pdf, shotName);
    }

    void checkPage(const QString& pdf, double referenceMm, const QList<PdfExpect>& expected, int page = 1)
    {
        QString error;
        const QList<PdfWord> words = pdfWords(pdf, &error, page);
        QVERIFY2(!words.isEmpty(), qPrintable(pdf + ": " + error));
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer);
        checkPdfPlacement(words, printer, referenceMm, expected);
        // Printed in the font chosen in the settings.
        const QByteArray fonts = run(QStringLiteral("pdffonts"), {pdf});
        QVERIFY2(fonts.contains("DejaVuSansMono"), fonts.constData());
    }

    int pageCount(const QString& pdf)
    {
        const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
        static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
        return pages.match(info).captured(1).toInt();
    }

    void startProgram()
    {
        app_ = std::make_unique<QProcess>();
        app_->setProcessEnvironment(env_);
        app_->setWorkingDirectory(home_);
        app_->setProcessChannelMode(QProcess::ForwardedChannels);
        app_->start(prog_ + QStringLiteral("/zelvana"), {});
        QVERIFY2(app_->waitForStarted(CommandTimeoutMs), qPrintable(app_->errorString()));
        programPid_ = app_->processId();
    }

    QString launcher()
    {
        const QString w = waitWindow(QStringLiteral("^Zelvana$"));
        [&] { QVERIFY2(!w.isEmpty(), "no launcher window"); }();
        return w;
    }

    // A slip or envelope window opened with a click on the launcher's picture button.
    QString openFromLauncher(int buttonTop, const QString& caption)
    {
        const QString l = launcher();
        if (l.isEmpty())
            return {};
        activate(l);
        click(l, 60, buttonTop + 22);
        const QString w = waitWindow(QLatin1Char('^') + caption + QLatin1Char('$'));
        [&] { QVERIFY2(!w.isEmpty(), qPrintable(caption + " did not open")); }();
        if (!w.isEmpty())
            activate(w);
        return w;
    }

    // An item of the launcher's popup menu, `downs` presses of Down from its top.
    void launcherMenu(int downs)
    {
        const QString l = launcher();
        QVERIFY(!l.isEmpty());
        // The heading on the left is background; document windows never cover it.
        QVERIFY2(openMenu(l, 150, 40, 3), "the launcher's menu did not open");
        QStringList presses;
        for (int i = 0; i < downs; ++i)
            presses << QStringLiteral("Down");
        keys(presses << QStringLiteral("Return"));
    }

    // An item of the "Súbor" menu of a document window.
    void fileMenu(const QString& window, int downs)
    {
        QVERIFY2(openMenu(window, 20, 9, 1), "the Súbor menu did not open");
        QStringList presses;
        for (int i = 0; i < downs; ++i)
            presses << QStringLiteral("Down");
        keys(presses << QStringLiteral("Return"));
    }

    void closeProgram()
    {
        const QString l = launcher();
        QVERIFY(!l.isEmpty());
        QVERIFY(activate(l));
        click(l, 370 + 12, 4 + 11); // Image6, "Zavrieť"
        QVERIFY2(app_->waitForFinished(WindowTimeoutMs), "the program did not end");
        QCOMPARE(app_->exitStatus(), QProcess::NormalExit);
        QCOMPARE(app_->exitCode(), 0);
    }

    // zelvana-batch of the program folder prints `table` on form `form` into `pdf`.
    void runBatch(const QString& form, const QString& table, const QString& pdf)
    {
        QProcess batch;
        batch.setProcessEnvironment(env_); // the desktop's platform: the batch picks its own
        batch.setWorkingDirectory(home_);
        batch.start(prog_ + QStringLiteral("/zelvana-batch"),
                    {QStringLiteral("--form"), form, QStringLiteral("--input"), table, QStringLiteral("--output"), pdf});
        QVERIFY(batch.waitForFinished(WindowTimeoutMs));
        QVERIFY2(batch.exitStatus() == QProcess::NormalExit && batch.exitCode() == 0,
                 batch.readAllStandardError().constData());
        QVERIFY(IsCompletePdf(pdf));
    }

    void compareKept()
    {
        for (auto it = kept_.cbegin(); it != kept_.cend(); ++it)
            QVERIFY2(fileBytes(prog_ + QLatin1Char('/') + it.key()) == it.value(), qPrintable(it.key() + " changed"));
    }

public:
    EndToEnd()
    {
        env_ = QProcessEnvironment::systemEnvironment();
    }

private slots:
    // The steps build on each other: after a failed one the rest would only
    // wait out their timeouts.
    void init()
    {
        if (broken_)
            QSKIP("an earlier step failed");
    }
    void cleanup()
    {
        if (!QTest::currentTestFailed())
            return;
        broken_ = true;
        // The whole screen as the failure left it.
        const QString file = shots_ + QStringLiteral("/failed-%1.png").arg(QString::fromLatin1(QTest::currentTestFunction()));
        if (QGuiApplication::primaryScreen()->grabWindow(0).save(file))
            qInfo().noquote() << "screen at the failure:" << file;
    }

    void initTestCase()
    {
        QVERIFY(work_.isValid());
        prog_ = path(QStringLiteral("Zelvana"));
        home_ = path(QStringLiteral("home"));
        // Paths typed into the program's dialogs: lower case, no shifted
        // characters, so that nothing but plain keys is typed there.
        out_ = QDir::tempPath() + QStringLiteral("/zelvana-e2e-%1").arg(QCoreApplication::applicationPid());
        QDir(out_).removeRecursively();
        shots_ = QStringLiteral(ZELVANA_E2E_SHOTS);
        QDir(shots_).removeRecursively();
        for (const QString& dir : {prog_ + QStringLiteral("/data"), home_, out_, path(QStringLiteral("runtime")), shots_})
            QVERIFY(QDir().mkpath(dir));
        QFile::setPermissions(path(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qInfo().noquote() << "screenshots in" << shots_;

        // A program folder as the build folder holds it, with no record files yet.
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BINARY), prog_ + QStringLiteral("/zelvana")));
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BATCH_BINARY), prog_ + QStringLiteral("/zelvana-batch")));
        QVERIFY(QFile::copy(QStringLiteral(ZELVANA_BUILD_FOLDER "/pomoc.hlp"), prog_ + QStringLiteral("/pomoc.hlp")));
        const QDir data(QStringLiteral(ZELVANA_BUILD_FOLDER "/data"));
        for (const QString& name : data.entryList(QDir::Files))
            QVERIFY(QFile::copy(data.filePath(name), prog_ + QStringLiteral("/data/") + name));
        QVERIFY(QFileInfo::exists(prog_ + QStringLiteral("/data/subor1.tip")));

        env_.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
        env_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env_.insert(QStringLiteral("HOME"), home_);
        env_.insert(QStringLiteral("XDG_CONFIG_HOME"), home_ + QStringLiteral("/.config"));
        env_.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        env_.insert(QStringLiteral("CUPS_SERVER"), qEnvironmentVariable("CUPS_SERVER"));
        env_.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        // Leaks of the program itself still fail the run: only libdbus's is known.
        env_.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" ZELVANA_E2E_LSAN_SUPPRESSIONS ":print_suppressions=0"));
        env_.remove(QStringLiteral("SESSION_MANAGER"));

        // The window manager, and the keys for Slovak letters.
        wm_ = std::make_unique<QProcess>();
        wm_->setProcessEnvironment(env_);
        wm_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        wm_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        QVERIFY2(wm_->waitForStarted(CommandTimeoutMs), qPrintable(wm_->errorString()));
        const QDeadlineTimer deadline(WindowTimeoutMs);
        while (!run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains("window id")) {
            QVERIFY2(!deadline.hasExpired() && wm_->state() == QProcess::Running, "openbox did not come up");
            QTest::qWait(50);
        }

        const QString keymap = path(QStringLiteral("keymap.xkb"));
        int code = -1;
        run(QStringLiteral("xkbcomp"), {QStringLiteral("-xkb"), env_.value(QStringLiteral("DISPLAY")), keymap}, &code);
        QCOMPARE(code, 0);
        QByteArray map = fileBytes(keymap);
        const qsizetype symbols = map.indexOf("xkb_symbols");
        const qsizetype end = map.indexOf("\n};", symbols);
        QVERIFY(symbols > 0 && end > symbols);
        QByteArray added;
        int keycode = 210; // keys that no keyboard of this machine has
        for (const auto& pair : SlovakKeys)
            added += QByteArray("    key <I") + QByteArray::number(keycode++) + "> { type= \"TWO_LEVEL\", symbols[Group1]= [ "
                     + pair[0] + ", " + pair[1] + " ] };\n";
        map.insert(end, "\n" + added);
        QFile f(keymap);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(map) == map.size());
        f.close();
        run(QStringLiteral("xkbcomp"), {QStringLiteral("-w0"), keymap, env_.value(QStringLiteral("DISPLAY"))}, &code);
        QCOMPARE(code, 0);

        STEP(startProgram());
        QVERIFY(!launcher().isEmpty());
        // A new installation: both record files and the bank list are created.
        QVERIFY(waitFile(prog_ + QStringLiteral("/program.nas"), [] { return true; }));
        QVERIFY(waitFile(prog_ + QStringLiteral("/uziv.nas"), [] { return true; }));
        STEP(shot(QStringLiteral("launcher"), launcher()));
    }

    void envelopeTemplateWizard()
    {
        STEP(launcherMenu(4)); // "Nová šablóna na obálku"
        const QString wizard = waitWindow(QStringLiteral("^Sprievodca na vytvorenie šablóny pre obálku\\.$"));
        QVERIFY2(!wizard.isEmpty(), "the wizard did not open");
        QVERIFY(activate(wizard));
        // Page 1: width, height, name; page 2: the font values as offered.
        keys({QStringLiteral("ctrl+a")});
        type(QStringLiteral("110"));
        keys({QStringLiteral("Tab"), QStringLiteral("ctrl+a")});
        type(QStringLiteral("220"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("e2e"));
        STEP(shot(QStringLiteral("wizard-size"), wizard));
        key(QStringLiteral("Return"));
        key(QStringLiteral("Return"));
        const QString file = prog_ + QStringLiteral("/data/e2e.obl");
        QVERIFY2(waitFile(file, [&] { return QFileInfo(file).size() == 16; }), "no template written");
        STEP(shot(QStringLiteral("wizard-done"), wizard));
        key(QStringLiteral("Escape"));
        QVERIFY(waitGone(wizard));
        QByteArray expected;
        for (qint32 v : {110, 220, 11, 9})
            expected.append(reinterpret_cast<const char*>(&v), 4);
        QCOMPARE(fileBytes(file), expected);
    }

    void programSettings()
    {
        const QString file = prog_ + QStringLiteral("/program.nas");
        const QByteArray before = fileBytes(file);
        STEP(launcherMenu(6)); // "Nastavenia programu"
        const QString dialog = waitWindow(QStringLiteral("^Nastavenia programu$"));
        QVERIFY2(!dialog.isEmpty(), "the settings dialog did not open");
        QVERIFY(activate(dialog));
        // "Všeobecné": name, address, country, words, then (past "Pri spustení")
        // account, bank and several windows at once.
        keys({"Tab", "space", "Tab", "space", "Tab", "space", "Tab", "space", "Tab", "Tab", "space", "Tab", "space",
              "Tab", "space"});
        STEP(shot(QStringLiteral("settings-general"), dialog));
        // "Ostatné nastavenia": A as sender, constant symbol, C as recipient,
        // D and the envelope as sender, the new template.
        keys({"ctrl+Tab", "space", "Down", "Tab", "space", "Tab", "space", "Tab", "space", "Down", "Tab", "space", "Down",
              "Tab"});
        type(QStringLiteral("e2e.obl"));
        STEP(shot(QStringLiteral("settings-other"), dialog));
        // "Tlač": the font only through the font dialog behind "...".
        keys({"ctrl+Tab", "Tab", "Tab", "space"});
        const QString fonts = waitWindow(QStringLiteral("^Vybrať písmo$"));
        QVERIFY2(!fonts.isEmpty(), "no font dialog");
        QVERIFY(activate(fonts));
        type(QStringLiteral("DejaVu Sans Mono"));
        keys({QStringLiteral("alt+v"), QStringLiteral("ctrl+a")}); // "Veľkosť"
        type(QStringLiteral("12"));
        STEP(shot(QStringLiteral("font-dialog"), fonts));
        key(QStringLiteral("Return"));
        QVERIFY(waitGone(fonts));
        QVERIFY(activate(dialog));
        STEP(shot(QStringLiteral("settings-print"), dialog));
        key(QStringLiteral("Return"));
        QVERIFY(waitGone(dialog));
        QVERIFY2(waitChanged(file, before), "program.nas not saved");

        ProgramSettings s;
        const QByteArray bytes = fileBytes(file);
        QCOMPARE(bytes.size(), qsizetype(ProgramSettings::Size));
        std::memcpy(s.data(), bytes.constData(), ProgramSettings::Size);
        const QList<Flag> on{Flag::AddName, Flag::AddAddress, Flag::AddCountry, Flag::AutoAmountInWords,
                             Flag::AddAccount, Flag::AddBank, Flag::AllowMultipleForms, Flag::AddConstantSymbol,
                             Flag::SlipAOwnerIsSender, Flag::SlipCOwnerIsRecipient, Flag::SlipDOwnerIsSender,
                             Flag::EnvelopeOwnerIsSender};
        for (int i = 0; i < ProgramSettings::FlagCount; ++i)
            QVERIFY2(s.flag(i) == on.contains(Flag(i)), qPrintable(QStringLiteral("flag %1").arg(i)));
        QCOMPARE(fromCp1250(s.envelopeTemplateName()), QStringLiteral("e2e.obl"));
        QCOMPARE(fromCp1250(s.printFontName()), QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(s.printFontSize(), 12);
    }

    void personalData()
    {
        const QString file = prog_ + QStringLiteral("/uziv.nas");
        const QByteArray before = fileBytes(file);
        STEP(launcherMenu(5)); // "Osobné nastavenia"
        const QString dialog = waitWindow(QStringLiteral("^Osobné údaje$"));
        QVERIFY2(!dialog.isEmpty(), "the personal data dialog did not open");
        QVERIFY(activate(dialog));
        // "Adresa", in its tab order: meno, priezvisko, ulica, cd, mesto, psc, stat, titul.
        // No Tab after the last field: it would lead on to the buttons.
        typeFields({"Ľubomír", "Šťastný", "Hviezdoslavova", "12", "Žilina", "01001", "Slovensko", "Ing."});
        STEP(shot(QStringLiteral("personal-address"), dialog));
        // "Ostatné údaje": the bank, added to the list with the button beside it.
        key(QStringLiteral("ctrl+Tab"));
        type(QStringLiteral("Tatra banka"));
        keys({QStringLiteral("Tab"), QStringLiteral("space"), QStringLiteral("Tab")});
        typeFields({"2612345678/1100", "Ľubomír Šťastný", "0308", "01001", "Žilina 1"});
        STEP(shot(QStringLiteral("personal-other"), dialog));
        key(QStringLiteral("Return"));
        QVERIFY(waitGone(dialog));
        QVERIFY2(waitChanged(file, before), "uziv.nas not saved");

        PersonalData p;
        const QByteArray bytes = fileBytes(file);
        QCOMPARE(bytes.size(), qsizetype(PersonalData::Size));
        std::memcpy(p.data(), bytes.constData(), PersonalData::Size);
        const QList<std::pair<Personal, const char*>> fields{
            {Personal::meno, "Ľubomír"},   {Personal::priezvisko, "Šťastný"}, {Personal::ulica, "Hviezdoslavova"},
            {Personal::cd, "12"},          {Personal::mesto, "Žilina"},       {Personal::psc, "01001"},
            {Personal::stat, "Slovensko"}, {Personal::titul, "Ing."},         {Personal::PU, "Tatra banka"},
            {Personal::CU, "2612345678/1100"}, {Personal::nazov, "Ľubomír Šťastný"}, {Personal::ksymbol, "0308"},
            {Personal::PV, "01001"},       {Personal::pv2, "Žilina 1"}};
        for (const auto& [field, text] : fields)
            QCOMPARE(fromCp1250(p.get(field)), QString::fromUtf8(text));
        QCOMPARE(fileBytes(prog_ + QStringLiteral("/banky.cbx")), QByteArray("Tatra banka\r\n"));

        for (const char* name : {"program.nas", "uziv.nas", "banky.cbx", "data/e2e.obl"})
            kept_.insert(QString::fromLatin1(name), fileBytes(prog_ + QLatin1Char('/') + QLatin1String(name)));
    }

    void slipA()
    {
        const QString w = openFromLauncher(82, QStringLiteral("Poštová poukážka typu A"));
        QVERIFY(!w.isEmpty());
        // Focus starts in the amount; the tab order runs down the form. The
        // sender lines and the constant symbol came from the personal data.
        keys({QStringLiteral("End"), QStringLiteral("BackSpace")});
        type(QStringLiteral("1234"));
        keys({QStringLiteral("Tab"), QStringLiteral("End"), QStringLiteral("BackSpace")});
        type(QStringLiteral("5"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("Slovenská sporiteľňa"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("9876543210"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("0900"));
        keys({QStringLiteral("Tab"), QStringLiteral("Tab")});
        type(QStringLiteral("Mária Kováčová"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("81101"));
        key(QStringLiteral("Tab"));
        type(QStringLiteral("Bratislava 1"));
        // The variable symbol by a click into its field.
        STEP(clickControl(w, 344, 180, 240 + 10));
        type(QStringLiteral("20261208"));
        const QString pdf = out_ + QStringLiteral("/slip-a.pdf");
        STEP(printWindow(w, pdf, QStringLiteral("print-dialog-a")));
        STEP(shot(QStringLiteral("slip-a"), w));
        checkPage(pdf, 102,
                  {{"-1234-", 8, 39, 4},
                   {"-50-", 8, 69, 4},
                   // The words lines, filled as the amount was typed since the settings say so.
                   {QStringLiteral("-jedentisícdvestotridsaťštyri-"), 16, 14, 1},
                   {QStringLiteral("-päťdesiat-"), 21, 65, 1},
                   {QStringLiteral("Slovenská"), 27, 22, 4},
                   {"9876543210", 31, 40, 3},
                   {"0900", 31, 63, 3},
                   {"0308", 42, 3, 3},
                   {QStringLiteral("Mária"), 40, 29, 4},
                   {"Bratislava", 50, 25, 1},
                   {"Ing.", 57, 25, 4},
                   {"Hviezdoslavova", 63, 25, 4},
                   {QStringLiteral("Žilina"), 69, 25, 4},
                   {"20261208", 41, 97, 2},
                   {"9876543210/0900", 34, 203, 1}});
    }

    void slipC()
    {
        const QString w = openFromLauncher(139, QStringLiteral("Poštová poukážka typu C"));
        QVERIFY(!w.isEmpty());
        keys({QStringLiteral("End"), QStringLiteral("BackSpace")});
        type(QStringLiteral("250"));
        // The recipient came from the personal data; the sender is typed,
        // starting with a click into its first line.
        STEP(clickControl(w, 258, 150, 184 + 10));
        typeFields({"Mária Kováčová", "Štúrova 5", "81101", "Bratislava"});
        const QString pdf = out_ + QStringLiteral("/slip-c.pdf");
        STEP(printWindow(w, pdf, QStringLiteral("print-dialog-c")));
        STEP(shot(QStringLiteral("slip-c"), w));
        checkPage(pdf, 102,
                  {{"-250-", 11, 35, 4},
                   {"-00-", 11, 72, 4},
                   {"Ing.", 35, 13, 4},
                   {"Hviezdoslavova", 41, 13, 4},
                   {QStringLiteral("Žilina"), 47, 24, 4},
                   {"01001", 47, 85, 3},
                   {QStringLiteral("Mária"), 59, 24, 4},
                   {QStringLiteral("Štúrova"), 65, 24, 4},
                   {"81101", 71, 142, 3},
                   {"Bratislava", 71, 24, 4}});
    }

    void slipD()
    {
        const QString w = openFromLauncher(197, QStringLiteral("Poštová poukážka typu D"));
        QVERIFY(!w.isEmpty());
        keys({QStringLiteral("End"), QStringLiteral("BackSpace")});
        type(QStringLiteral("77"));
        keys({QStringLiteral("Tab"), QStringLiteral("End"), QStringLiteral("BackSpace")});
        type(QStringLiteral("5"));
        key(QStringLiteral("Tab"));
        typeFields({"Mária Kováčová", "Štúrova 5", "81101", "Bratislava"});
        // The bank's short code by a click; bank and account came from the personal data.
        STEP(clickControl(w, 273, 160, 200 + 10));
        type(QStringLiteral("TATR"));
        const QString pdf = out_ + QStringLiteral("/slip-d.pdf");
        STEP(printWindow(w, pdf, QStringLiteral("print-dialog-d")));
        STEP(shot(QStringLiteral("slip-d"), w));
        checkPage(pdf, 104,
                  {{"-77-", 11, 40, 4},
                   {"-50-", 11, 70, 4},
                   {QStringLiteral("Mária"), 41, 24, 4},
                   {QStringLiteral("Štúrova"), 47, 24, 4},
                   {"Bratislava", 53, 24, 4},
                   {"Tatra", 61, 2, 1},
                   {"2612345678/1100", 61, 50, 4},
                   {"Ing.", 67, 19, 4},
                   {"Hviezdoslavova", 68, 84, 4},
                   {"TATR", 59, 92, 3}});
    }

    void envelope()
    {
        const QString w = openFromLauncher(254, QStringLiteral("Obálka"));
        QVERIFY(!w.isEmpty());
        // Focus starts in the recipient's lines; the sender's came from the
        // personal data, the template from the settings.
        type(QStringLiteral("Mária Kováčová"));
        key(QStringLiteral("Return"));
        type(QStringLiteral("Štúrova 5"));
        key(QStringLiteral("Return"));
        type(QStringLiteral("811 01 Bratislava"));
        keys({QStringLiteral("Tab"), QStringLiteral("Tab")});
        type(QStringLiteral("Doporučene"));
        const QString pdf = out_ + QStringLiteral("/envelope.pdf");
        STEP(printWindow(w, pdf, QStringLiteral("print-dialog-envelope")));
        STEP(shot(QStringLiteral("envelope"), w));
        // Template 110 x 220 mm, fonts 11 and 9: sender and note at W / 16 and
        // 3.7 W / 16, the recipient at 60 % of W and H, lines SF / 2 and RF / 2 apart.
        checkPage(pdf, 110,
                  {{"Ing.", 110.0 / 16, 10, 1},
                   {"Hviezdoslavova", 110.0 / 16 + 4.5, 10, 1},
                   {"01001", 110.0 / 16 + 9, 10, 1},
                   {"Slovensko", 110.0 / 16 + 13.5, 10, 1},
                   {"Doporučene", 3.7 * 110 / 16, 10, 1},
                   {QStringLiteral("Mária"), 66, 132, 1},
                   {QStringLiteral("Štúrova"), 71.5, 132, 1},
                   {"811", 77, 132, 1}});
    }

    void previewAndBatchWindow()
    {
        const QString a = waitWindow(QStringLiteral("^Poštová poukážka typu A$"));
        QVERIFY(!a.isEmpty());
        STEP(fileMenu(a, 2)); // "Ukážka pred tlačou"
        const QString preview = waitWindow(QStringLiteral("^Ukážka pred tlačou$"));
        QVERIFY2(!preview.isEmpty(), "no preview");
        QVERIFY(activate(preview));
        STEP(shot(QStringLiteral("preview-a"), preview));
        // Its print button is the default one: the same job through the same dialog.
        key(QStringLiteral("Return"));
        const QString pdf = out_ + QStringLiteral("/preview-a.pdf");
        STEP(printDialogToPdf(pdf, QStringLiteral("print-dialog-preview")));
        if (!visibleWindows(QStringLiteral("^Ukážka pred tlačou$")).isEmpty()) {
            QVERIFY(activate(preview));
            key(QStringLiteral("Escape"));
            QVERIFY(waitGone(preview));
        }
        QCOMPARE(pdfWords(pdf).size(), pdfWords(out_ + QStringLiteral("/slip-a.pdf")).size());
        checkPage(pdf, 102, {{"-1234-", 8, 39, 4}, {"Ing.", 57, 25, 4}, {"20261208", 41, 97, 2}});
        if (QTest::currentTestFailed())
            return;

        // "Hromadná tlač…" of the slip C window with a table of two rows.
        const QString table = out_ + QStringLiteral("/platby-c.csv");
        QFile csv(table);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QStringLiteral("suma;hal;od1;od2;odpsc;od3\n"
                                 "15;1;Ján Malý;Nová 1;90101;Malacky\n"
                                 "25;2;Eva Veľká;Stará 2;90201;Pezinok\n")
                      .toUtf8());
        csv.close();
        const QString c = waitWindow(QStringLiteral("^Poštová poukážka typu C$"));
        QVERIFY(!c.isEmpty());
        STEP(fileMenu(c, 4));
        const QString chooser = waitWindow(QStringLiteral("^Hromadná tlač: vyberte tabuľku$"));
        QVERIFY2(!chooser.isEmpty(), "no file dialog");
        QVERIFY(activate(chooser));
        type(table);
        STEP(shot(QStringLiteral("batch-file"), chooser));
        key(QStringLiteral("Return"));
        const QString summary = waitWindow(QStringLiteral("^Hromadná tlač$"));
        QVERIFY2(!summary.isEmpty(), "no summary of the table");
        QVERIFY(activate(summary));
        STEP(shot(QStringLiteral("batch-summary"), summary));
        key(QStringLiteral("Return")); // "Tlačiť…"
        const QString batchPdf = out_ + QStringLiteral("/batch-c.pdf");
        STEP(printDialogToPdf(batchPdf, QStringLiteral("print-dialog-batch")));
        const QString done = waitWindow(QStringLiteral("^Zelvana 1\\.0\\.1$"));
        QVERIFY2(!done.isEmpty(), "no message at the end of the batch");
        QVERIFY(activate(done));
        STEP(shot(QStringLiteral("batch-done"), done));
        key(QStringLiteral("Return"));
        QVERIFY(waitGone(done));
        QCOMPARE(pageCount(batchPdf), 2);
        // Each row: its own sender, the recipient from the personal data.
        checkPage(batchPdf, 102, {{"-15-", 11, 35, 4}, {"-10-", 11, 72, 4}, {QStringLiteral("Ján"), 59, 24, 4},
                                  {"Malacky", 71, 24, 4}, {"Ing.", 35, 13, 4}}, 1);
        checkPage(batchPdf, 102, {{"-25-", 11, 35, 4}, {"-20-", 11, 72, 4}, {"Eva", 59, 24, 4}, {"Pezinok", 71, 97, 4},
                                  {"Hviezdoslavova", 41, 13, 4}}, 2);
    }

    void batchProgram()
    {
        const QString table = out_ + QStringLiteral("/platby-d.csv");
        QFile csv(table);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QStringLiteral("suma,hal,ad1,ad2,adpsc,ad3,skr\n"
                                 "300,0,Peter Ďurčo,Mierová 3,04001,Košice,SLSP\n")
                      .toUtf8());
        csv.close();
        const QString pdf = out_ + QStringLiteral("/batch-d.pdf");
        STEP(runBatch(QStringLiteral("D"), table, pdf));
        QCOMPARE(pageCount(pdf), 1);
        checkPage(pdf, 104, {{"-300-", 11, 40, 4}, {"Peter", 41, 24, 4}, {QStringLiteral("Košice"), 53, 24, 4},
                             {"SLSP", 59, 92, 3}, {"Tatra", 61, 2, 1}, {"Ing.", 67, 19, 4}});
        compareKept(); // read only
    }

    // A memo typed into the window and the same text from a table break into
    // the same lines: every word of it lands where the window printed it.
    void memoBreaksAsInTheBatch()
    {
        const QStringList memos{
            QStringLiteral("Jeden\nDva, tri\nBytové družstvo pracujúcich v obci Veľká Čierna"),
            // Lines 1 px inside the memo, 0.2 px past it, 0.3 px inside.
            QStringLiteral("Poľnohospodárske družstvo Trnava\nPoľnohospodárske družstvo Myjava\n"
                           "Základná škola s materskou Brezno")};
        const QString a = waitWindow(QStringLiteral("^Poštová poukážka typu A$"));
        QVERIFY(!a.isEmpty());
        QByteArray table = "nazov_uctu\n";
        for (qsizetype i = 0; i < memos.size(); ++i) {
            QVERIFY(activate(a));
            STEP(clickControl(a, 344, 200, 160 + 10));
            // Everything in the memo selected (ctrl+a opens a new slip A).
            keys({QStringLiteral("ctrl+Home"), QStringLiteral("ctrl+shift+End")});
            const QStringList lines = memos[i].split(QLatin1Char('\n'));
            for (qsizetype j = 0; j < lines.size(); ++j) {
                if (j > 0)
                    key(QStringLiteral("Return"));
                type(lines[j]);
            }
            STEP(printWindow(a, out_ + QStringLiteral("/memo-%1.pdf").arg(i), QStringLiteral("print-dialog-memo")));
            table += '"' + memos[i].toUtf8().replace("\n", "\r\n") + "\"\n";
        }
        STEP(shot(QStringLiteral("slip-a-memo"), a));
        const QString csv = out_ + QStringLiteral("/memo.csv"), pdf = out_ + QStringLiteral("/memo-batch.pdf");
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(table) == table.size());
        f.close();
        STEP(runBatch(QStringLiteral("A"), csv, pdf));
        QCOMPARE(pageCount(pdf), memos.size());
        for (qsizetype i = 0; i < memos.size(); ++i) {
            const QStringList words = memos[i].split(QRegularExpression(QStringLiteral("\\s+")));
            const auto memoWords = [&](const QString& file, int page) {
                QList<PdfWord> found;
                for (const PdfWord& w : pdfWords(file, nullptr, page))
                    if (words.contains(w.text))
                        found << w;
                return found;
            };
            const QList<PdfWord> window = memoWords(out_ + QStringLiteral("/memo-%1.pdf").arg(i), 1);
            const QList<PdfWord> batch = memoWords(pdf, int(i) + 1);
            QVERIFY2(window.size() >= words.size(), qPrintable(memos[i]));
            QCOMPARE(batch.size(), window.size());
            // Each word of the window's page has its twin on the batch's, at the same place.
            for (const PdfWord& w : window)
                QVERIFY2(std::any_of(batch.cbegin(), batch.cend(), [&](const PdfWord& b) {
                             return b.text == w.text && (b.box.topLeft() - w.box.topLeft()).manhattanLength() < 1;
                         }),
                         qPrintable(QStringLiteral("%1 at %2, %3 pt: not there from the batch")
                                        .arg(w.text).arg(w.box.left()).arg(w.box.top())));
        }
    }

    void restartKeepsEverything()
    {
        STEP(closeProgram());
        STEP(compareKept());
        STEP(startProgram());
        QVERIFY(!launcher().isEmpty());
        STEP(shot(QStringLiteral("launcher-again"), launcher()));

        // The dialogs show what was saved.
        STEP(launcherMenu(6));
        const QString settings = waitWindow(QStringLiteral("^Nastavenia programu$"));
        QVERIFY(!settings.isEmpty());
        QVERIFY(activate(settings));
        key(QStringLiteral("ctrl+Tab"));
        STEP(shot(QStringLiteral("settings-again"), settings));
        key(QStringLiteral("Escape"));
        QVERIFY(waitGone(settings));
        STEP(launcherMenu(5));
        const QString personal = waitWindow(QStringLiteral("^Osobné údaje$"));
        QVERIFY(!personal.isEmpty());
        QVERIFY(activate(personal));
        STEP(shot(QStringLiteral("personal-again"), personal));
        key(QStringLiteral("Escape"));
        QVERIFY(waitGone(personal));

        // A new slip D fills itself from the kept data and prints it.
        const QString d = openFromLauncher(197, QStringLiteral("Poštová poukážka typu D"));
        QVERIFY(!d.isEmpty());
        const QString pdf = out_ + QStringLiteral("/slip-d-again.pdf");
        STEP(printWindow(d, pdf, QStringLiteral("print-dialog-again")));
        STEP(shot(QStringLiteral("slip-d-again"), d));
        checkPage(pdf, 104, {{"-0-", 11, 40, 4}, {"Tatra", 61, 2, 1}, {"2612345678/1100", 61, 50, 4},
                             {"Ing.", 67, 19, 4}, {QStringLiteral("Žilina"), 73, 24, 4}});
        if (QTest::currentTestFailed())
            return;
        // The envelope window still offers the template and prints from it.
        const QString e = openFromLauncher(254, QStringLiteral("Obálka"));
        QVERIFY(!e.isEmpty());
        type(QStringLiteral("Ústredie"));
        const QString envelopePdf = out_ + QStringLiteral("/envelope-again.pdf");
        STEP(printWindow(e, envelopePdf, QStringLiteral("print-dialog-envelope-again")));
        checkPage(envelopePdf, 110, {{"Ing.", 110.0 / 16, 10, 1}, {QStringLiteral("Ústredie"), 66, 132, 1}});

        STEP(closeProgram());
        STEP(compareKept());
    }

    void cleanupTestCase()
    {
        QDir(out_).removeRecursively();
        if (app_ && app_->state() != QProcess::NotRunning) {
            app_->kill();
            app_->waitForFinished();
        }
        if (wm_ && wm_->state() != QProcess::NotRunning) {
            wm_->terminate();
            if (!wm_->waitForFinished(10000)) {
                wm_->kill();
                wm_->waitForFinished();
            }
        }
    }
};

int main(int argc, char** argv)
{
    // No print server: Qt's print dialog then offers the PDF file alone.
    QTemporaryDir isolation;
    qputenv("CUPS_SERVER", (isolation.path() + QStringLiteral("/no-cups.sock")).toLocal8Bit());
    const QByteArray display = xdesktop::startXvfb();
    if (display.isEmpty()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        xdesktop::stopXvfb();
        return 1;
    }
    qputenv("DISPLAY", display);
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 1;
    {
        QApplication app(argc, argv); // the screenshots come from the same display
        EndToEnd test;
        result = QTest::qExec(&test, argc, argv);
    }
    xdesktop::stopXvfb();
    return result;
}

#include "e2e_program.moc"
