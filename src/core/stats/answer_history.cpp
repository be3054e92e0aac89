#include "core/stats/answer_history.h"

#include "store/database.h"

namespace morvanta::stats {

void AppendAnswer(store::Database& db, std::int64_t wordId, const store::DateTime& at, bool right,
                  std::string_view answer, Direction direction) {
    store::Statement& insert = db.cached(
        "INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer, Direction) VALUES (?1, ?2, ?3, ?4, ?5)");
    insert.bindInt(1, wordId);
    insert.bindText(2, at.toStorage());
    insert.bindInt(3, right ? 1 : 0);
    insert.bindText(4, answer);
    insert.bindInt(5, static_cast<int>(direction));
    insert.run();
    insert.reset();
}

}  // namespace morvanta::stats
