#include "core/memory/memory_columns.h"

#include <QLocale>
#include <QString>
#include <memory>
#include <unordered_map>

#include "core/memory/memory_state.h"
#include "store/database.h"

namespace morvanta::memory {

namespace {

std::string Decimal(double value, int decimals) {
    return QLocale(QLocale::German).toString(value, 'f', decimals).toStdString();
}

}  // namespace

stats::WordColumns MemoryColumns(store::Database& db, stats::Direction direction, const store::DateTime& now) {
    const auto words = std::make_shared<const std::unordered_map<std::int64_t, WordMemory>>(
        ReadWordMemories(db, direction));
    const Weights weights = StoredSettings(db).value_or(ModelSettings{}).weights;
    stats::WordColumns columns;
    columns.headers = {"Stabilität (Tage)", "Schwierigkeit", "Abrufwahrscheinlichkeit", "Fällig am"};
    columns.cells = [words, weights, now](std::int64_t wordId) -> std::vector<std::string> {
        const auto found = words->find(wordId);
        if (found == words->end()) return {"", "", "", ""};
        const WordMemory& word = found->second;
        return {Decimal(word.stability, 2), Decimal(word.difficulty, 2),
                Decimal(RecallAt(word, now, weights) * 100, 1) + " %", word.dueAt.shortDate()};
    };
    return columns;
}

std::string WordMemoryLine(store::Database& db, std::int64_t wordId, const store::DateTime& now) {
    const Weights weights = StoredSettings(db).value_or(ModelSettings{}).weights;
    std::string line = "Gedächtnis:";
    for (const auto direction : {stats::Direction::JapaneseToGerman, stats::Direction::GermanToJapanese}) {
        line += direction == stats::Direction::JapaneseToGerman ? " Japanisch → Deutsch " : " · Deutsch → Japanisch ";
        const auto memory = ReadWordMemory(db, wordId, direction);
        if (!memory) {
            line += "neu";
            continue;
        }
        line += Decimal(RecallAt(*memory, now, weights) * 100, 0) + " % (fällig am " + memory->dueAt.shortDate() + ")";
    }
    return line;
}

}  // namespace morvanta::memory
