// data/subor1.tip as the launcher reads it: every draw the program can make
// gives that record's short string, a draw outside the file and a file of no
// whole record are reported, and nothing is read past the bytes.
#include "FuzzSupport.h"
#include "core/records/Tips.h"
#include "core/base/FileError.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input = InputBytes(data, size);
    const QString folder = ScratchFolder() + QStringLiteral("data/");
    QDir().mkpath(folder);
    const QString file = folder + QStringLiteral("subor1.tip");
    WriteBytes(file, input);

    const qsizetype records = input.size() / qsizetype(TipRecordSize);
    const int below = records > 1 ? static_cast<int>(records - 1) : 0;
    // Each index the program may draw, and the two just outside.
    for (int draw = -1; draw <= below; ++draw) {
        int asked = -1;
        auto random = [&](int n) {
            asked = n;
            return draw;
        };
        // A draw outside [0, n) is the random source's fault, but still reads
        // only a record that is whole in the file.
        const qsizetype index = below == 0 ? 0 : draw;
        const bool inside = index >= 0 && index < records;
        try {
            const Cp1250 tip = ReadRandomTip(file, random);
            FUZZ_CHECK(inside);
            const QByteArray record = input.mid(index * qsizetype(TipRecordSize), qsizetype(TipRecordSize));
            const auto length = static_cast<unsigned char>(record[0]);
            FUZZ_CHECK(tip.size() == length && tip.size() <= ShortStringMax);
            FUZZ_CHECK(QByteArray(tip.data(), qsizetype(tip.size())) == record.mid(1, length));
            // What the launcher's memo shows.
            const QString shown = fromCp1250(tip);
            FUZZ_CHECK(shown.size() == qsizetype(tip.size()));
        } catch (const FileError& e) {
            FUZZ_CHECK(!inside);
            FUZZ_CHECK(*e.what() != '\0');
        }
        // The program asks only for a draw among two or more records.
        FUZZ_CHECK(asked == (below > 0 ? below : -1));
        if (below == 0)
            break; // no draw is made: once is enough
    }
    return 0;
}
