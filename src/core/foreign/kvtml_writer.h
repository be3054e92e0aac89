#pragma once
// The selection as KVTML 2, as Parley and KWordQuiz open it: the languages
// Japanisch (the word, with the kana as its pronunciation and the note as its
// comment) and Deutsch (the translations, joined by "; "), one lesson container
// per lesson, the type words as word-type containers.

#include <ostream>
#include <vector>

#include "core/exchange/run_progress.h"
#include "core/foreign/export_word.h"

namespace morvanta::foreign {

// False when `progress` asked to stop.
bool WriteKvtml(std::ostream& out, const std::vector<ExportWord>& words,
                const exchange::ProgressFn& progress = {});

}  // namespace morvanta::foreign
