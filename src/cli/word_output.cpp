#include "cli/word_output.h"

#include <QString>
#include <charconv>
#include <cstdio>

#include "cli/messages.h"
#include "core/exchange/xml_word_source.h"

namespace morvanta::cli {

namespace {

std::string JsonValue(const store::Value& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return "null"; }
        std::string operator()(const std::string& s) const { return JsonString(s); }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(bool b) const { return b ? "true" : "false"; }
        std::string operator()(const store::DateTime& d) const { return JsonString(d.toStorage()); }
        std::string operator()(double d) const {
            char digits[32];
            const auto end = std::to_chars(digits, digits + sizeof digits, d).ptr;
            return std::string(digits, end);
        }
    };
    return std::visit(Visitor{}, value);
}

}  // namespace

JapaneseText JapaneseOf(const store::DataSet& record) {
    const exchange::XmlWord word = exchange::WordFromRecord(record);
    return {word.word.toStdString(), word.reading.toStdString()};
}

std::string SearchLine(const store::DataSet& record) {
    std::string line;
    for (std::string_view field :
         {"Translation1", "Translation2", "Translation3", "Hepburn", "Lesson"})
        line += OneLineField(record.asString(field)) + '\t';
    return line + OneLineField(record.asString("Type"));
}

std::string WordJson(const store::DataSet& record) {
    const JapaneseText japanese = JapaneseOf(record);
    std::string json = "{";
    bool first = true;
    for (const store::FieldDef& field : store::VocabularyFields()) {
        json += first ? "" : ", ";
        first = false;
        json += JsonString(field.name) + ": ";
        if (field.name == "Kanji")
            json += JsonString(japanese.kanji);
        else if (field.name == "Hira-Kata")
            json += JsonString(japanese.kana);
        else
            json += JsonValue(record.value(field.name));
    }
    return json + "}";
}

std::string JsonString(std::string_view text) {
    // Stray bytes that are no UTF-8 would make the whole document unreadable.
    const std::string utf8 = QString::fromUtf8(text.data(), qsizetype(text.size())).toStdString();
    std::string out = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace morvanta::cli
