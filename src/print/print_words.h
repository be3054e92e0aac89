#pragma once
// The selection as the printed sheets show it: each word's fields read once as
// plain text, and the kanji in the kanji list's set and order with the words
// that use each.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "core/exchange/run_progress.h"

namespace morvanta::store {
class DataSet;
}
namespace morvanta::exchange {
class KnownCharacters;
}

namespace morvanta::print {

struct PrintWord {
    QString kanji;
    QString kana;
    QString hepburn;
    QStringList translations;  // the filled ones, in field order
};

struct KanjiUse {
    char32_t kanji = 0;
    std::vector<std::uint32_t> words;  // indices of the words that use it, in order
};

// The query's records, read in one pass without moving it; false when cancelled.
bool GatherWords(store::DataSet& query, std::vector<PrintWord>& words,
                 const exchange::ProgressFn& progress = {});

// The kanji of the words as the kanji list has them; `known` holds the kana list.
std::vector<KanjiUse> KanjiUses(exchange::KnownCharacters& known,
                                const std::vector<PrintWord>& words);

// "1 Vokabel", "12 Vokabeln".
QString WordCount(std::size_t count);

}  // namespace morvanta::print
