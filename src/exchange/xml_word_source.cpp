#include "exchange/xml_word_source.h"

#include <string>

#include "text/rich_text.h"

namespace morvanta::exchange {

namespace {

QString Text(const store::DataSet& record, std::string_view field) {
    return QString::fromStdString(record.asString(field));
}

// The rich text as an editor shows it, without the paragraph break that ends the document.
QString PlainText(const store::DataSet& record, std::string_view field) {
    std::string plain = text::RtfToPlainText(record.asString(field));
    while (!plain.empty() && (plain.back() == '\n' || plain.back() == '\r')) plain.pop_back();
    return QString::fromStdString(plain);
}

std::optional<store::DateTime> Date(const store::DataSet& record, std::string_view field) {
    if (record.isNull(field)) return std::nullopt;
    return record.asDateTime(field);
}

}  // namespace

XmlWord WordFromRecord(const store::DataSet& record) {
    XmlWord w;
    w.word = PlainText(record, "Kanji");
    w.reading = PlainText(record, "Hira-Kata");
    w.transliteration = Text(record, "Hepburn");
    w.translations = {Text(record, "Translation1"), Text(record, "Translation2"),
                      Text(record, "Translation3")};
    w.lesson = Text(record, "Lesson");
    w.type = Text(record, "Type");
    w.description = Text(record, "Note");
    w.dateEntered = Date(record, "DateEntered");
    w.dateAsked = Date(record, "DateAsked");
    w.countAsked = Text(record, "NumberAsked");
    w.countWrong = Text(record, "NumberWrong");
    w.tone = Text(record, "Accent");
    return w;
}

void BuildWordList(store::DataSet& words, const XmlExportOptions& options,
                   XmlWordListWriter& writer) {
    writer.clear();
    writer.begin(options.description);
    words.first();
    bool reserved = false;
    while (!words.eof()) {
        writer.addWord(WordFromRecord(words), options);
        if (!reserved) {
            // Sized from the first word, so a large selection is not copied while it grows.
            writer.reserve(writer.text().size() * qsizetype(words.recordCount() + 1));
            reserved = true;
        }
        words.next();
    }
    writer.finish();
}

}  // namespace morvanta::exchange
