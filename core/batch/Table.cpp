#include "core/batch/Table.h"

#include "core/batch/TableEncoding.h"
#include "core/base/Cp1250.h"
#include "core/base/FileError.h"
#include "core/base/SafeRead.h"
#include "core/print/FormDescription.h"

#include <QFile>
#include <QLocale>
#include <QStringDecoder>
#include <cerrno>
#include <cstring>
#include <csv.h>
#include <unistd.h>

QString TableCountText(qint64 n)
{
    return QLocale(QLocale::Slovak, QLocale::Slovakia).toString(n);
}

namespace {

constexpr qint64 ChunkSize = 64 * 1024;

// The table's file, read in pieces to its real end: a file of the kernel's
// says it is empty yet has lines, so its size is never trusted, and a file
// that grows past the limit while read is refused all the same.
class TableFile {
public:
    explicit TableFile(const QString& path) : path_(path) {}

    QString open()
    {
        OpenedFile opened{-1, 0};
        try {
            opened = OpenRegularFile(path_);
        } catch (const FileError& e) {
            if (e.systemError() == ENOENT)
                return TableOpenMessage.arg(path_, QStringLiteral("súbor neexistuje"));
            if (e.systemError() == 0)
                return TableNotFileMessage.arg(path_);
            return TableOpenMessage.arg(path_, QString::fromLocal8Bit(std::strerror(e.systemError())));
        }
        if (!file_.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(opened.fd);
            return TableOpenMessage.arg(path_, file_.errorString());
        }
        return opened.size > MaxTableBytes ? tooLarge() : QString();
    }

    // The next piece, empty at the end or when `problem` was set.
    QByteArray next(QString& problem)
    {
        QByteArray chunk = file_.read(ChunkSize);
        if (chunk.isEmpty() && file_.error() != QFileDevice::NoError)
            problem = TableReadMessage.arg(path_, file_.errorString());
        read_ += chunk.size();
        if (read_ > MaxTableBytes) {
            problem = tooLarge();
            return {};
        }
        return chunk;
    }

private:
    QString tooLarge() const { return TableTooLargeMessage.arg(path_).arg(MaxTableBytes >> 20); }

    QString path_;
    QFile file_;
    qint64 read_ = 0;
};

// Spaces around an unquoted cell are the user's text, as typed.
int noSpace(unsigned char) { return 0; }

struct ParseState {
    const std::function<bool(const TableRow&)>* onRow = nullptr;
    bool utf8 = true;
    bool stopped = false;
    QString problem; // set by a callback; stops the reading
    int line = 1;      // the physical line the parser is on
    int rowStart = 1;  // where the current row began
    int rows = 0;      // rows handed on, the header too
    QStringList cells;
    int breaksInCells = 0;
    bool afterCr = false; // the last row ended at a CR: an LF right after it is the same line end

    void stop(const QString& why)
    {
        problem = why;
        stopped = true;
    }
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
    // libcsv goes on to the end of the piece it was given; nothing more is kept.
    if (st->stopped)
        return;
    if (st->cells.size() >= MaxTableCells) {
        st->stop(TableTooManyCellsMessage.arg(st->rowStart).arg(TableCountText(MaxTableCells)));
        return;
    }
    const char* s = static_cast<const char*>(bytes);
    const QByteArray raw = QByteArray::fromRawData(s ? s : "", static_cast<qsizetype>(s ? size : 0));
    st->breaksInCells += lineBreaks(raw);
    // A cell may begin with U+FEFF: fromUtf8 would drop it as if it were the
    // file's byte order mark, and a table written back would read otherwise.
    QString cell = st->utf8 ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom).decode(raw)
                            : fromCp1250(std::string_view(raw.constData(), raw.size()));
    if (cell.size() > DefaultMaxLength) {
        st->stop(TableCellTooLongMessage.arg(st->rowStart).arg(DefaultMaxLength));
        return;
    }
    st->cells << WithoutC1Controls(std::move(cell));
}

void onRowEnd(int terminator, void* data)
{
    auto* st = static_cast<ParseState*>(data);
    if (st->stopped)
        return;
    bool blank = true;
    for (const QString& c : st->cells)
        blank = blank && c.isEmpty();
    // A row of empty cells is a blank spreadsheet line, not a slip.
    if (!blank && ++st->rows > MaxTableRows + 1) {
        st->stop(TableTooManyRowsMessage.arg(st->rowStart).arg(TableCountText(MaxTableRows)));
        return;
    }
    if (!blank && !(*st->onRow)(TableRow{st->rowStart, st->cells}))
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

} // namespace

QString TableReader::open()
{
    TableFile file(path_);
    if (QString e = file.open(); !e.isEmpty())
        return e;
    Utf8Scan utf8;
    std::optional<TableBytes> bytes;
    QByteArray head;
    QString problem;
    for (QByteArray chunk = file.next(problem); !chunk.isEmpty(); chunk = file.next(problem)) {
        if (!bytes) {
            const std::optional<TableBom> bom = TableBomOf(chunk);
            const std::optional<TableEncoding> unmarked = bom ? std::nullopt : Utf16WithoutBom(chunk);
            encoding_ = bom ? bom->encoding : unmarked.value_or(TableEncoding::Utf8);
            bomLength_ = bom ? bom->length : 0;
            bytes.emplace(encoding_, bomLength_);
        }
        chunk = bytes->next(chunk);
        if (head.size() < 4096 && !head.contains('\n'))
            head += chunk.left(4096);
        // UTF-16 decoded is UTF-8 for certain; nothing more to learn from it.
        if (encoding_ == TableEncoding::Utf16LE || encoding_ == TableEncoding::Utf16BE)
            continue;
        utf8.feed(chunk);
        // Once a byte breaks UTF-8 and a multi-byte sequence was seen, the
        // table mixes the two; reading on tells nothing more.
        if (utf8.firstBadLine() > 0 && utf8.sawMultiByte())
            break;
    }
    if (!problem.isEmpty())
        return problem;
    if (encoding_ == TableEncoding::Utf8 && !utf8.valid()) {
        // UTF-8 letters and bytes of some other code page in one file: either
        // reading garbles one part, so neither is guessed.
        if (utf8.sawMultiByte())
            return TableMixedEncodingMessage.arg(path_).arg(utf8.badLine());
        encoding_ = TableEncoding::Cp1250; // a UTF-8 BOM before it is still skipped
    }
    // The separator is what the header line holds most of, outside quotes.
    int semicolons = 0, commas = 0, tabs = 0;
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
        else if (!quoted && c == '\t')
            ++tabs;
    }
    separator_ = tabs > std::max(semicolons, commas) ? '\t' : commas > semicolons ? ',' : ';';
    return {};
}

QString TableReader::forEachRow(const std::function<bool(const TableRow&)>& onRow) const
{
    TableFile file(path_);
    if (QString e = file.open(); !e.isEmpty())
        return e;
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL | CSV_APPEND_NULL) != 0)
        return TableReadMessage.arg(path_, QStringLiteral("nedostatok pamäte"));
    csv_set_delim(&parser, static_cast<unsigned char>(separator_));
    csv_set_space_func(&parser, noSpace);
    ParseState st;
    st.onRow = &onRow;
    st.utf8 = isUtf8();
    // A cell is refused while it grows, before it takes more memory than the
    // longest text any field holds (four bytes a character at most in UTF-8).
    const std::size_t cellBytes = static_cast<std::size_t>(DefaultMaxLength) * (st.utf8 ? 4 : 1);
    TableBytes bytes(encoding_, bomLength_);
    QString problem;
    auto parse = [&](const QByteArray& piece) {
        const std::size_t size = static_cast<std::size_t>(piece.size());
        if (csv_parse(&parser, piece.constData(), size, onCell, onRowEnd, &st) != size)
            problem = csv_error(&parser) == CSV_EPARSE ? TableSyntaxMessage.arg(st.rowStart)
                                                       : TableReadMessage.arg(path_, QStringLiteral("nedostatok pamäte"));
        else if (parser.entry_pos > cellBytes)
            problem = TableCellTooLongMessage.arg(st.rowStart).arg(DefaultMaxLength);
    };
    bool ended = false;
    while (!st.stopped && problem.isEmpty() && !ended) {
        const QByteArray chunk = file.next(problem);
        if (!problem.isEmpty())
            break;
        ended = chunk.isEmpty();
        parse(ended ? bytes.finish() : bytes.next(chunk));
    }
    if (problem.isEmpty())
        problem = st.problem;
    if (problem.isEmpty() && !st.stopped && bytes.endsInsideAUnit())
        problem = TableHalfUnitMessage.arg(st.line);
    if (problem.isEmpty() && !st.stopped && csv_fini(&parser, onCell, onRowEnd, &st) != 0)
        problem = TableSyntaxMessage.arg(st.rowStart);
    // A callback of the last row may have refused it.
    if (problem.isEmpty())
        problem = st.problem;
    csv_free(&parser);
    return problem;
}
