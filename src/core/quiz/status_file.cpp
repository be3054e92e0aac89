#include "core/quiz/status_file.h"

#include <charconv>
#include <vector>

#include "core/quiz/question_queue.h"
#include "text/codepage.h"

namespace morvanta::quiz {

namespace {

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

constexpr std::string_view kGermanToJapaneseLine = "Richtung: Deutsch-Japanisch";

[[noreturn]] void Damaged(const std::string& what) {
    throw DamagedStatusFileError("Die Abfrage Status Datei ist beschädigt: " + what);
}

int ReadNumber(const std::vector<std::string_view>& lines, std::size_t index) {
    const std::string lineName = "Zeile " + std::to_string(index + 1);
    if (index >= lines.size()) Damaged(lineName + " fehlt.");
    std::string_view text = lines[index];
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        Damaged(lineName + " ist keine Zahl: \"" + text::Cp1252ToUtf8(lines[index]) + "\".");
    return value;
}

}  // namespace

std::string WriteStatusFile(const StatusFileContent& content) {
    const std::string sql = text::Utf8ToCp1252(content.sqlLine);
    if (text::Cp1252ToUtf8(sql) != content.sqlLine)
        throw std::runtime_error(
            "Die SQL Zeile enthält Zeichen, die in der Abfrage Status Datei nicht gespeichert "
            "werden können.");
    const std::string crlf = "\r\n";
    std::string out = kStatusFileHeader + crlf;
    out += sql + crlf;
    out += std::to_string(content.selectionCount) + crlf;
    out += std::to_string(content.doneCount) + crlf;
    out += std::to_string(content.recNo) + crlf;
    out += content.queueText + crlf;
    // A seventh line: readers of six lines pass over it.
    const bool otherWay = content.direction == stats::Direction::GermanToJapanese;
    if (!content.rowIds.empty() || otherWay) {
        for (size_t i = 0; i < content.rowIds.size(); ++i) {
            if (i > 0) out += ' ';
            out += std::to_string(content.rowIds[i]);
        }
        out += crlf;
    }
    // An eighth only for the other way: files asked Japanese to German stay as they were.
    if (otherWay) out += std::string(kGermanToJapaneseLine) + crlf;
    return out;
}

StatusFileContent ReadStatusFile(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.empty() || lines[0] != kStatusFileHeader)
        throw NotAStatusFileError("Keine Abfrage Status Datei!");
    if (lines.size() < 2) Damaged("Zeile 2 fehlt.");

    StatusFileContent content;
    content.sqlLine = text::Cp1252ToUtf8(lines[1]);
    content.selectionCount = ReadNumber(lines, 2);
    content.doneCount = ReadNumber(lines, 3);
    content.recNo = ReadNumber(lines, 4);
    // Counts beyond the selection would show a false progress and could overflow.
    const int count = content.selectionCount;
    if (count < 0) Damaged("Zeile 3 nennt " + std::to_string(count) + " Vokabeln.");
    if (content.doneCount < 0 || content.doneCount > count)
        Damaged("Zeile 4 nennt " + std::to_string(content.doneCount) + " abgefragte Vokabeln, die Auswahl hat " +
                std::to_string(count) + ".");
    if (lines.size() > 5) {
        try {
            content.queueText = QuestionQueue::fromText(lines[5]).text();
        } catch (const QueueError& e) {
            Damaged(std::string("Zeile 6: ") + e.what());
        }
    }
    if (lines.size() > 6 && !lines[6].empty()) {
        std::string_view rest = lines[6];
        while (!rest.empty()) {
            const auto blank = rest.find(' ');
            const std::string_view item = rest.substr(0, blank);
            std::int64_t id = 0;
            const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), id);
            if (item.empty() || error != std::errc() || end != item.data() + item.size())
                Damaged("Zeile 7 ist keine Liste von Zeilennummern.");
            content.rowIds.push_back(id);
            rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        }
        // The current word and one row per queue entry.
        if (content.rowIds.size() != QuestionQueue::fromText(content.queueText).entries().size() + 1)
            Damaged("Zeile 7 passt nicht zur Liste der Vokabeln in Zeile 6.");
    }
    // Without the rows the current word is found by its number; with them the
    // number only tells where the quiz stood (words may have left since).
    if (content.rowIds.empty() && (content.recNo < 0 || content.recNo > count))
        Damaged("Zeile 5 nennt den Datensatz " + std::to_string(content.recNo) + ", die Auswahl hat " +
                std::to_string(count) + ".");
    if (lines.size() > 7 && !lines[7].empty()) {
        if (lines[7] != kGermanToJapaneseLine)
            Damaged("Zeile 8 nennt keine Abfragerichtung: \"" + text::Cp1252ToUtf8(lines[7]) + "\".");
        content.direction = stats::Direction::GermanToJapanese;
    }
    return content;
}

}  // namespace morvanta::quiz
