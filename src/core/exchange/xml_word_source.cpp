#include "core/exchange/xml_word_source.h"

#include <charconv>
#include <string>

#include "core/exchange/utf8_to_utf16.h"
#include "store/field_value.h"
#include "text/rich_text.h"

namespace morvanta::exchange {

namespace {

QStringView View(const std::u16string& s) { return QStringView(s.data(), qsizetype(s.size())); }

// The field's display text, as DataSet::asString gives it, in `out`.
QStringView TextInto(const store::DataSet& record, std::string_view field, std::u16string& out) {
    const store::Value value = record.value(field);
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
        Utf8ToUtf16(record.asString(field), out);
    }
    return View(out);
}

// The rich text as an editor shows it, without the paragraph break that ends the document.
QStringView PlainTextInto(const store::DataSet& record, std::string_view field,
                          std::u16string& out) {
    const store::Value value = record.value(field);
    const auto* s = std::get_if<std::string>(&value);
    std::string plain = text::RtfToPlainText(s ? *s : record.asString(field));
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    Utf8ToUtf16(plain, out);
    return View(out);
}

std::optional<store::DateTime> Date(const store::DataSet& record, std::string_view field) {
    const store::Value value = record.value(field);
    if (std::holds_alternative<std::monostate>(value)) return std::nullopt;
    return store::ValueAsDateTime(value, field);
}

// One record's values in buffers that keep their memory from word to word.
class RecordReader {
public:
    XmlWordView read(const store::DataSet& record) {
        XmlWordView w;
        w.word = PlainTextInto(record, "Kanji", texts_[0]);
        w.reading = PlainTextInto(record, "Hira-Kata", texts_[1]);
        w.transliteration = TextInto(record, "Hepburn", texts_[2]);
        w.translations = {TextInto(record, "Translation1", texts_[3]),
                          TextInto(record, "Translation2", texts_[4]),
                          TextInto(record, "Translation3", texts_[5])};
        w.lesson = TextInto(record, "Lesson", texts_[6]);
        w.type = TextInto(record, "Type", texts_[7]);
        w.description = TextInto(record, "Note", texts_[8]);
        w.dateEntered = Date(record, "DateEntered");
        w.dateAsked = Date(record, "DateAsked");
        w.countAsked = TextInto(record, "NumberAsked", texts_[9]);
        w.countWrong = TextInto(record, "NumberWrong", texts_[10]);
        w.tone = TextInto(record, "Accent", texts_[11]);
        return w;
    }

private:
    std::array<std::u16string, 12> texts_;
};

}  // namespace

XmlWord WordFromRecord(const store::DataSet& record) {
    RecordReader reader;
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
    RecordReader reader;
    std::int64_t done = 0;
    for (words.first(); !words.eof(); words.next()) {
        writer.addWord(reader.read(words), options);
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
