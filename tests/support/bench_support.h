#pragma once
// Helpers the benchmark programs share.

#include <memory>

#include "support/temp_table.h"

namespace morvanta::test {

// A fresh table with generated words 0 .. words-1, filled by a child process so
// that the benchmark's own peak memory shows only what it measures.
std::unique_ptr<TempTable> MakeFilledTable(int words);

// A "VmHWM:"-style line of /proc/self/status, in kB (0 when missing).
long ProcStatusKb(const char* key);

}  // namespace morvanta::test
