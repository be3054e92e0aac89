#include "core/exchange/xml_word_list_reader.h"

#include <QBuffer>

namespace morvanta::exchange {

namespace {

void ApplyElement(QStringView name, const QString& text, XmlEntryFill& fill,
                  std::array<QString, 3>& translations) {
    if (name == u"word") {
        fill.KanjiEdit = text;
    } else if (name == u"reading") {
        fill.HiraKataEdit = text;
    } else if (name == u"translation") {
        const int slot = translations[0].isEmpty() ? 0 : translations[1].isEmpty() ? 1 : 2;
        translations[slot] = text;
        fill.translations[slot] = text;
    } else if (name == u"lesson") {
        fill.Lesson = text;
    } else if (name == u"transliteration") {
        fill.HepburnEdit = text;
    } else if (name == u"type") {
        fill.TypEdit = text;
    } else if (name == u"tone") {
        fill.Accent = text;
    } else if (name == u"description") {
        fill.NoteEdit = text;
    }
}

// Applies each word's elements as they are read; the entry page takes the
// result only once the whole file has loaded.
class EntryFiller : public XmlWordVisitor {
public:
    EntryFiller(XmlEntryFill& fill, const std::array<QString, 3>& currentTranslations)
        : fill_(fill), translations_(currentTranslations) {}
    void child(QStringView name, const QString& text) override {
        ApplyElement(name, text, fill_, translations_);
    }

private:
    XmlEntryFill& fill_;
    std::array<QString, 3> translations_;
};

}  // namespace

bool XmlEntryFill::changesNothing() const {
    for (const auto& t : translations)
        if (t) return false;
    return !KanjiEdit && !HiraKataEdit && !Lesson && !HepburnEdit && !TypEdit && !Accent &&
           !NoteEdit;
}

XmlReadResult ReadWordList(QIODevice& in, const std::array<QString, 3>& currentTranslations) {
    XmlReadResult result;
    EntryFiller filler(result.fill, currentTranslations);
    const XmlWalkResult walk = WalkWordList(in, filler);
    result.loaded = walk.end == XmlWalkResult::Loaded;
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
