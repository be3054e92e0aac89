#include "core/xml_word_import.h"

#include <QDomDocument>
#include <QDomElement>
#include <QDomNodeList>
#include <algorithm>
#include <array>
#include <limits>

#include "core/kana_change.h"
#include "core/xml_word_list_reader.h"
#include "core/import_batch.h"
#include "store/data_set.h"
#include "store/type_words.h"
#include "text/rich_text.h"

namespace morvanta::exchange {

namespace {

struct WordTexts {
    QString word, reading, transliteration, lesson, type, description, tone;
    bool hasReading = false, hasTransliteration = false;
    std::array<QString, 3> translations;
};

void PlaceTranslation(const QDomElement& element, std::array<QString, 3>& translations) {
    bool ok = false;
    const int priority = element.attribute(QStringLiteral("priority")).toInt(&ok);
    int slot = ok && priority >= 1 && priority <= 3 && translations[size_t(priority - 1)].isEmpty()
                   ? priority - 1
               : translations[0].isEmpty() ? 0
               : translations[1].isEmpty() ? 1
                                           : 2;
    translations[size_t(slot)] = element.text();
}

WordTexts ReadWord(const QDomNode& word) {
    WordTexts w;
    const QDomNodeList children = word.childNodes();
    for (int j = 0; j < children.length(); ++j) {
        const QDomNode child = children.item(j);
        if (!child.isElement()) continue;
        const QDomElement element = child.toElement();
        const QString name = child.nodeName();
        if (name == u"word") {
            w.word = element.text();
        } else if (name == u"reading") {
            w.reading = element.text();
            w.hasReading = true;
        } else if (name == u"translation") {
            PlaceTranslation(element, w.translations);
        } else if (name == u"lesson") {
            w.lesson = element.text();
        } else if (name == u"transliteration") {
            w.transliteration = element.text();
            w.hasTransliteration = true;
        } else if (name == u"type") {
            w.type = element.text();
        } else if (name == u"tone") {
            w.tone = element.text();
        } else if (name == u"description") {
            w.description = element.text();
        }
    }
    return w;
}

// A spin edit takes a text only when it reads as a whole number, within its range.
std::int64_t WholeNumber(const QString& text, std::int64_t fallback, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::clamp(value, low, high) : fallback;
}

std::string KnownType(const QString& text) {
    const std::string type = text.toStdString();
    for (std::string_view known : store::kTypeWords)
        if (known == type) return type;
    return {};
}

entry::NewWord NewWordOf(const WordTexts& w) {
    entry::NewWord word;
    word.kanjiRtf = text::PlainTextToRtf(w.word.toStdString());
    word.hiraKataRtf = text::PlainTextToRtf((w.hasReading ? w.reading : w.word).toStdString());
    word.hepburn = w.hasTransliteration ? w.transliteration.toStdString()
                                        : entry::HepburnFromKanaRtf(word.hiraKataRtf);
    word.translation1 = w.translations[0].toStdString();
    word.translation2 = w.translations[1].toStdString();
    word.translation3 = w.translations[2].toStdString();
    word.lesson = WholeNumber(w.lesson, 1, 1, 255);
    word.accent =
        WholeNumber(w.tone, 0, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    word.type = KnownType(w.type);
    word.note = w.description.toStdString();
    return word;
}

}  // namespace

XmlWordsRead ReadWordListWords(const QByteArray& bytes) {
    XmlWordsRead result;
    // Parsed as the entry page's import parses it, so the same files load or fail.
    QDomDocument document;
    if (!document.setContent(bytes, false)) {
        result.errorMessage = ReadWordList(bytes, {}).errorMessage;
        return result;
    }
    result.loaded = true;
    const QDomNodeList words = document.documentElement().childNodes();
    for (int i = 0; i < words.length(); ++i) {
        const QDomNode node = words.item(i);
        if (node.nodeName() != u"word") continue;
        const WordTexts texts = ReadWord(node);
        if (texts.translations[0].isEmpty()) {
            ++result.withoutTranslation;
            continue;
        }
        result.words.push_back(NewWordOf(texts));
    }
    return result;
}

XmlImportResult StoreWords(const XmlWordsRead& read, store::DataSet& table,
                           const store::Clock& clock, const ProgressFn& progress) {
    const std::vector<entry::NewWord>& words = read.words;
    XmlImportResult result;
    result.withoutTranslation = read.withoutTranslation;
    try {
        ImportBatch batch(table);
        for (size_t i = 0; i < words.size(); ++i) {
            if (!Proceed(progress, std::int64_t(i))) {
                result.cancelled = true;
                break;
            }
            try {
                table.insertRecord(entry::NewWordRecord(words[i], clock));
                ++result.stored;
            } catch (const store::EngineError& e) {
                // A refused insert undoes itself; anything but a duplicate ends the import.
                if (!e.isConstraintViolation()) throw;
                ++result.duplicates;
            }
            batch.stored(result.stored);
        }
        batch.end();
    } catch (...) {
        result.error = std::current_exception();
    }
    return result;
}

std::string XmlImportMessage(const XmlImportResult& result) {
    std::string text = (result.cancelled || result.error) ? "Import abgebrochen: " : std::string();
    text += std::to_string(result.stored) + (result.stored == 1 ? " Vokabel" : " Vokabeln") +
            " importiert";
    text += ", " + std::to_string(result.duplicates) + " schon vorhanden";
    if (result.withoutTranslation > 0)
        text += ", " + std::to_string(result.withoutTranslation) + " ohne Übersetzung übergangen";
    return text + ".";
}

}  // namespace morvanta::exchange
