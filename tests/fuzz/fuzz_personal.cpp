// uziv.nas as the launcher loads it and the personal data dialog saves it:
// any bytes load or are reported; what loads saves back byte for byte,
// reloads to the same fields, and every new window fills and prints from it.
#include "FuzzSupport.h"
#include "RecordUse.h"
#include "core/records/RecordsReadOnly.h"
#include "core/base/FileError.h"
#include "core/records/RecordStore.h"

namespace {

constexpr qsizetype N = PersonalData::Size;

QByteArray bytesOf(const PersonalData& p) { return QByteArray(reinterpret_cast<const char*>(p.data()), N); }

// Every flag on, the user's data as recipient or as sender on every form.
ProgramSettings everythingFilled(bool asRecipient)
{
    ProgramSettings s;
    s.setDefaults();
    for (int i = 0; i < ProgramSettings::FlagCount; ++i)
        s.setFlag(i, true);
    for (int pair = 0; pair < 4; ++pair) {
        const int recipient = static_cast<int>(Flag::SlipAOwnerIsRecipient) + 2 * pair;
        s.setFlag(recipient, asRecipient);
        s.setFlag(recipient + 1, !asRecipient);
    }
    return s;
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
    const QString file = folder + QStringLiteral("uziv.nas");
    RemoveStartingWith(folder, QStringLiteral("uziv.nas"));
    RemoveFile(folder + QStringLiteral("program.nas"));
    WriteBytes(file, input);

    RecordStore store(folder);
    bool threw = false;
    try {
        store.LoadOrCreatePersonalData();
    } catch (const FileError& e) {
        threw = true;
        FUZZ_CHECK(*e.what() != '\0');
    }
    FUZZ_CHECK(store.personalOpen());
    FUZZ_CHECK(ReadBytes(file) == input);

    ProgramSettings settings;
    PersonalData readOnly;
    QString problem;
    const bool readOk = ReadRecordsReadOnly(folder, settings, readOnly, problem);

    if (input.size() < N) {
        FUZZ_CHECK(threw);
        FUZZ_CHECK(bytesOf(store.personal) == QByteArray(N, '\0'));
        FUZZ_CHECK(!readOk && !problem.isEmpty());
        store.SavePersonalData();
        FUZZ_CHECK(ReadBytes(file + QStringLiteral(".bak")) == input);
        FUZZ_CHECK(ReadBytes(file) == QByteArray(N, '\0'));
    } else {
        FUZZ_CHECK(!threw);
        FUZZ_CHECK(bytesOf(store.personal) == input.left(N));
        FUZZ_CHECK(readOk && bytesOf(readOnly) == input.left(N));
        for (int i = 0; i < PersonalData::FieldCount; ++i)
            FUZZ_CHECK(store.personal.get(Personal(i)).size()
                       == static_cast<unsigned char>(input[i * qsizetype(PersonalData::SlotSize)]));

        // Each field stored again as the dialog stores it, cut to 255: the
        // record does not change by a byte.
        PersonalData edited = store.personal;
        for (int i = 0; i < PersonalData::FieldCount; ++i)
            edited.set(Personal(i), cutToShort(edited.get(Personal(i))));
        FUZZ_CHECK(bytesOf(edited) == input.left(N));
        // Then every field moved one slot on, so that each slot gets a
        // string of another length over its old tail.
        for (int i = 0; i < PersonalData::FieldCount; ++i)
            edited.set(Personal(i), store.personal.get(Personal((i + 1) % PersonalData::FieldCount)));
        store.personal = edited;
        store.SavePersonalData();
        const QByteArray saved = ReadBytes(file);
        FUZZ_CHECK(saved.left(N) == bytesOf(edited));
        FUZZ_CHECK(saved.mid(N) == input.mid(N));
        store.closeFiles();

        RecordStore again(folder);
        again.LoadOrCreatePersonalData();
        for (int i = 0; i < PersonalData::FieldCount; ++i)
            FUZZ_CHECK(again.personal.get(Personal(i)) == edited.get(Personal(i)));
        FUZZ_CHECK(bytesOf(again.personal) == bytesOf(edited));
    }
    CheckFillAndPrint(everythingFilled(true), store.personal);
    CheckFillAndPrint(everythingFilled(false), store.personal);
    return 0;
}
