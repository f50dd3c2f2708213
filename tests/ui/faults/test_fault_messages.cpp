// Each file the user keeps, damaged in each way, met by the program in its
// own windows: the step that reads it shows a message naming what is wrong
// (or reads what is there), the step that saves it either writes it or says
// why not, and every byte the user had is still in the folder afterwards.
#include "core/forms/envelope/EnvelopeForm.h"
#include "ui/envelopes/Tobl.h"
#include "support/FaultKit.h"
#include "ui/settings/Tnastavenia.h"
#include "ui/settings/Tosobne.h"
#include "core/print/PrinterShift.h"
#include "ui/slips/TApoukazka.h"
#include "ui/printing/Tzarovnanie.h"
#include "support/FileFaults.h"
#include "support/RecordingCanvas.h"

#include <QPushButton>
#include <QtTest>

using namespace faults;

namespace {

const QString ReadBeyond = QStringLiteral("Read beyond end of file");
const QString NotOpen = QStringLiteral("File not open");
const QString NotRegular = QStringLiteral("Súbor „%1“ nie je obyčajný súbor, program ho nečíta.");
const QString TooLarge = QStringLiteral("Súbor „%1“ je väčší ako 1 MiB, program ho nečíta.");
const QString CannotCreate = QStringLiteral("Cannot create file %1");
const QString Damaged = DamagedShiftMessage;
const QString NotSaved = Tzarovnanie::NotSavedMessage;
const QString NoTemplate = Tobl::CannotOpenTemplateMessage;

template <typename Window>
Window* windowOf()
{
    for (DocumentWindow* w : openDocumentWindows())
        if (auto* found = qobject_cast<Window*>(w))
            return found;
    return nullptr;
}

// Clicks `button` of the dialog the program shows next.
template <typename Dialog>
std::function<void(QDialog&)> clicking(QPushButton* Dialog::*button)
{
    return [button](QDialog& d) {
        if (auto* dialog = qobject_cast<Dialog*>(&d))
            (dialog->*button)->click();
    };
}

QStringList filled(const QStringList& texts, const QString& path)
{
    QStringList out;
    for (const QString& t : texts)
        out << (t.contains("%1") ? QString(t).replace("%1", path) : t);
    return out;
}

} // namespace

class FaultMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { deleteDocumentWindows(); }

    void faultIsShownAndNoByteIsLost_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("readMessages"); // %1: the file's path
        QTest::addColumn<QStringList>("saveMessages");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QString>("backup"); // where the damaged bytes must be kept

        const QStringList none;
        auto row = [](const char* name, const char* fault) {
            return &(QTest::addRow("%s %s", name, fault) << QString(name) << QString(fault));
        };
        // Records: a short one is kept whole as .bak by the first save; what
        // is no file cannot be saved to.
        for (const char* name : {"program.nas", "uziv.nas"}) {
            const QString bak = QString(name) + ".bak";
            *row(name, "truncated") << QStringList{ReadBeyond} << none << QStringList{name, bak} << bak;
            *row(name, "empty") << QStringList{ReadBeyond} << none << QStringList{name, bak} << bak;
            // The record is written as the dialog shows it; what lies past it stays.
            *row(name, "oversized") << none << none << (QString(name) == "program.nas" ? QStringList{name} : none)
                                    << QString();
            *row(name, "fifo") << QStringList{NotRegular} << QStringList{NotOpen} << none << QString();

            *row(name, "folder") << QStringList{NotRegular} << QStringList{NotOpen} << none << QString();
        }
        *row("program.nas", "random bytes") << none << none << QStringList{"program.nas"} << QString();
        // Random letters are no postcode: the dialog says so and saves nothing.
        *row("uziv.nas", "random bytes") << none << QStringList{Tosobne::PostcodeMessage} << none << QString();
        // Tips are only ever read.
        *row("data/subor1.tip", "truncated") << none << none << none << QString();
        *row("data/subor1.tip", "empty") << QStringList{ReadBeyond} << none << none << QString();
        *row("data/subor1.tip", "oversized") << QStringList{TooLarge} << none << none << QString();
        *row("data/subor1.tip", "random bytes") << none << none << none << QString();
        *row("data/subor1.tip", "fifo") << QStringList{NotRegular} << none << none << QString();
        *row("data/subor1.tip", "folder") << QStringList{NotRegular} << none << none << QString();
        // A template is read when the envelope prints.
        *row("data/DL 110x220.obl", "truncated") << QStringList{ReadBeyond} << none << none << QString();
        *row("data/DL 110x220.obl", "empty") << QStringList{ReadBeyond} << none << none << QString();
        *row("data/DL 110x220.obl", "oversized") << none << none << none << QString();
        // Random bytes make an absurd envelope: refused, whatever its size says.
        const QByteArray random = randomBytes(EnvelopeTemplateSize, quint32(qHash(QStringLiteral("data/DL 110x220.obl"))));
        EnvelopeTemplateBytes bytes{};
        std::copy(random.cbegin(), random.cend(), bytes.begin());
        const QString why = TemplateSizeUnusable(DecodeTemplate(bytes));
        *row("data/DL 110x220.obl", "random bytes")
            << (why.isEmpty() ? none : QStringList{Tobl::UnusableTemplateMessage.arg("DL 110x220.obl", why)}) << none
            << none << QString();
        *row("data/DL 110x220.obl", "fifo") << QStringList{NoTemplate} << none << none << QString();
        *row("data/DL 110x220.obl", "folder") << QStringList{NoTemplate} << none << none << QString();
        // The bank list: read by the slip window and the personal dialog,
        // written by the dialog. Bytes it cannot write back as they were are
        // kept as .bak; what is no file is not replaced.
        const QStringList banks{"banky.cbx"}, banksKept{"banky.cbx", "banky.cbx.bak"};
        *row("banky.cbx", "truncated") << none << none << banks << QString();
        *row("banky.cbx", "empty") << none << none << none << QString();
        *row("banky.cbx", "oversized") << QStringList{TooLarge} << QStringList{TooLarge} << banksKept << "banky.cbx.bak";
        *row("banky.cbx", "random bytes") << none << none << banksKept << "banky.cbx.bak";
        *row("banky.cbx", "fifo") << QStringList{NotRegular} << QStringList{NotRegular, CannotCreate} << none << QString();
        *row("banky.cbx", "folder") << QStringList{NotRegular} << QStringList{NotRegular, CannotCreate} << none
                                    << QString();
        // The alignment: read by a print and by the alignment dialog, written
        // by the dialog.
        const QStringList shifts{"tlaciarne.ini"}, shiftsKept{"tlaciarne.ini", "tlaciarne.ini.bak"};
        const QString unparsable = Damaged.arg("%1", QStringLiteral("nedá sa rozobrať"));
        const QString unreadable = Damaged.arg("%1", QStringLiteral("nedá sa prečítať"));
        *row("tlaciarne.ini", "truncated") << QStringList{unparsable} << QStringList{unparsable} << shiftsKept
                                           << "tlaciarne.ini.bak";
        *row("tlaciarne.ini", "empty") << none << none << shifts << QString();
        *row("tlaciarne.ini", "oversized") << QStringList{unreadable} << QStringList{unreadable} << shiftsKept
                                           << "tlaciarne.ini.bak";
        *row("tlaciarne.ini", "random bytes") << QStringList{unparsable} << QStringList{unparsable} << shiftsKept
                                              << "tlaciarne.ini.bak";
        // A file as the program writes it needs no backup.
        *row("tlaciarne.ini", "sound") << none << none << none << QString();
        *row("tlaciarne.ini", "fifo") << QStringList{unreadable} << QStringList{unreadable, NotSaved} << none
                                      << QString();
        *row("tlaciarne.ini", "folder") << QStringList{unreadable} << QStringList{unreadable, NotSaved} << none
                                        << QString();
    }
    void faultIsShownAndNoByteIsLost()
    {
        QFETCH(QString, name);
        QFETCH(QString, fault);
        QFETCH(QStringList, readMessages);
        QFETCH(QStringList, saveMessages);
        QFETCH(QStringList, changed);
        QFETCH(QString, backup);
        HangGuard guard(120);
        Program p;
        writeSoundFolder(p.folder);
        QVERIFY(damage(p.folder, name, fault));
        const QString path = p.folder.file(name);
        const Snapshot before = snapshot(p.folder.path());
        RecordingCanvas canvas(ExamplePrinter);
        p.platform.printer = [&] { return std::make_unique<ProxyCanvas>(canvas); };

        // Reading.
        p.start();
        const bool startedWhole = p.app->OpenFormCount == 2;
        if (name.endsWith(".obl")) {
            QVERIFY(startedWhole);
            windowOf<Tobl>()->Tlai1->trigger();
        } else if (name == "tlaciarne.ini") {
            QVERIFY(startedWhole);
            windowOf<TApoukazka>()->Tlai1->trigger();
            QCOMPARE(canvas.begun, 1); // printed, unshifted where the file is damaged
        }
        QVERIFY2(p.platform.messages == filled(readMessages, path), qPrintable(p.platform.messages.join(" | ")));
        if (fault == "random bytes" && (name == "program.nas" || name == "uziv.nas")) {
            // Any bytes of the right length are a record, read as they are.
            const unsigned char* record = name == "program.nas" ? p.app->settings().data() : p.app->personal().data();
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(record), soundContent(name).size()),
                     p.folder.read(name));
        } else {
            // The start-up goes as far as the first file it cannot read.
            const bool stops = !readMessages.isEmpty() && name != "banky.cbx" && name != "tlaciarne.ini"
                && !name.endsWith(".obl");
            QCOMPARE(p.app->OpenFormCount, stops ? 0 : 2);
        }

        // Saving, where the program writes this file.
        p.platform.messages.clear();
        if (name == "program.nas") {
            p.platform.onDialog = clicking(&Tnastavenia::Button1);
            p.launcher->Nastaveniaprogramu1Click();
        } else if (name == "uziv.nas" || name == "banky.cbx") {
            p.platform.onDialog = clicking(&Tosobne::BitBtn1);
            p.launcher->Osobnnastavenia1Click();
        } else if (name == "tlaciarne.ini") {
            p.platform.onDialog = clicking(&Tzarovnanie::akceptovat);
            windowOf<TApoukazka>()->Zarovnanietlaiarne1->trigger();
        }
        QVERIFY2(p.platform.messages == filled(saveMessages, path), qPrintable(p.platform.messages.join(" | ")));

        Snapshot after = snapshot(p.folder.path());
        // The print journal records the prints above; it is no file of the user's records.
        after.removeIf([](const auto& file) { return file.key().startsWith(QStringLiteral("historia")); });
        QVERIFY2(changedNames(before, after) == changed, qPrintable(changedNames(before, after).join(" | ")));
        if (!backup.isEmpty())
            QCOMPARE(after.value(backup), before.value(name));
        if (fault == "oversized" && (name == "program.nas" || name == "uziv.nas"))
            QCOMPARE(QFileInfo(path).size(), Oversized);
        if (fault == "truncated" && name == "banky.cbx") // the torn last line is kept as a bank
            QCOMPARE(p.folder.read(name), soundContent(name).left(soundContent(name).size() / 2) + "\r\n");
        if (name == "tlaciarne.ini" && changed.contains(name)) // the new alignment went in
            QCOMPARE(ReadShift(path, PdfPrinterName).isZero(), true);
    }
};

QTEST_MAIN(FaultMessagesTest)
#include "test_fault_messages.moc"
