#include "core/foreign/foreign_import.h"

#include <QString>
#include <charconv>
#include <map>

#include "core/entry/kana_change.h"
#include "core/foreign/script_kind.h"
#include "store/data_set.h"
#include "store/engine_error.h"
#include "store/record_reader.h"
#include "store/type_words.h"
#include "text/fast_strings.h"
#include "text/rich_text.h"
#include "text/romaji_kana.h"

namespace morvanta::foreign {

namespace {

constexpr std::size_t kLongestRomajiReading = 60;

std::string Key(std::string_view hepburn, std::string_view t1, std::string_view t2,
                std::string_view t3) {
    std::string key;
    key.reserve(hepburn.size() + t1.size() + t2.size() + t3.size() + 3);
    for (std::string_view part : {hepburn, t1, t2, t3}) {
        key += part;
        key += '\x1F';
    }
    return key;
}

std::string Trim(std::string_view text) { return std::string(text::TrimControls(text)); }

// The type word as the program writes it when the cell names one of the twelve.
std::string TypeWord(const std::string& cell) {
    const QString typed = QString::fromStdString(cell);
    for (std::string_view word : store::kTypeWords)
        if (typed.compare(QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())),
                          Qt::CaseInsensitive) == 0)
            return std::string(word);
    return cell;
}

std::optional<std::int64_t> WholeNumber(std::string_view cell) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), value);
    if (error != std::errc() || end != cell.data() + cell.size() || value < 0 || value > 1'000'000)
        return std::nullopt;
    return value;
}

// "a; b; c; d" into three translations; what is left over stays with the third.
void SplitTranslations(const std::string& cell, entry::NewWord& word) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= cell.size()) {
        const std::size_t end = std::min(cell.find(';', start), cell.size());
        if (std::string part = Trim(std::string_view(cell).substr(start, end - start)); !part.empty())
            parts.push_back(std::move(part));
        start = end + 1;
    }
    for (std::size_t i = 3; i < parts.size(); ++i) parts[2] += "; " + parts[i];
    parts.resize(std::max<std::size_t>(parts.size(), 3));
    word.translation1 = parts[0];
    word.translation2 = parts[1];
    word.translation3 = parts[2];
}

class RowReader {
public:
    RowReader(const SourceSheet& sheet, const ColumnMapping& mapping, std::int64_t firstFreeLesson)
        : sheet_(sheet), mapping_(mapping), nextLesson_(firstFreeLesson) {}

    // The word of a row, or the reason it cannot be one.
    std::optional<entry::NewWord> word(std::size_t row, std::string& reason) {
        const std::vector<std::string>& cells = sheet_.rows[row];
        const auto cell = [&](Field field) -> std::string {
            const auto column = ColumnOf(mapping_, field);
            return column && *column < cells.size() ? Trim(text::OneLine(cells[*column])) : std::string();
        };
        entry::NewWord word;
        word.accent = -1;

        std::string written = cell(Field::Kanji);
        std::string reading = cell(Field::Kana);
        if (written.find('[') != std::string::npos) {
            Furigana furigana = SplitFurigana(written);
            written = std::move(furigana.written);
            if (reading.empty()) reading = std::move(furigana.reading);
        } else if (reading.find('[') != std::string::npos) {
            reading = SplitFurigana(reading).reading;
        }
        if (ScriptOf(reading) == ScriptKind::Latin) {
            const std::string typed = reading;
            // A reading is a word or two: a long text is not taken for romaji.
            if (typed.size() <= kLongestRomajiReading) reading = text::RomajiToKana(typed, true).kana;
            if (ScriptOf(reading) != ScriptKind::Kana) {
                reason = "die Lesung „" + QString::fromStdString(typed).left(40).toStdString() +
                         "“ ist weder Kana noch Romaji";
                return std::nullopt;
            }
        }
        if (reading.empty() && ScriptOf(written) == ScriptKind::Kana) reading = written;
        if (written.empty()) written = reading;
        if (written.empty()) {
            reason = "kein japanisches Wort";
            return std::nullopt;
        }
        word.kanjiRtf = text::PlainTextToRtf(written);
        word.hiraKataRtf = text::PlainTextToRtf(reading);
        word.hepburn = entry::HepburnFromKanaRtf(word.hiraKataRtf);
        if (!reading.empty() && word.hepburn.empty()) {
            reason = "die Lesung „" + QString::fromStdString(reading).left(40).toStdString() +
                     "“ ergibt keine Hepburn-Lesung";
            return std::nullopt;
        }

        if (ColumnOf(mapping_, Field::Translation2) || ColumnOf(mapping_, Field::Translation3)) {
            word.translation1 = cell(Field::Translation1);
            word.translation2 = cell(Field::Translation2);
            word.translation3 = cell(Field::Translation3);
        } else {
            SplitTranslations(cell(Field::Translation1), word);
        }
        if (word.translation1.empty()) {
            if (word.translation2.empty() && word.translation3.empty()) {
                reason = "keine Übersetzung";
                return std::nullopt;
            }
            std::swap(word.translation1, word.translation2.empty() ? word.translation3 : word.translation2);
        }
        word.type = TypeWord(cell(Field::Type));
        word.note = cell(Field::Note);
        word.lesson = lesson(cell(Field::Lesson));
        return word;
    }

    std::vector<NamedLesson> takeLessons() { return std::move(lessons_); }

private:
    std::int64_t lesson(const std::string& cell) {
        if (cell.empty()) return 1;
        if (const auto number = WholeNumber(cell)) return *number;
        auto [found, added] = lessonIndex_.try_emplace(cell, lessons_.size());
        if (added) lessons_.push_back({cell, nextLesson_++, 0});
        ++lessons_[found->second].words;
        return lessons_[found->second].number;
    }

    const SourceSheet& sheet_;
    const ColumnMapping& mapping_;
    std::int64_t nextLesson_;
    std::map<std::string, std::size_t> lessonIndex_;
    std::vector<NamedLesson> lessons_;
};

std::string RowName(const SourceSheet& sheet, std::size_t row) {
    const int number = row < sheet.rowNumbers.size() ? sheet.rowNumbers[row] : static_cast<int>(row) + 1;
    return sheet.rowWord + " " + std::to_string(number);
}

}  // namespace

Furigana SplitFurigana(std::string_view text) {
    Furigana out;
    std::string base;  // the text since the last blank or reading: a reading's base
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const std::size_t close = c == '[' ? text.find(']', i) : std::string_view::npos;
        if (close != std::string_view::npos) {
            out.written += base;
            out.reading += text.substr(i + 1, close - i - 1);
            base.clear();
            i = close;
        } else if (c == ' ') {
            out.written += base;
            out.reading += base;
            base.clear();
        } else {
            base += c;
        }
    }
    out.written += base;
    out.reading += base;
    return out;
}

PreparedImport PrepareImport(const SourceSheet& sheet, const ColumnMapping& mapping,
                             std::int64_t firstFreeLesson) {
    PreparedImport prepared;
    prepared.words.reserve(sheet.rows.size());
    RowReader reader(sheet, mapping, firstFreeLesson);
    std::string reason;
    for (std::size_t row = 0; row < sheet.rows.size(); ++row) {
        if (auto word = reader.word(row, reason)) {
            prepared.words.push_back(std::move(*word));
            continue;
        }
        ++prepared.unusable;
        if (prepared.problems.size() < kListedProblems)
            prepared.problems.push_back(RowName(sheet, row) + ": " + reason);
    }
    prepared.lessons = reader.takeLessons();
    return prepared;
}

WordKeys::WordKeys(store::DataSet& table) {
    store::RecordReader reader(table, {"Hepburn", "Translation1", "Translation2", "Translation3"});
    keys_.reserve(static_cast<std::size_t>(reader.count()) * 2);
    while (reader.next())
        keys_.insert(Key(reader.text(0), reader.text(1), reader.text(2), reader.text(3)));
}

std::string WordKeys::KeyOf(const entry::NewWord& word) {
    return Key(entry::FirstLine(word.hepburn), word.translation1, word.translation2, word.translation3);
}

std::int64_t FirstFreeLesson(store::DataSet& table) {
    store::RecordReader reader(table, {"Lesson"});
    std::int64_t highest = 0;
    while (reader.next())
        if (const auto lesson = WholeNumber(reader.text(0))) highest = std::max(highest, *lesson);
    return highest + 1;
}

ImportPreview CountPreview(const PreparedImport& prepared, const WordKeys& table) {
    ImportPreview preview;
    preview.unusable = prepared.unusable;
    std::unordered_set<std::string> earlier;  // the file's own rows
    earlier.reserve(prepared.words.size());
    for (const entry::NewWord& word : prepared.words) {
        std::string key = WordKeys::KeyOf(word);
        const bool fresh = !table.contains(key) && earlier.insert(std::move(key)).second;
        ++(fresh ? preview.newWords : preview.duplicates);
    }
    return preview;
}

ImportPreview CountPreview(const PreparedImport& prepared, store::DataSet& table) {
    return CountPreview(prepared, WordKeys(table));
}

ForeignImportResult RunForeignImport(const PreparedImport& prepared, store::DataSet& table,
                                     const store::Clock& clock, const exchange::ProgressFn& progress,
                                     const exchange::CommittedFn& committed) {
    ForeignImportResult result;
    result.unusable = prepared.unusable;
    try {
        exchange::ImportBatch batch(table, committed);
        const auto counted = [&] {
            result.stored = batch.counts().stored;
            result.refused = batch.counts().refused;
        };
        std::int64_t done = 0;
        for (const entry::NewWord& word : prepared.words) {
            if (!exchange::Proceed(progress, done++)) {
                result.cancelled = true;
                break;
            }
            batch.add(entry::NewWordRecord(word, clock));
            counted();
        }
        // A cancel keeps what was imported so far, as the special import does.
        batch.end();
        counted();
    } catch (const store::EngineError&) {
        result.stopped = true;
        result.error = std::current_exception();
    } catch (...) {
        result.error = std::current_exception();
    }
    return result;
}

std::string ForeignImportMessage(const ForeignImportResult& result) {
    std::string text = result.cancelled ? "Import abgebrochen: " : result.stopped ? "Import vorzeitig beendet: " : "";
    text += std::to_string(result.stored) + (result.stored == 1 ? " Vokabel" : " Vokabeln") + " importiert";
    text += ", " + std::to_string(result.refused) + " schon vorhanden";
    text += ", " + std::to_string(result.unusable) + " nicht speicherbar.";
    return text;
}

}  // namespace morvanta::foreign
