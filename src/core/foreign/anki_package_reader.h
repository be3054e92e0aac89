#pragma once
// Anki's packages (.apkg, .colpkg) read into a source sheet: one row per note.
//
// The package is a ZIP archive holding the collection, an SQLite database:
// "collection.anki21b" (zstd-compressed, note types and decks in tables of
// their own), "collection.anki21" or "collection.anki2" (both with note types
// and decks as JSON in the table col). The newest of them is read: newer
// packages carry an old-form collection beside the real one that only tells
// old programs to update. The collection is unpacked into a temporary file,
// removed again in every case.
//
// The columns are the field names of the note types the notes use, in the
// order the notes first use them (a name shared by two note types is one
// column), then "Deck": the deck of the note's first card, levels joined by
// "::". Every field passes through HtmlToText. Media files are counted, not
// read.

#include <cstdint>
#include <filesystem>

#include "core/exchange/run_progress.h"
#include "core/foreign/source_sheet.h"

namespace morvanta::foreign {

// No collection may unpack to more than this (checked against the size the
// archive declares before unpacking, and against the bytes while unpacking).
inline constexpr std::uint64_t kMaxAnkiCollectionBytes = std::uint64_t{2} << 30;

// The read stopped because `progress` asked it to; the message is
// "Das Lesen wurde abgebrochen."
class ReadCancelled : public ReadError {
public:
    ReadCancelled();
};

// Throws ReadError naming the file and what is wrong with it (no ZIP archive,
// no collection, encrypted, too large, damaged compression, no Anki database),
// ReadCancelled when `progress` (called with the notes read so far) returns false.
SourceSheet ReadAnkiPackage(const std::filesystem::path& file,
                            const exchange::ProgressFn& progress = {},
                            std::uint64_t collectionLimit = kMaxAnkiCollectionBytes);

}  // namespace morvanta::foreign
