#include "core/quiz/quiz_session.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/memory/memory_state.h"
#include "core/quiz/answer_check.h"
#include "core/quiz/japanese_answer.h"
#include "core/stats/answer_history.h"
#include "core/quiz/next_word.h"
#include "core/quiz/random_source.h"
#include "store/engine_error.h"
#include "text/rich_text.h"

namespace morvanta::quiz {

namespace {

// An empty counter counts as 0.
std::int64_t Counter(const store::DataSet& record, std::string_view field) {
    return record.asString(field).empty() ? 0 : record.asInteger(field);
}

}  // namespace

SessionStart StartSession(QuizState& state, store::DataSet& query, bool randomOrder, RandomSource& random) {
    state.SelectionCount = query.recordCount();
    state.RightCount = 0;
    state.WrongCount = 0;
    const int count = state.SelectionCount;
    // An empty selection leaves the queue and the progress as they were.
    if (count == 0) return SessionStart::Empty;
    state.AskQueue.clear();
    state.DoneCount = 0;
    // The selection still serves the exports; only the quiz cannot address it.
    if (count > kMaxQueueRecord) return SessionStart::TooLarge;
    state.AskQueue = randomOrder ? QuestionQueue::inRandomOrder(count, random) : QuestionQueue::inTableOrder(count);
    // The first question is the head of the queue.
    query.setRecNo(state.AskQueue.head());
    return SessionStart::Ready;
}

namespace {

// The history row and the memory it moves on, inside the booking's transaction.
void Record(store::Database& db, std::int64_t rowId, const store::DateTime& at, bool right, bool nearMiss,
            std::string_view answer, stats::Direction direction) {
    const std::int64_t answerId = stats::AppendAnswer(db, rowId, at, right, answer, direction, nearMiss);
    memory::BookAnswer(db, rowId, direction, at, memory::RatingOf(right, nearMiss), answerId);
}

}  // namespace

void BookAnswer(store::DataSet& query, bool right, std::string_view answer, const store::Clock& clock,
                bool nearMiss) {
    query.edit();
    try {
        const store::DateTime now = clock.now();
        if (right) query.setValue("Marked", store::Value(false));
        query.setAsString("DateAsked", now.toGermanText());
        query.setAsString("NumberAsked", std::to_string(Counter(query, "NumberAsked") + 1));
        if (!right) query.setAsString("NumberWrong", std::to_string(Counter(query, "NumberWrong") + 1));
        query.post([&](store::Database& db, std::int64_t rowId) {
            Record(db, rowId, now, right, nearMiss, answer, stats::Direction::JapaneseToGerman);
        });
    } catch (...) {
        query.cancel();
        throw;
    }
}

namespace {

AnswerResult CheckAndBookJapanese(store::DataSet& query, std::string_view answer, const QuizOptions& options,
                                  const store::Clock& clock) {
    const std::string reading = text::RtfToPlainText(query.asString("Hira-Kata"));
    const std::string kanji = text::RtfToPlainText(query.asString("Kanji"));
    const JapaneseVerdict verdict = CheckJapaneseAnswer(answer, reading, kanji, options.Tolerant);
    const store::DateTime now = clock.now();
    if (options.Book)
        query.writeAlongside([&](store::Database& db, std::int64_t rowId) {
            Record(db, rowId, now, verdict.right, !verdict.nearly.empty(), answer, stats::Direction::GermanToJapanese);
        });
    AnswerResult result;
    result.right = verdict.right;
    result.nearly = verdict.nearly;
    if (!result.right)
        result.wrongMessage =
            WrongJapaneseMessage(kanji, reading, text::RtfToPlainText(query.asString("Hepburn")), answer);
    return result;
}

}  // namespace

AnswerResult CheckAndBook(store::DataSet& query, std::string_view answer, const QuizOptions& options,
                          const store::Clock& clock) {
    if (options.direction == stats::Direction::GermanToJapanese)
        return CheckAndBookJapanese(query, answer, options, clock);
    const std::array<std::string, 3> t = {query.asString("Translation1"), query.asString("Translation2"),
                                          query.asString("Translation3")};
    const GermanVerdict verdict = CheckGermanAnswer(answer, t, options.IgnoreCaps, options.Tolerant);
    AnswerResult result;
    result.right = verdict.right;
    result.nearly = verdict.nearly;
    if (options.Book) BookAnswer(query, result.right, answer, clock, !verdict.nearly.empty());
    if (!result.right)
        result.wrongMessage = WrongAnswerMessage(t[0], t[1], t[2]) + TypedAnswerLine(answer, t[0], t[1], t[2]);
    return result;
}

int NextQuestion(QuizState& state, store::DataSet& query, bool right, const QuizOptions& options,
                 RandomSource& random) {
    const int next = AdvanceAfterAnswer(state, right, query.recNo(), options, random);
    if (next != 0) query.setRecNo(next);
    return next;
}

namespace {

// Texts are never NULL in the table: a first translation that reads NULL is a
// row deleted since the query read its rows.
bool IsDeleted(const store::DataSet& query) { return query.isNull("Translation1"); }

}  // namespace

int DropDeletedWords(QuizState& state, store::DataSet& query) {
    if (!query.active() || !query.canModify() || state.AskQueue.empty()) return 0;
    // Only the word about to be asked is looked at on every answer.
    if (query.recNo() != state.AskQueue.head() || !IsDeleted(query)) return 0;
    std::vector<int> queued = state.AskQueue.entries();
    std::sort(queued.begin(), queued.end());
    queued.erase(std::unique(queued.begin(), queued.end()), queued.end());
    std::vector<int> deleted;
    {
        // The walk is not shown; the widgets show the new head afterwards.
        store::ControlsDisabled quiet(query);
        for (int recNo : queued) {
            query.setRecNo(recNo);
            if (IsDeleted(query)) deleted.push_back(recNo);
        }
        state.AskQueue.removeIf(
            [&](int recNo) { return std::binary_search(deleted.begin(), deleted.end(), recNo); });
        const int words = static_cast<int>(deleted.size());
        state.SelectionCount = std::max(state.SelectionCount - words, state.DoneCount);
        if (!state.AskQueue.empty()) query.setRecNo(state.AskQueue.head());
    }
    return static_cast<int>(deleted.size());
}

std::string DeletedWordsNote(int words) {
    return words == 1 ? std::string("1 gelöschte Vokabel wird nicht mehr abgefragt.")
                      : std::to_string(words) + " gelöschte Vokabeln werden nicht mehr abgefragt.";
}

StatusFileContent CaptureStatus(const QuizState& state, const store::Query& query, stats::Direction direction) {
    if (query.sql().empty())
        throw std::runtime_error("Die Abfrage hat keinen SQL Text; der Status wurde nicht gespeichert.");
    StatusFileContent content;
    content.sqlLine = query.sql().front();
    content.selectionCount = state.SelectionCount;
    content.doneCount = state.DoneCount;
    content.recNo = query.recNo();
    content.queueText = state.AskQueue.text();
    content.direction = direction;
    if (query.canModify()) {
        content.rowIds.push_back(query.rowIdAt(query.recNo()));
        for (int recNo : state.AskQueue.entries()) content.rowIds.push_back(query.rowIdAt(recNo));
    }
    return content;
}

ResumeResult ResumeSession(QuizState& state, store::Query& query, const StatusFileContent& content) {
    QuestionQueue queue = QuestionQueue::fromText(content.queueText);
    // The stored statement is data: only a selection from the vocabulary table runs.
    try {
        query.requireSelection(content.sqlLine);
    } catch (const store::EngineError& e) {
        throw DamagedStatusFileError("Die Abfrage Status Datei ist beschädigt: Zeile 2 ist keine "
                                     "Auswahl aus der Vokabeltabelle (" + std::string(e.what()) + ")");
    }
    state.SelectionSql = content.sqlLine;
    query.run({state.SelectionSql});
    ResumeResult result;
    const int count = state.SelectionCount;
    const bool byRow = !content.rowIds.empty() && query.canModify();
    result.countChanged = !byRow && content.selectionCount != count;
    if (count == 0 || count > kMaxQueueRecord) return result;

    int current = 0;
    std::vector<int> entries;
    if (byRow) {
        std::unordered_map<std::int64_t, int> recNoOfRow;
        recNoOfRow.reserve(static_cast<size_t>(count));
        for (int recNo = 1; recNo <= count; ++recNo) recNoOfRow.emplace(query.rowIdAt(recNo), recNo);
        auto find = [&](std::int64_t row) {
            const auto it = recNoOfRow.find(row);
            return it == recNoOfRow.end() ? 0 : it->second;
        };
        current = find(content.rowIds.front());
        std::unordered_set<std::int64_t> gone;  // a word queued twice is one word
        for (size_t i = 0; i < content.rowIds.size(); ++i) {
            const int recNo = find(content.rowIds[i]);
            if (recNo == 0) gone.insert(content.rowIds[i]);
            else if (i > 0) entries.push_back(recNo);
        }
        result.dropped = static_cast<int>(gone.size());
    } else {
        // Numbers beyond the reopened selection would fail at a later answer.
        std::unordered_set<int> gone;
        for (int recNo : queue.entries()) {
            if (recNo >= 1 && recNo <= count) entries.push_back(recNo);
            else gone.insert(recNo);
        }
        result.dropped = static_cast<int>(gone.size());
        current = content.recNo >= 1 && content.recNo <= count ? content.recNo : 0;
    }
    // The word on the screen when the file was saved is asked first, and once:
    // answering always takes the head of the queue.
    if (current != 0 && !entries.empty() && entries.front() != current) {
        const auto later = std::find(entries.begin(), entries.end(), current);
        if (later != entries.end()) entries.erase(later);
        entries.insert(entries.begin(), current);
    }
    // The session goes on as the one saved: its progress counts against the words it
    // started with, though the words answered right have left the selection since;
    // more than those words and the ones asked cannot have been.
    if (byRow) {
        const std::int64_t possible = std::int64_t{count} + content.doneCount + result.dropped;
        if (content.selectionCount > possible)
            throw DamagedStatusFileError("Die Abfrage Status Datei ist beschädigt: Zeile 3 nennt " +
                                         std::to_string(content.selectionCount) + " Vokabeln, es können höchstens " +
                                         std::to_string(possible) + " sein.");
        // What is asked: the words it started with, less those gone; words new to
        // the selection since are not in the saved quiz.
        result.added = std::max(0, count - (content.selectionCount - result.dropped));
        state.SelectionCount = std::max(content.doneCount, content.selectionCount - result.dropped);
    }
    state.DoneCount = content.doneCount;
    QuestionQueue restored;
    for (int recNo : entries) restored.append(recNo);
    state.AskQueue = std::move(restored);
    result.nothingLeft = state.AskQueue.empty();
    result.resumed = !result.nothingLeft;
    query.setRecNo(result.resumed ? state.AskQueue.head() : std::clamp(content.recNo, 1, count));
    return result;
}

std::string DroppedWordsNote(int words) {
    return words == 1 ? "1 gespeicherte Vokabel ist nicht mehr in der Auswahl und wird nicht abgefragt."
                      : std::to_string(words) +
                            " gespeicherte Vokabeln sind nicht mehr in der Auswahl und werden nicht abgefragt.";
}

std::string AddedWordsNote(int words) {
    return words == 1 ? "1 neue Vokabel ist nicht in der gespeicherten Abfrage."
                      : std::to_string(words) + " neue Vokabeln sind nicht in der gespeicherten Abfrage.";
}

}  // namespace morvanta::quiz
