// banky.cbx as the personal data dialog reads and writes it: any bytes give
// a list of lines with no line break in them, one per line of the file;
// saving that list and reading it again gives the same list, and a second
// save writes the same bytes.
#include "FuzzSupport.h"
#include "core/records/BankList.h"
#include "core/base/Cp1250.h"
#include "core/base/FileError.h"

namespace {

// The file's lines as settings/BankList.h describes them: CR LF, CR or LF end a
// line; a final break adds no empty line.
qsizetype countLines(const QByteArray& bytes)
{
    qsizetype lines = 0;
    bool open = false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ++lines;
            open = false;
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString folder = ScratchFolder();
    const QString file = folder + QStringLiteral("banky.cbx");
    const QString copy = folder + QStringLiteral("banky2.cbx");
    WriteBytes(file, input);

    const QStringList banks = LoadBankList(file);
    FUZZ_CHECK(banks.size() == countLines(input));
    for (const QString& bank : banks)
        FUZZ_CHECK(!bank.contains(QLatin1Char('\r')) && !bank.contains(QLatin1Char('\n')));
    FUZZ_CHECK(LoadOrCreateBankList(file) == banks);
    FUZZ_CHECK(ReadBytes(file) == input); // reading writes nothing

    // What comes back from a save: each line in code page 1250, a character
    // the code page lacks as the encoder's replacement.
    QStringList expected;
    bool allFit = true;
    for (const QString& bank : banks) {
        expected << fromCp1250(toCp1250(bank));
        allFit = allFit && fitsCp1250(bank);
    }
    SaveBankList(copy, banks);
    const QByteArray saved = ReadBytes(copy);
    FUZZ_CHECK(saved.size() >= 2 * banks.size());
    FUZZ_CHECK(banks.isEmpty() ? saved.isEmpty() : saved.endsWith("\r\n"));
    const QStringList reloaded = LoadBankList(copy);
    FUZZ_CHECK(reloaded == expected);
    if (allFit)
        FUZZ_CHECK(reloaded == banks);
    // A list read from a file the program wrote is a fixed point.
    SaveBankList(copy, reloaded);
    FUZZ_CHECK(ReadBytes(copy) == saved);
    return 0;
}
