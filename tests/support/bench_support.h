#pragma once
// Helpers the benchmark programs share.

#include <memory>
#include <string>

#include "support/temp_table.h"

namespace morvanta::test {

// A fresh table with words 0 .. words-1 (GeneratedWord unless `word` is given),
// filled by a child process so that the benchmark's own peak memory shows only
// what it measures. The first opening of a filled table gives its words their
// place in the key order; this one is opened and closed here already.
std::unique_ptr<TempTable> MakeFilledTable(int words, const WordMaker& word = {});

// Word number n as a learner enters it on the entry page, and so marked: one to
// four kanji (common ones often, a long tail of rare ones) with okurigana now and
// then, a hiragana reading and its Hepburn, one to three German translations,
// statistics, a note on every fourth word. Entered 64 words a day from
// 1 January 2019 on, so that the words entered before a day are a prefix of the list.
store::Record EnteredWord(int n);
inline constexpr int kEnteredPerDay = 64;
// The short date ("dd.mm.yyyy") of the day after word n-1 was entered: the words
// entered before it are words 0 .. n-1 when n is a multiple of kEnteredPerDay.
std::string EnteredBefore(int n);

// A word as the seven lines of the special import (Windows-1252, CR LF): its
// kanji and reading as escape runs, the translations joined by ", ", type,
// note and lesson.
std::string SpecialImportLines(const store::Record& word);

// A path for a benchmark's input file, on memory-backed storage where there is one.
std::string BenchInputFile(const std::string& name);

// A "VmHWM:"-style line of /proc/self/status, in kB (0 when missing).
long ProcStatusKb(const char* key);

}  // namespace morvanta::test
