#pragma once
// Reads a word-list XML file into values for the entry page. It stores nothing:
// every word of the file is applied in turn to the same entry fields.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

#include "core/exchange/xml_word_list_walk.h"

class QIODevice;

namespace morvanta::exchange {

// What an import puts into the entry page; nullopt leaves a field as it is.
struct XmlEntryFill {
    std::optional<QString> KanjiEdit;     // "word"
    std::optional<QString> HiraKataEdit;  // "reading"
    std::array<std::optional<QString>, 3> translations;  // T1Edit, T2Edit, T3Edit
    std::optional<QString> Lesson;        // "lesson"
    std::optional<QString> HepburnEdit;   // "transliteration"
    std::optional<QString> TypEdit;       // "type"
    std::optional<QString> Accent;        // "tone"
    std::optional<QString> NoteEdit;      // "description" inside a word

    bool changesNothing() const;
};

struct XmlReadResult {
    bool loaded = false;
    QString errorMessage;  // the message box text when the document did not load
    XmlEntryFill fill;
};

// Reads the file word by word (any encoding the XML declaration or byte-order
// mark names); only the fields' last values are held, never the document, and
// a file that fails anywhere gives no fill at all. currentTranslations are the
// texts of T1Edit, T2Edit and T3Edit before the import: a translation goes to
// the first of T1Edit and T2Edit that is empty at that moment, else it
// replaces T3Edit.
XmlReadResult ReadWordList(QIODevice& in, const std::array<QString, 3>& currentTranslations);
XmlReadResult ReadWordList(const QByteArray& bytes,
                           const std::array<QString, 3>& currentTranslations);

}  // namespace morvanta::exchange
