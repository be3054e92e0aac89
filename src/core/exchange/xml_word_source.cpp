#include "core/exchange/xml_word_source.h"

#include <charconv>
#include <string>
#include <vector>

#include "core/exchange/utf8_to_utf16.h"
#include "store/field_value.h"
#include "store/record_reader.h"
#include "text/rich_text.h"

namespace morvanta::exchange {

namespace {

QStringView View(const std::u16string& s) { return QStringView(s.data(), qsizetype(s.size())); }

// The record fields a word-list entry takes, in the order WordReader reads them.
enum Column { Kanji, HiraKata, Hepburn, T1, T2, T3, Lesson, Type, Note, DateEntered, DateAsked,
              NumberAsked, NumberWrong, Accent };
const std::vector<std::string_view> kColumns = {
    "Kanji", "Hira-Kata", "Hepburn", "Translation1", "Translation2", "Translation3", "Lesson",
    "Type", "Note", "DateEntered", "DateAsked", "NumberAsked", "NumberWrong", "Accent"};

// A number field's display text, as DataSet::asString gives it, in `out`.
template <typename Record>
QStringView NumberInto(const Record& record, Column column, std::u16string& out) {
    const store::Value value = record.value(column);
    if (std::holds_alternative<std::monostate>(value)) {
        out.clear();
    } else if (const auto* i = std::get_if<std::int64_t>(&value)) {
        // The counting fields are integer fields: plain decimal digits.
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, *i).ptr;
        out.assign(digits, end);
    } else {
        Utf8ToUtf16(record.text(column), out);
    }
    return View(out);
}

// A text field's text, as DataSet::asString gives it, in `out`.
template <typename Record>
QStringView TextInto(const Record& record, Column column, std::u16string& out) {
    Utf8ToUtf16(record.text(column), out);
    return View(out);
}

// The rich text as an editor shows it, without the paragraph break that ends the document.
QStringView PlainTextInto(std::string_view rtf, std::u16string& out) {
    std::string plain = text::RtfToPlainText(rtf);
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    Utf8ToUtf16(plain, out);
    return View(out);
}

template <typename Record>
std::optional<store::DateTime> Date(const Record& record, Column column) {
    const store::Value value = record.value(column);
    if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
    return store::ValueAsDateTime(value, kColumns[column]);
}

// The fields of a record reader's current record, or of a data set's.
struct ReaderFields {
    const store::RecordReader& record;
    store::Value value(Column c) const { return record.value(c); }
    std::string_view text(Column c) const { return record.text(c); }
};
struct DataSetFields {
    const store::DataSet& record;
    store::Value value(Column c) const { return record.value(kColumns[c]); }
    std::string text(Column c) const { return record.asString(kColumns[c]); }
};

// One record's values in buffers that keep their memory from word to word.
class WordReader {
public:
    template <typename Record>
    XmlWordView read(const Record& r) {
        XmlWordView w;
        w.word = PlainTextInto(r.text(Kanji), texts_[0]);
        w.reading = PlainTextInto(r.text(HiraKata), texts_[1]);
        w.transliteration = TextInto(r, Hepburn, texts_[2]);
        w.translations = {TextInto(r, T1, texts_[3]), TextInto(r, T2, texts_[4]),
                          TextInto(r, T3, texts_[5])};
        w.lesson = NumberInto(r, Lesson, texts_[6]);
        w.type = TextInto(r, Type, texts_[7]);
        w.description = TextInto(r, Note, texts_[8]);
        w.dateEntered = Date(r, DateEntered);
        w.dateAsked = Date(r, DateAsked);
        w.countAsked = NumberInto(r, NumberAsked, texts_[9]);
        w.countWrong = NumberInto(r, NumberWrong, texts_[10]);
        w.tone = NumberInto(r, Accent, texts_[11]);
        return w;
    }

private:
    std::array<std::u16string, 12> texts_;
};

}  // namespace

XmlWord WordFromRecord(const store::DataSet& record) {
    WordReader reader;
    const XmlWordView v = reader.read(DataSetFields{record});
    XmlWord w;
    w.word = v.word.toString();
    w.reading = v.reading.toString();
    w.transliteration = v.transliteration.toString();
    for (size_t i = 0; i < 3; ++i) w.translations[i] = v.translations[i].toString();
    w.lesson = v.lesson.toString();
    w.type = v.type.toString();
    w.description = v.description.toString();
    w.dateEntered = v.dateEntered;
    w.dateAsked = v.dateAsked;
    w.countAsked = v.countAsked.toString();
    w.countWrong = v.countWrong.toString();
    w.tone = v.tone.toString();
    return w;
}

bool BuildWordList(store::DataSet& words, const XmlExportOptions& options,
                   XmlWordListWriter& writer, const ProgressFn& progress) {
    writer.clear();
    writer.begin(options.description);
    WordReader reader;
    store::RecordReader records(words, kColumns);
    std::int64_t done = 0;
    while (records.next()) {
        writer.addWord(reader.read(ReaderFields{records}), options);
        if (!Proceed(progress, ++done)) return false;
    }
    writer.finish();
    return true;
}

bool WriteWordList(store::DataSet& words, const XmlExportOptions& options, QIODevice& out) {
    XmlWordListWriter writer(out);
    BuildWordList(words, options, writer);
    return writer.ok();
}

}  // namespace morvanta::exchange
