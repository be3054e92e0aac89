#pragma once
// Which way a word is asked: its Japanese shown and the German typed, or the
// other way round. Stored with each answer in the history as 0 or 1.

namespace morvanta::stats {

enum class Direction { JapaneseToGerman = 0, GermanToJapanese = 1 };

}  // namespace morvanta::stats
