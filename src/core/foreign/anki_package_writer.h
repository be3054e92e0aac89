#pragma once
// Words written as an Anki package (.apkg) that every Anki version imports:
// a collection in the older form ("collection.anki2", note types and decks as
// JSON), the deck "Morvanta" and the note type "Morvanta" with the fields
// Kanji, Kana, Hepburn, Deutsch (the translations joined by "; "), Lektion,
// Typ, Bemerkung and two cards per word: "Japanisch → Deutsch" and
// "Deutsch → Japanisch" (the latter only where there is a translation).
//
// A word's note carries an id made from its Hepburn and translations, so Anki
// updates the notes of a second export of the same words instead of adding
// them again.

#include <ostream>
#include <stdexcept>
#include <vector>

#include "core/exchange/run_progress.h"
#include "core/foreign/export_word.h"

namespace morvanta::foreign {

// The package could not be made or written; the message is German.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The package's bytes go to `out` all at once at the end; false when `progress`
// (called with the words done) asked to stop: then nothing was written. Throws
// WriteError; the collection is built in a temporary file, removed in every case.
bool WriteAnkiPackage(std::ostream& out, const std::vector<ExportWord>& words,
                      const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
