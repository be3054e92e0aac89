#include "core/exchange/xml_word_source.h"

#include <charconv>
#include <functional>
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

// The field's display text, as DataSet::asString gives it, in `out`.
QStringView TextInto(const store::Value& value, const std::function<std::string()>& formatted,
                     std::u16string& out) {
    if (const auto* s = std::get_if<std::string>(&value)) {
        Utf8ToUtf16(*s, out);
    } else if (std::holds_alternative<std::monostate>(value)) {
        out.clear();
    } else if (const auto* i = std::get_if<std::int64_t>(&value)) {
        // The counting fields are integer fields: plain decimal digits.
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, *i).ptr;
        out.assign(digits, end);
    } else {
        Utf8ToUtf16(formatted(), out);
    }
    return View(out);
}

// The rich text as an editor shows it, without the paragraph break that ends the document.
QStringView PlainTextInto(std::string_view rtf, std::u16string& out) {
    std::string plain = text::RtfToPlainText(rtf);
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    Utf8ToUtf16(plain, out);
    return View(out);
}

std::optional<store::DateTime> Date(const store::Value& value, std::string_view field) {
    if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
    return store::ValueAsDateTime(value, field);
}

// One record's values in buffers that keep their memory from word to word; the
// fields come from a record reader or from a data set's current record.
class WordReader {
public:
    using ValueOf = std::function<store::Value(Column)>;
    using TextOf = std::function<std::string(Column)>;

    XmlWordView read(const ValueOf& value, const TextOf& text) {
        const auto textInto = [&](Column c, std::u16string& out) {
            return TextInto(value(c), [&] { return text(c); }, out);
        };
        XmlWordView w;
        w.word = PlainTextInto(text(Kanji), texts_[0]);
        w.reading = PlainTextInto(text(HiraKata), texts_[1]);
        w.transliteration = textInto(Hepburn, texts_[2]);
        w.translations = {textInto(T1, texts_[3]), textInto(T2, texts_[4]), textInto(T3, texts_[5])};
        w.lesson = textInto(Lesson, texts_[6]);
        w.type = textInto(Type, texts_[7]);
        w.description = textInto(Note, texts_[8]);
        w.dateEntered = Date(value(DateEntered), kColumns[DateEntered]);
        w.dateAsked = Date(value(DateAsked), kColumns[DateAsked]);
        w.countAsked = textInto(NumberAsked, texts_[9]);
        w.countWrong = textInto(NumberWrong, texts_[10]);
        w.tone = textInto(Accent, texts_[11]);
        return w;
    }
    XmlWordView read(const store::RecordReader& record) {
        return read([&](Column c) { return record.value(c); },
                    [&](Column c) { return std::string(record.text(c)); });
    }
    XmlWordView read(const store::DataSet& record) {
        return read([&](Column c) { return record.value(kColumns[c]); },
                    [&](Column c) { return record.asString(kColumns[c]); });
    }

private:
    std::array<std::u16string, 12> texts_;
};

}  // namespace

XmlWord WordFromRecord(const store::DataSet& record) {
    WordReader reader;
    const XmlWordView v = reader.read(record);
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
        writer.addWord(reader.read(records), options);
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
