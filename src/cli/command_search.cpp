// "search": the browse page's search, printed as lines or as JSON.

#include <iostream>

#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/selection.h"
#include "cli/table_access.h"
#include "cli/word_options.h"
#include "cli/word_output.h"
#include "store/data_set.h"
#include "store/engine_error.h"

namespace morvanta::cli {

namespace {

void PrintLines(store::Query& query) {
    for (query.first(); !query.eof(); query.next()) std::cout << SearchLine(query) << "\n";
}

void PrintJson(store::Query& query) {
    std::cout << "[";
    bool first = true;
    for (query.first(); !query.eof(); query.next()) {
        std::cout << (first ? "\n  " : ",\n  ") << WordJson(query);
        first = false;
    }
    std::cout << (first ? "]\n" : "\n]\n");
}

}  // namespace

int RunSearch(const Arguments& args) {
    TableAccess access(args.db);
    access.open();
    store::Query query(access.session(), store::kVocabularyAlias);
    SearchWords(query, args);
    if (args.has("--json"))
        PrintJson(query);
    else
        PrintLines(query);
    if (query.isEmpty() && !args.has("--json")) std::cerr << "Keine Vokabel gefunden.\n";
    return kExitOk;
}

}  // namespace morvanta::cli
