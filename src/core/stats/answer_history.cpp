#include "core/stats/answer_history.h"

#include "store/database.h"

namespace morvanta::stats {

std::int64_t AppendAnswer(store::Database& db, std::int64_t wordId, const store::DateTime& at, bool right,
                          std::string_view answer, Direction direction, bool tolerant) {
    store::Statement& insert = db.cached(
        "INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer, Direction, Tolerant) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    insert.bindInt(1, wordId);
    insert.bindText(2, at.toStorage());
    insert.bindInt(3, right ? 1 : 0);
    insert.bindText(4, answer);
    insert.bindInt(5, static_cast<int>(direction));
    insert.bindInt(6, right && tolerant ? 1 : 0);
    insert.run();
    insert.reset();
    return db.lastInsertRowId();
}

std::unordered_map<std::int64_t, WordAnswers> ReadWordAnswers(store::Database& db, Direction direction) {
    // Grouping in SQL would walk the word index and fetch every row out of order;
    // reading the table front to back and counting here is several times faster.
    store::Statement rows = db.prepare("SELECT WordId, Correct, AskedAt FROM AnswerHistory WHERE Direction = ?1");
    rows.bindInt(1, static_cast<int>(direction));
    std::unordered_map<std::int64_t, WordAnswers> words;
    while (rows.step()) {
        WordAnswers& word = words[rows.columnInt(0)];
        const bool right = rows.columnInt(1) == 1;
        ++word.asked;
        if (!right) ++word.wrong;
        // Rows come in booking order: of two answers in the same millisecond the later wins.
        const std::string_view at = rows.columnText(2);
        if (at >= word.lastAt) {
            word.lastAt = at;
            word.lastRight = right;
        }
    }
    return words;
}

}  // namespace morvanta::stats
