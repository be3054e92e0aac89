#pragma once
// Reads a word-list XML file into values for the entry page. It stores nothing:
// every word of the file is applied in turn to the same entry fields.

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

#include "core/exchange/run_progress.h"
#include "core/exchange/xml_word_list_walk.h"

class QIODevice;

namespace morvanta::exchange {

// What an import puts into the entry page; nullopt leaves a field as it is.
struct XmlEntryFill {
    std::optional<QString> kanji;                        // "word"
    std::optional<QString> kana;                         // "reading"
    std::array<std::optional<QString>, 3> translations;  // "translation", by free slot
    std::optional<QString> lesson;                       // "lesson"
    std::optional<QString> hepburn;                      // "transliteration"
    std::optional<QString> type;                         // "type"
    std::optional<QString> accent;                       // "tone"
    std::optional<QString> note;                         // "description" inside a word

    bool changesNothing() const;
};

struct XmlReadResult {
    bool loaded = false;
    bool cancelled = false;  // the progress callback said stop: no fill
    QString errorMessage;  // the message box text when the document did not load
    XmlEntryFill fill;
};

// Reads the file word by word (any encoding the XML declaration or byte-order
// mark names); only the fields' last values are held, never the document, and
// a file that fails anywhere gives no fill at all. currentTranslations are the
// texts of T1Edit, T2Edit and T3Edit before the import: a translation goes to
// the first of T1Edit and T2Edit that is empty at that moment, else it
// replaces T3Edit. The progress callback gets the bytes read so far after each word.
XmlReadResult ReadWordList(QIODevice& in, const std::array<QString, 3>& currentTranslations,
                           const ProgressFn& progress = {});
XmlReadResult ReadWordList(const QByteArray& bytes,
                           const std::array<QString, 3>& currentTranslations);

}  // namespace morvanta::exchange
