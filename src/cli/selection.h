#pragma once
// The selection of "export" and "quiz": the quiz's default, an own statement
// (--sql) or the criteria of the selection page.

#include <string>
#include <vector>

#include "cli/arguments.h"
#include "core/stats/direction.h"
#include "store/data_set.h"

namespace morvanta::cli {

inline constexpr char kDefaultSelection[] = "SELECT * FROM Vokabel WHERE Marked=True;";

// --direction: ja-de (the Japanese word shown, the translation typed; the
// default) or de-ja. Throws UsageError.
stats::Direction DirectionOption(const Arguments& args);

// The words the browse page's search finds for the command's pattern (its first
// word, * as wildcard) in the field of --field. Throws UsageError or Refusal.
void SearchWords(store::Query& query, const Arguments& args);

// The statement the options ask for. Throws UsageError for bad values or for
// --sql together with criteria.
std::string SelectionStatement(const Arguments& args);

// The statement's lines as the query holds them (a quiz status file keeps the first).
std::vector<std::string> StatementLines(const std::string& statement);

// Runs the statement into the query; only a selection of the vocabulary runs.
// Throws Refusal with the engine's reason.
void OpenSelection(store::Query& query, const std::string& statement);

// A selection the engine could not carry out, as a Refusal: "Abgebrochen." when
// Ctrl+C stopped it, else lead followed by the engine's reason.
[[noreturn]] void RefuseSelection(const store::EngineError& e, const std::string& lead);

}  // namespace morvanta::cli
