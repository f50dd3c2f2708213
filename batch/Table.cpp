#include "batch/Table.h"

#include "base/Cp1250.h"

#include <QFile>
#include <QFileInfo>
#include <csv.h>

namespace {

constexpr qint64 ChunkSize = 64 * 1024;
const QByteArray Bom("\xEF\xBB\xBF", 3);

// Strict UTF-8 over pieces of a file: no overlong forms, no surrogates,
// nothing past U+10FFFF, no sequence cut at the end.
class Utf8Check {
public:
    bool feed(const QByteArray& bytes)
    {
        for (const char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            if (need_ == 0) {
                if (b < 0x80)
                    continue;
                if (b >= 0xC2 && b <= 0xDF)
                    need_ = 1, low_ = 0x80, high_ = 0xBF;
                else if (b >= 0xE0 && b <= 0xEF)
                    need_ = 2, low_ = b == 0xE0 ? 0xA0 : 0x80, high_ = b == 0xED ? 0x9F : 0xBF;
                else if (b >= 0xF0 && b <= 0xF4)
                    need_ = 3, low_ = b == 0xF0 ? 0x90 : 0x80, high_ = b == 0xF4 ? 0x8F : 0xBF;
                else
                    return bad_ = true, false;
                continue;
            }
            if (b < low_ || b > high_)
                return bad_ = true, false;
            --need_;
            low_ = 0x80, high_ = 0xBF;
        }
        return true;
    }
    bool valid() const { return !bad_ && need_ == 0; }

private:
    int need_ = 0;
    unsigned char low_ = 0x80, high_ = 0xBF;
    bool bad_ = false;
};

// Spaces around an unquoted cell are the user's text, as typed.
int noSpace(unsigned char) { return 0; }

struct ParseState {
    const std::function<bool(const TableRow&)>* onRow = nullptr;
    bool utf8 = true;
    bool stopped = false;
    int line = 1;      // the physical line the parser is on
    int rowStart = 1;  // where the current row began
    QStringList cells;
    int breaksInCells = 0;
    bool afterCr = false; // the last row ended at a CR: an LF right after it is the same line end
};

// Line ends inside a quoted cell: CR LF, CR or LF, each one line.
int lineBreaks(const QByteArray& raw)
{
    int n = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\n' || (raw[i] == '\r' && (i + 1 == raw.size() || raw[i + 1] != '\n')))
            ++n;
    }
    return n;
}

void onCell(void* bytes, std::size_t size, void* data)
{
    auto* st = static_cast<ParseState*>(data);
    const char* s = static_cast<const char*>(bytes);
    const QByteArray raw = QByteArray::fromRawData(s ? s : "", static_cast<qsizetype>(s ? size : 0));
    st->breaksInCells += lineBreaks(raw);
    st->cells << (st->utf8 ? QString::fromUtf8(raw) : fromCp1250(std::string_view(raw.constData(), raw.size())));
}

void onRowEnd(int terminator, void* data)
{
    auto* st = static_cast<ParseState*>(data);
    bool blank = true;
    for (const QString& c : st->cells)
        blank = blank && c.isEmpty();
    // A row of empty cells is a blank spreadsheet line, not a slip.
    if (!blank && !st->stopped && !(*st->onRow)(TableRow{st->rowStart, st->cells}))
        st->stopped = true;
    // libcsv ends a row at every CR and every LF, so CR LF comes as a row
    // and then an empty one; a CR alone (as older spreadsheets save) is a
    // line end of its own.
    const bool secondHalfOfCrLf = terminator == '\n' && st->afterCr && st->cells.isEmpty();
    const bool lineEnd = terminator == '\n' || terminator == '\r';
    st->line += st->breaksInCells + (lineEnd && !secondHalfOfCrLf ? 1 : 0);
    st->afterCr = terminator == '\r';
    st->rowStart = st->line;
    st->cells.clear();
    st->breaksInCells = 0;
}

QString openError(QFile& file, const QString& path)
{
    if (!QFileInfo(path).exists())
        return TableOpenMessage.arg(path, QStringLiteral("súbor neexistuje"));
    if (!QFileInfo(path).isFile())
        return TableNotFileMessage.arg(path);
    if (!file.open(QIODevice::ReadOnly))
        return TableOpenMessage.arg(path, file.errorString());
    return {};
}

} // namespace

QString TableReader::open()
{
    QFile file(path_);
    if (QString e = openError(file, path_); !e.isEmpty())
        return e;
    Utf8Check utf8;
    QByteArray head;
    bool first = true;
    while (!file.atEnd()) {
        QByteArray chunk = file.read(ChunkSize);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return TableReadMessage.arg(path_, file.errorString());
        if (first) {
            bom_ = chunk.startsWith(Bom);
            if (bom_)
                chunk.remove(0, Bom.size());
            first = false;
        }
        if (head.size() < 4096 && !head.contains('\n'))
            head += chunk.left(4096);
        if (!utf8.feed(chunk))
            break;
    }
    utf8_ = utf8.valid();
    // The separator is what the header line holds more of, outside quotes.
    int semicolons = 0, commas = 0;
    bool quoted = false;
    for (char c : head) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == ',')
            ++commas;
    }
    separator_ = commas > semicolons ? ',' : ';';
    return {};
}

QString TableReader::forEachRow(const std::function<bool(const TableRow&)>& onRow) const
{
    QFile file(path_);
    if (QString e = openError(file, path_); !e.isEmpty())
        return e;
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL | CSV_APPEND_NULL) != 0)
        return TableReadMessage.arg(path_, QStringLiteral("nedostatok pamäte"));
    csv_set_delim(&parser, static_cast<unsigned char>(separator_));
    csv_set_space_func(&parser, noSpace);
    ParseState st;
    st.onRow = &onRow;
    st.utf8 = utf8_;
    QString problem;
    bool first = true;
    while (!st.stopped && problem.isEmpty() && !file.atEnd()) {
        QByteArray chunk = file.read(ChunkSize);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) {
            problem = TableReadMessage.arg(path_, file.errorString());
            break;
        }
        if (first && bom_ && chunk.startsWith(Bom))
            chunk.remove(0, Bom.size());
        first = false;
        const std::size_t size = static_cast<std::size_t>(chunk.size());
        if (csv_parse(&parser, chunk.constData(), size, onCell, onRowEnd, &st) != size)
            problem = csv_error(&parser) == CSV_EPARSE ? TableSyntaxMessage.arg(st.rowStart)
                                                       : TableReadMessage.arg(path_, QStringLiteral("nedostatok pamäte"));
    }
    if (problem.isEmpty() && !st.stopped && csv_fini(&parser, onCell, onRowEnd, &st) != 0)
        problem = TableSyntaxMessage.arg(st.rowStart);
    csv_free(&parser);
    return problem;
}
