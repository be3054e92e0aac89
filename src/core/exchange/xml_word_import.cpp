#include "core/exchange/xml_word_import.h"

#include <QIODevice>
#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

#include "core/entry/kana_change.h"
#include "core/entry/new_word.h"
#include "core/exchange/import_batch.h"
#include "core/exchange/xml_word_fields.h"
#include "core/exchange/xml_word_list_walk.h"
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

// priority: the "priority" attribute as a number, 0 when it does not read as one.
void PlaceTranslation(int priority, const QString& text, std::array<QString, 3>& translations) {
    int slot = priority >= 1 && priority <= 3 && translations[size_t(priority - 1)].isEmpty()
                   ? priority - 1
               : translations[0].isEmpty() ? 0
               : translations[1].isEmpty() ? 1
                                           : 2;
    translations[size_t(slot)] = text;
}

void TakeElement(QStringView name, int priority, const QString& text, WordTexts& w) {
    const std::optional<XmlWordField> field = XmlWordFieldNamed(name);
    if (!field) return;
    switch (*field) {
        case XmlWordField::Word: w.word = text; break;
        case XmlWordField::Reading:
            w.reading = text;
            w.hasReading = true;
            break;
        case XmlWordField::Translation: PlaceTranslation(priority, text, w.translations); break;
        case XmlWordField::Lesson: w.lesson = text; break;
        case XmlWordField::Transliteration:
            w.transliteration = text;
            w.hasTransliteration = true;
            break;
        case XmlWordField::Type: w.type = text; break;
        case XmlWordField::Tone: w.tone = text; break;
        case XmlWordField::Description: w.description = text; break;
        // A word starts as a new word: its dates and statistics are not taken.
        case XmlWordField::DateEntered:
        case XmlWordField::DateAsked:
        case XmlWordField::CountAsked:
        case XmlWordField::CountWrong: break;
    }
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

// Counts the words of a file that is walked to its end.
class WordCounter : public XmlWordVisitor {
public:
    void child(QStringView, const QString&) override {}
    bool wordEnd() override {
        ++words;
        return true;
    }
    std::int64_t words = 0;
};

// Stores each word as soon as its end is read, in the import's batches.
class WordStorer : public XmlWordVisitor {
public:
    WordStorer(ImportBatch& batch, QIODevice& in, const store::Clock& clock,
               const ProgressFn& progress, XmlImportResult& result)
        : batch_(batch), in_(in), clock_(clock), progress_(progress), result_(result) {}

    void childStart(QStringView name, const QXmlStreamAttributes& attributes) override {
        if (name == XmlElementName(XmlWordField::Translation))
            priority_ = attributes.value(QLatin1StringView("priority")).toInt();
    }
    void child(QStringView name, const QString& text) override {
        TakeElement(name, priority_, text, word_);
    }

    bool wordEnd() override {
        if (!Proceed(progress_, in_.pos())) {
            result_.cancelled = true;
            return false;
        }
        const WordTexts texts = std::exchange(word_, {});
        if (texts.translations[0].isEmpty()) {
            ++result_.withoutTranslation;
            return true;
        }
        batch_.add(entry::NewWordRecord(NewWordOf(texts), clock_));
        takeCounts();
        return true;
    }

    // The counts move with the batches' commits only.
    void takeCounts() {
        result_.stored = batch_.counts().stored;
        result_.duplicates = batch_.counts().refused;
    }

private:
    ImportBatch& batch_;
    QIODevice& in_;
    const store::Clock& clock_;
    const ProgressFn& progress_;
    XmlImportResult& result_;
    WordTexts word_;
    int priority_ = 0;  // of the translation being read
};

}  // namespace

XmlWordListCheck CheckWordList(QIODevice& in) {
    WordCounter counter;
    const XmlWalkResult walk = WalkWordList(in, counter);
    XmlWordListCheck check;
    check.loaded = walk.end == XmlWalkResult::Loaded;
    check.errorMessage = walk.errorMessage;
    check.words = counter.words;
    return check;
}

XmlImportResult ImportWords(QIODevice& in, store::DataSet& table, const store::Clock& clock,
                            const ProgressFn& progress, const CommittedFn& committed) {
    XmlImportResult result;
    try {
        ImportBatch batch(table, committed);
        WordStorer storer(batch, in, clock, progress, result);
        const XmlWalkResult walk = WalkWordList(in, storer);
        if (result.cancelled || walk.end == XmlWalkResult::Failed) {
            batch.takeBack();
            result = {};
            result.cancelled = walk.end != XmlWalkResult::Failed;
            result.loadError = walk.errorMessage;
            return result;
        }
        batch.end();
        storer.takeCounts();
    } catch (...) {
        result.error = std::current_exception();
    }
    return result;
}

std::string XmlImportMessage(const XmlImportResult& result) {
    if (result.cancelled) return "Import abgebrochen: Es wurde keine Vokabel importiert.";
    std::string text = result.error ? "Import abgebrochen: " : std::string();
    text += std::to_string(result.stored) + (result.stored == 1 ? " Vokabel" : " Vokabeln") +
            " importiert";
    text += ", " + std::to_string(result.duplicates) + " schon vorhanden";
    if (result.withoutTranslation > 0)
        text += ", " + std::to_string(result.withoutTranslation) + " ohne Übersetzung übergangen";
    return text + ".";
}

}  // namespace morvanta::exchange
