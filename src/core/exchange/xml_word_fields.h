#pragma once
// The child elements of a <word> in a word-list file. The writer, the entry
// page's fill and the import all name them from this one table, so a file
// written here always reads back field for field.

#include <QStringView>
#include <array>
#include <cstddef>
#include <optional>

namespace morvanta::exchange {

// In the order the writer puts them.
enum class XmlWordField {
    Word,  // the Kanji
    Reading,
    Transliteration,
    Translation,
    Lesson,
    Type,
    Description,
    DateEntered,
    DateAsked,
    CountAsked,
    CountWrong,
    Tone,
};

// The root's child that holds one word; its child of the same name is the Kanji.
inline constexpr QStringView kWordElement = u"word";

inline constexpr std::array<QStringView, 12> kXmlWordFieldNames = {
    u"word",        u"reading",     u"transliteration", u"translation", u"lesson",     u"type",
    u"description", u"dateentered", u"dateasked",       u"countasked",  u"countwrong", u"tone",
};

static_assert(kXmlWordFieldNames.size() == std::size_t(XmlWordField::Tone) + 1);

constexpr QStringView XmlElementName(XmlWordField field) {
    return kXmlWordFieldNames[std::size_t(field)];
}

// The field an element stands for; nullopt for a name no word element has.
inline std::optional<XmlWordField> XmlWordFieldNamed(QStringView name) {
    for (std::size_t i = 0; i < kXmlWordFieldNames.size(); ++i)
        if (kXmlWordFieldNames[i] == name) return XmlWordField(i);
    return std::nullopt;
}

}  // namespace morvanta::exchange
