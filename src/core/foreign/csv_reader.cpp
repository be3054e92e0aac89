#include "core/foreign/csv_reader.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <map>
#include <optional>

#include "core/foreign/file_bytes.h"
#include "core/foreign/html_text.h"
#include "core/foreign/script_kind.h"
#include "text/codepage.h"
#include "text/csv_cell.h"
#include "text/utf8_char.h"

namespace morvanta::foreign {

namespace {

std::string LineText(int line) { return "Zeile " + std::to_string(line); }

// The line (from 1) that holds byte `offset`.
int LineAt(std::string_view text, std::size_t offset) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + std::min(offset, text.size()), '\n'));
}

std::string FromUtf16(std::string_view bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError() || bytes.size() % 2 != 0)
        throw ReadError("Die Datei beginnt als UTF-16, enthält aber Bytes, die kein UTF-16 sind.");
    return text.toStdString();
}

// The text as UTF-8: by its byte order mark, else UTF-8 if it is that throughout,
// else Windows-1252 if it holds no UTF-8 character at all.
std::string DecodeText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    else if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), QStringConverter::Utf16LE);
    else if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), QStringConverter::Utf16BE);
    if (text::IsValidUtf8(bytes)) return std::string(bytes);

    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    std::optional<std::size_t> firstUtf8, firstBad;
    for (const auto* q = p; q < end;) {
        if (*q < 0x80) {
            ++q;
            continue;
        }
        char32_t cp = 0;
        const int length = text::DecodeUtf8Sequence(q, end, cp);
        if (length > 0) {
            if (!firstUtf8) firstUtf8 = static_cast<std::size_t>(q - p);
            q += length;
        } else {
            if (!firstBad) firstBad = static_cast<std::size_t>(q - p);
            ++q;
        }
    }
    if (firstUtf8)
        throw ReadError(LineText(LineAt(bytes, *firstBad)) +
                        ": Die Datei mischt Kodierungen. Sie ist teils UTF-8 (ab " +
                        LineText(LineAt(bytes, *firstUtf8)) +
                        "), teils nicht; speichern Sie sie als UTF-8.");
    return text::Cp1252ToUtf8(bytes);
}

// Anki's plain-text export starts with lines such as "#separator:tab".
struct HeaderLines {
    std::optional<char> separator;
    bool html = false;
    std::vector<std::string> columns;
    std::map<int, std::string> namedColumns;  // "#tags column:3" and the like, from 1
    int lines = 0;
};

std::optional<char> SeparatorNamed(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, char>, 6> kNames{{
        {"tab", '\t'}, {"comma", ','}, {"semicolon", ';'}, {"space", ' '}, {"pipe", '|'}, {"colon", ':'}}};
    for (const auto& [word, c] : kNames)
        if (name == word) return c;
    if (name.size() == 1) return name[0];
    return std::nullopt;
}

HeaderLines ReadHeaderLines(std::string_view& text) {
    HeaderLines header;
    while (text.starts_with('#')) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(1, end == std::string_view::npos ? text.npos : end - 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) break;
        const std::string_view key = line.substr(0, colon), value = line.substr(colon + 1);
        if (key == "separator") {
            header.separator = SeparatorNamed(value);
            if (!header.separator)
                throw ReadError(LineText(header.lines + 1) + ": Das Trennzeichen „" +
                                std::string(value) + "“ ist unbekannt.");
        } else if (key == "html") {
            header.html = value == "true";
        } else if (key == "columns") {
            header.columns = {std::string(value)};  // split below, once the separator is known
        } else if (key.ends_with(" column")) {
            int column = 0;
            for (char c : value)
                if (c >= '0' && c <= '9' && column <= static_cast<int>(kMaxCsvColumns)) column = column * 10 + (c - '0');
            const std::string_view what = key.substr(0, key.size() - 7);
            if (column > 0)
                header.namedColumns[column] = what == "tags"       ? "Tags"
                                              : what == "deck"     ? "Deck"
                                              : what == "notetype" ? "Notiztyp"
                                              : what == "guid"     ? "GUID"
                                                                   : std::string(what);
        }
        ++header.lines;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return header;
}

struct Record {
    std::vector<std::string> cells;
    int line = 0;  // where it starts
};

// Splits records off the text, RFC 4180 style; counts lines for the messages.
class RecordSplitter {
public:
    RecordSplitter(std::string_view text, char separator, int firstLine)
        : text_(text), separator_(separator), line_(firstLine) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    Record next() {
        Record record;
        record.line = line_;
        const std::size_t start = pos_;
        std::string cell;
        bool quoted = false, wasQuoted = false;
        bool blanksOnly = true;  // the cell so far: a quote here opens a quoted field
        while (pos_ < text_.size()) {
            if (pos_ - start > kMaxCsvRecordBytes)
                throw ReadError(LineText(record.line) + " ist länger als 1 MB; die Datei ist "
                                "wohl keine Wortliste oder beschädigt.");
            const char c = text_[pos_++];
            if (quoted) {
                if (c == '"') {
                    if (pos_ < text_.size() && text_[pos_] == '"') {
                        cell += '"';
                        ++pos_;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n') ++line_;
                    cell += c;
                }
            } else if (c == '"' && !wasQuoted && blanksOnly) {
                quoted = wasQuoted = true;
                cell.clear();
            } else if (c == separator_) {
                if (record.cells.size() >= kMaxCsvColumns)
                    throw ReadError(LineText(record.line) + " hat mehr als " + std::to_string(kMaxCsvColumns) +
                                    " Spalten; die Datei ist wohl keine Wortliste.");
                record.cells.push_back(std::move(cell));
                cell.clear();
                wasQuoted = false;
                blanksOnly = true;
            } else if (c == '\n' || c == '\r') {
                if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
                ++line_;
                break;
            } else {
                cell += c;
                blanksOnly = blanksOnly && c == ' ';
            }
        }
        if (quoted)
            throw ReadError(LineText(record.line) +
                            ": Ein Anführungszeichen wird bis zum Ende der Datei nicht geschlossen.");
        record.cells.push_back(std::move(cell));
        return record;
    }

private:
    std::string_view text_;
    char separator_;
    int line_;
    std::size_t pos_ = 0;
};

bool IsBlank(const Record& record) {
    return record.cells.size() == 1 && record.cells[0].find_first_not_of(" \t") == std::string::npos;
}

// The separator that gives the first records one and the same number of fields
// (more than one); ties go to tab, then semicolon, then comma. Where none does
// (a single record, a damaged one), the one the first line holds most often.
char GuessSeparator(std::string_view text) {
    const std::string_view sample = text.substr(0, 64 * 1024);
    const std::string_view firstLine = sample.substr(0, sample.find('\n'));
    char best = ',';
    int bestScore = -1;
    std::size_t mostInFirstLine = 0;
    for (char separator : {'\t', ';', ','}) {
        if (const auto n = static_cast<std::size_t>(std::count(firstLine.begin(), firstLine.end(), separator));
            n > mostInFirstLine && bestScore < 0) {
            mostInFirstLine = n;
            best = separator;
        }
        std::map<std::size_t, int> widths;
        int records = 0;
        try {
            RecordSplitter splitter(sample, separator, 1);
            while (!splitter.atEnd() && records < 50) {
                const Record record = splitter.next();
                if (IsBlank(record)) continue;
                ++widths[record.cells.size()];
                ++records;
            }
        } catch (const ReadError&) {
            // The sample may end inside a quoted field.
        }
        const auto common = std::max_element(widths.begin(), widths.end(), [](auto& a, auto& b) {
            return a.second < b.second;
        });
        if (common == widths.end() || common->first < 2) continue;
        if (common->second > bestScore) {
            bestScore = common->second;
            best = separator;
        }
    }
    return best;
}

std::string Trimmed(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = cell.find_last_not_of(" \t");
    return std::string(cell.substr(first, last - first + 1));
}

// Column names that say what a column is; a first row with one of them is a header.
bool LooksLikeColumnName(std::string_view cell) {
    std::string lower;
    for (char c : cell) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::string_view name :
         {"kanji", "kana", "hepburn", "romaji", "lesung", "reading", "deutsch", "german", "englisch",
          "english", "übersetzung", "translation", "bedeutung", "meaning", "lektion", "lesson",
          "typ", "type", "wortart", "bemerkung", "note", "notiz", "front", "back", "vorderseite",
          "rückseite", "wort", "word", "japanisch", "japanese", "expression", "furigana", "deck"})
        if (lower.find(name) != std::string::npos) return true;
    return false;
}

bool IsHeaderRow(const std::vector<Record>& records) {
    if (records.size() < 2) return false;
    const auto& first = records[0].cells;
    if (std::any_of(first.begin(), first.end(), [](const std::string& c) { return c.empty(); }))
        return false;
    if (std::any_of(first.begin(), first.end(), [](const std::string& c) { return HasJapanese(c); }))
        return false;
    // A name says what its column holds; a value that comes again below is data.
    const std::size_t below = std::min<std::size_t>(records.size(), 21);
    for (std::size_t column = 0; column < first.size(); ++column) {
        if (!LooksLikeColumnName(first[column])) continue;
        bool again = false;
        for (std::size_t r = 1; r < below && !again; ++r)
            again = column < records[r].cells.size() && records[r].cells[column] == first[column];
        if (!again) return true;
    }
    // No Japanese in the first row, but in a column of the rows below it.
    for (std::size_t column = 0; column < first.size(); ++column)
        for (std::size_t r = 1; r < below; ++r)
            if (column < records[r].cells.size() && HasJapanese(records[r].cells[column])) return true;
    return false;
}

}  // namespace

SourceSheet ReadCsv(std::string_view bytes, CsvKind kind) {
    const std::string decoded = DecodeText(bytes);
    std::string_view text = decoded;
    HeaderLines header = ReadHeaderLines(text);
    const char separator = kind == CsvKind::Tsv ? '\t' : header.separator ? *header.separator : GuessSeparator(text);

    std::vector<Record> records;
    RecordSplitter splitter(text, separator, header.lines + 1);
    std::size_t width = 0;
    while (!splitter.atEnd()) {
        Record record = splitter.next();
        if (IsBlank(record)) continue;
        for (std::string& cell : record.cells)
            cell = text::FromSpreadsheetInert(Trimmed(header.html ? HtmlToText(cell) : cell));
        width = std::max(width, record.cells.size());
        records.push_back(std::move(record));
    }

    if (width > 0 && records.size() > kMaxCsvCells / width)
        throw ReadError("Die Datei hat " + std::to_string(records.size()) + " Zeilen mit bis zu " +
                        std::to_string(width) + " Spalten; so große Tabellen werden nicht gelesen.");

    SourceSheet sheet;
    sheet.format = kind == CsvKind::Tsv || separator == '\t' ? "TSV" : "CSV";
    std::vector<std::string> names;
    if (!header.columns.empty()) {
        RecordSplitter nameSplitter(header.columns[0], separator, 1);
        names = nameSplitter.next().cells;
    } else if (IsHeaderRow(records)) {
        names = records.front().cells;
        records.erase(records.begin());
    }
    width = std::max(width, names.size());
    for (std::size_t column = 0; column < width; ++column) {
        std::string name = column < names.size() ? Trimmed(names[column]) : std::string();
        if (const auto named = header.namedColumns.find(static_cast<int>(column) + 1);
            named != header.namedColumns.end())
            name = named->second;
        sheet.columns.push_back(name.empty() ? "Spalte " + std::to_string(column + 1) : name);
    }
    sheet.rows.reserve(records.size());
    sheet.rowNumbers.reserve(records.size());
    for (Record& record : records) {
        record.cells.resize(width);
        sheet.rows.push_back(std::move(record.cells));
        sheet.rowNumbers.push_back(record.line);
    }
    return sheet;
}

SourceSheet ReadCsvFile(const std::filesystem::path& file, CsvKind kind) {
    return ReadCsv(ReadFileBytes(file), kind);
}

}  // namespace morvanta::foreign
