#include "core/foreign/kvtml_reader.h"

#include <QBuffer>
#include <QXmlStreamReader>
#include <map>
#include <optional>

#include "core/foreign/file_bytes.h"
#include "store/type_words.h"

namespace morvanta::foreign {

namespace {

// Deeper nesting of lessons is no word list (and would cost the stack).
constexpr int kMaxContainerDepth = 100;

struct Translation {
    std::string text, pronunciation, comment;
};

struct Entry {
    std::map<int, Translation> translations;  // by identifier
    std::string lesson, type;
};

struct Language {
    int id = 0;
    std::string name;
};

// The type word a word-type container stands for: its name when that is one of
// the program's, else what its special type says where that maps onto one.
std::string TypeWordOf(const std::string& name, const std::string& special) {
    for (std::string_view word : store::kTypeWords)
        if (name == word) return name;
    if (special.starts_with("noun")) return "Meishi";
    if (special == "adverb") return "Fukushi";
    return {};
}

class KvtmlReader {
public:
    explicit KvtmlReader(QIODevice& in) : xml_(&in) {}

    SourceSheet read() {
        if (!xml_.readNextStartElement() || xml_.name() != QStringLiteral("kvtml"))
            fail("Die Datei ist keine KVTML-Wortliste (das Element <kvtml> fehlt).");
        if (!xml_.attributes().value(QStringLiteral("version")).startsWith(QStringLiteral("2")))
            fail("Die Datei ist im alten KVTML-1-Format; gelesen wird KVTML 2 (Parley, KWordQuiz).");
        while (xml_.readNextStartElement()) {
            const auto name = xml_.name();
            if (name == QStringLiteral("identifiers")) readIdentifiers();
            else if (name == QStringLiteral("entries")) readEntries();
            else if (name == QStringLiteral("lessons")) readContainers(Group::Lessons);
            else if (name == QStringLiteral("wordtypes")) readContainers(Group::Types);
            else xml_.skipCurrentElement();
        }
        checkXml();
        return sheet();
    }

private:
    enum class Group { Lessons, Types };

    [[noreturn]] void fail(const std::string& what) {
        throw ReadError("Zeile " + std::to_string(xml_.lineNumber()) + ": " + what);
    }

    void checkXml() {
        if (xml_.hasError())
            fail("Die Datei ist kein vollständiges XML (" + xml_.errorString().toStdString() + ").");
    }

    int idAttribute() {
        bool ok = false;
        const int id = xml_.attributes().value(QStringLiteral("id")).toInt(&ok);
        if (!ok) fail("Dem Element <" + xml_.name().toString().toStdString() + "> fehlt eine gültige id.");
        return id;
    }

    std::string readText() { return xml_.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString(); }

    void readIdentifiers() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QStringLiteral("identifier")) {
                xml_.skipCurrentElement();
                continue;
            }
            Language language{idAttribute(), {}};
            while (xml_.readNextStartElement())
                if (xml_.name() == QStringLiteral("name")) language.name = readText();
                else xml_.skipCurrentElement();
            if (language.name.empty()) language.name = "Sprache " + std::to_string(std::int64_t{language.id} + 1);
            languages_.push_back(std::move(language));
        }
    }

    bool knownLanguage(int id) const {
        for (const Language& language : languages_)
            if (language.id == id) return true;
        return false;
    }

    void readEntries() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QStringLiteral("entry")) {
                xml_.skipCurrentElement();
                continue;
            }
            const int id = idAttribute();
            if (entries_.contains(id)) fail("Der Eintrag id=\"" + std::to_string(id) + "\" steht zweimal in der Datei.");
            order_.push_back(id);
            Entry& entry = entries_[id];
            while (xml_.readNextStartElement()) {
                if (xml_.name() != QStringLiteral("translation")) {
                    xml_.skipCurrentElement();
                    continue;
                }
                const int language = idAttribute();
                if (!knownLanguage(language))
                    fail("Die Übersetzung mit id=\"" + std::to_string(language) +
                         "\" gehört zu keiner Sprache unter <identifiers>.");
                Translation& translation = entry.translations[language];
                while (xml_.readNextStartElement()) {
                    const auto part = xml_.name();
                    if (part == QStringLiteral("text")) translation.text = readText();
                    else if (part == QStringLiteral("pronunciation")) translation.pronunciation = readText();
                    else if (part == QStringLiteral("comment")) translation.comment = readText();
                    else xml_.skipCurrentElement();
                }
            }
        }
    }

    void readContainers(Group group) {
        while (xml_.readNextStartElement())
            if (xml_.name() == QStringLiteral("container")) readContainer(group, {}, {});
            else xml_.skipCurrentElement();
    }

    // Lessons and word types are containers that may hold containers; an entry
    // takes the innermost one that lists it, the first time it is listed. The
    // reader stands on the <container> start.
    void readContainer(Group group, const std::string& outerName, const std::string& outerSpecial,
                       int depth = 1) {
        if (depth > kMaxContainerDepth)
            fail("Die Lektionen oder Wortarten sind tiefer als " + std::to_string(kMaxContainerDepth) +
                 " Ebenen ineinander geschachtelt.");
        std::string name = outerName, special = outerSpecial;
        while (xml_.readNextStartElement()) {
            const auto part = xml_.name();
            if (part == QStringLiteral("name")) {
                name = readText();
            } else if (part == QStringLiteral("specialwordtype")) {
                special = readText();
            } else if (part == QStringLiteral("container")) {
                readContainer(group, name, special, depth + 1);
            } else if (part == QStringLiteral("entry")) {
                const int id = idAttribute();
                xml_.skipCurrentElement();
                const auto found = entries_.find(id);
                if (found == entries_.end()) continue;
                std::string& value = group == Group::Lessons ? found->second.lesson : found->second.type;
                if (value.empty()) value = group == Group::Lessons ? name : TypeWordOf(name, special);
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    SourceSheet sheet() const {
        SourceSheet sheet;
        sheet.format = "KVTML";
        sheet.rowWord = "Eintrag";
        std::map<int, bool> pronounced, commented;
        for (const auto& [id, entry] : entries_)
            for (const auto& [language, translation] : entry.translations) {
                pronounced[language] = pronounced[language] || !translation.pronunciation.empty();
                commented[language] = commented[language] || !translation.comment.empty();
            }
        struct Column {
            int language;
            int part;  // 0 text, 1 pronunciation, 2 comment
        };
        std::vector<Column> columns;
        for (const Language& language : languages_) {
            sheet.columns.push_back(language.name);
            columns.push_back({language.id, 0});
            if (pronounced[language.id]) {
                sheet.columns.push_back(language.name + " (Aussprache)");
                columns.push_back({language.id, 1});
            }
            if (commented[language.id]) {
                sheet.columns.push_back(language.name + " (Kommentar)");
                columns.push_back({language.id, 2});
            }
        }
        sheet.columns.push_back("Lektion");
        sheet.columns.push_back("Typ");
        sheet.rows.reserve(order_.size());
        for (int id : order_) {
            const Entry& entry = entries_.at(id);
            std::vector<std::string> row;
            row.reserve(sheet.columns.size());
            for (const Column& column : columns) {
                const auto found = entry.translations.find(column.language);
                if (found == entry.translations.end()) {
                    row.emplace_back();
                    continue;
                }
                const Translation& t = found->second;
                row.push_back(column.part == 0 ? t.text : column.part == 1 ? t.pronunciation : t.comment);
            }
            row.push_back(entry.lesson);
            row.push_back(entry.type);
            sheet.rows.push_back(std::move(row));
        }
        return sheet;
    }

    QXmlStreamReader xml_;
    std::vector<Language> languages_;
    std::map<int, Entry> entries_;
    std::vector<int> order_;
};

}  // namespace

SourceSheet ReadKvtml(QIODevice& in) { return KvtmlReader(in).read(); }

SourceSheet ReadKvtmlFile(const std::filesystem::path& file) {
    const std::string bytes = ReadFileBytes(file);
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return ReadKvtml(buffer);
}

}  // namespace morvanta::foreign
