// program.nas as the launcher loads it and the settings dialog saves it: any
// bytes load or are reported, and what loads saves back byte for byte, the
// bytes after the record untouched, and reloads to the same record. The
// batch printer's read-only reader reads the same record.
#include "FuzzSupport.h"
#include "RecordUse.h"
#include "core/records/RecordsReadOnly.h"
#include "core/base/FileError.h"
#include "core/records/RecordStore.h"

#include <cstring>

namespace {

constexpr qsizetype N = ProgramSettings::Size;

QByteArray bytesOf(const ProgramSettings& s) { return QByteArray(reinterpret_cast<const char*>(s.data()), N); }

void checkAccessors(const ProgramSettings& s)
{
    for (int i = 0; i < ProgramSettings::FlagCount; ++i)
        FUZZ_CHECK(s.flag(i) == (s.data()[i] != 0));
    FUZZ_CHECK(s.envelopeTemplateName().size() == s.data()[ProgramSettings::EnvelopeTemplateNameOffset]);
    FUZZ_CHECK(s.printFontName().size() == s.data()[ProgramSettings::PrintFontNameOffset]);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString folder = ScratchFolder();
    const QString file = folder + QStringLiteral("program.nas");
    RemoveStartingWith(folder, QStringLiteral("program.nas"));
    RemoveFile(folder + QStringLiteral("uziv.nas"));
    WriteBytes(file, input);

    RecordStore store(folder);
    const QByteArray before = bytesOf(store.settings);
    bool threw = false;
    try {
        store.LoadOrCreateSettings();
    } catch (const FileError& e) {
        threw = true;
        FUZZ_CHECK(*e.what() != '\0');
    }
    FUZZ_CHECK(store.settingsOpen());
    FUZZ_CHECK(ReadBytes(file) == input); // loading writes nothing

    ProgramSettings readOnly;
    PersonalData personal;
    QString problem;
    const bool readOk = ReadRecordsReadOnly(folder, readOnly, personal, problem);

    if (input.size() < N) {
        FUZZ_CHECK(threw);
        FUZZ_CHECK(bytesOf(store.settings) == before); // memory as it was
        FUZZ_CHECK(!readOk && !problem.isEmpty());
        // The first save keeps the bytes it never read.
        store.settings.setDefaults();
        store.SaveSettings();
        FUZZ_CHECK(ReadBytes(file + QStringLiteral(".bak")) == input);
        FUZZ_CHECK(ReadBytes(file) == bytesOf(store.settings));
    } else {
        FUZZ_CHECK(!threw);
        FUZZ_CHECK(bytesOf(store.settings) == input.left(N));
        FUZZ_CHECK(readOk && problem.isEmpty() && bytesOf(readOnly) == input.left(N));
        checkAccessors(store.settings);

        // The settings dialog writes each flag as 0 or 1 and keeps the rest.
        ProgramSettings edited = store.settings;
        for (int i = 0; i < ProgramSettings::FlagCount; ++i)
            edited.setFlag(i, edited.flag(i));
        edited.setEnvelopeTemplateName(edited.envelopeTemplateName());
        edited.setPrintFontName(edited.printFontName());
        edited.setPrintFontSize(edited.printFontSize());
        for (qsizetype i = 0; i < N; ++i) {
            const auto was = static_cast<unsigned char>(input[i]);
            const unsigned char now = edited.data()[i];
            FUZZ_CHECK(now == was || (i < ProgramSettings::FlagCount && now == 1));
        }
        store.settings = edited;
        store.SaveSettings();
        const QByteArray saved = ReadBytes(file);
        FUZZ_CHECK(saved.size() == input.size());
        FUZZ_CHECK(saved.left(N) == bytesOf(edited));
        FUZZ_CHECK(saved.mid(N) == input.mid(N)); // what follows the record survives
        FUZZ_CHECK(!Exists(file + QStringLiteral(".bak")));
        store.closeFiles();

        RecordStore again(folder);
        again.LoadOrCreateSettings();
        FUZZ_CHECK(bytesOf(again.settings) == bytesOf(edited));
        again.SaveSettings();
        FUZZ_CHECK(ReadBytes(file) == saved);
    }
    CheckFillAndPrint(store.settings, personal);
    return 0;
}
