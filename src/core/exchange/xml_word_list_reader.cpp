#include "core/exchange/xml_word_list_reader.h"

#include <QBuffer>

#include "core/exchange/xml_word_fields.h"

namespace morvanta::exchange {

namespace {

void ApplyElement(QStringView name, const QString& text, XmlEntryFill& fill,
                  std::array<QString, 3>& translations) {
    const std::optional<XmlWordField> field = XmlWordFieldNamed(name);
    if (!field) return;
    switch (*field) {
        case XmlWordField::Word: fill.kanji = text; break;
        case XmlWordField::Reading: fill.kana = text; break;
        case XmlWordField::Translation: {
            const int slot = translations[0].isEmpty() ? 0 : translations[1].isEmpty() ? 1 : 2;
            translations[slot] = text;
            fill.translations[slot] = text;
            break;
        }
        case XmlWordField::Lesson: fill.lesson = text; break;
        case XmlWordField::Transliteration: fill.hepburn = text; break;
        case XmlWordField::Type: fill.type = text; break;
        case XmlWordField::Tone: fill.accent = text; break;
        case XmlWordField::Description: fill.note = text; break;
        // Dates and statistics have no entry field.
        case XmlWordField::DateEntered:
        case XmlWordField::DateAsked:
        case XmlWordField::CountAsked:
        case XmlWordField::CountWrong: break;
    }
}

// Applies each word's elements as they are read; the entry page takes the
// result only once the whole file has loaded.
class EntryFiller : public XmlWordVisitor {
public:
    EntryFiller(XmlEntryFill& fill, const std::array<QString, 3>& currentTranslations,
                QIODevice& in, const ProgressFn& progress)
        : fill_(fill), translations_(currentTranslations), in_(in), progress_(progress) {}
    void child(QStringView name, const QString& text) override {
        ApplyElement(name, text, fill_, translations_);
    }
    bool wordEnd() override { return Proceed(progress_, in_.pos()); }

private:
    XmlEntryFill& fill_;
    std::array<QString, 3> translations_;
    QIODevice& in_;
    const ProgressFn& progress_;
};

}  // namespace

bool XmlEntryFill::changesNothing() const {
    for (const auto& t : translations)
        if (t) return false;
    return !kanji && !kana && !lesson && !hepburn && !type && !accent && !note;
}

XmlReadResult ReadWordList(QIODevice& in, const std::array<QString, 3>& currentTranslations,
                           const ProgressFn& progress) {
    XmlReadResult result;
    EntryFiller filler(result.fill, currentTranslations, in, progress);
    const XmlWalkResult walk = WalkWordList(in, filler);
    result.loaded = walk.end == XmlWalkResult::Loaded;
    result.cancelled = walk.end == XmlWalkResult::Stopped;
    if (!result.loaded) {
        result.errorMessage = walk.errorMessage;
        result.fill = {};
    }
    return result;
}

XmlReadResult ReadWordList(const QByteArray& bytes,
                           const std::array<QString, 3>& currentTranslations) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    return ReadWordList(in, currentTranslations);
}

}  // namespace morvanta::exchange
