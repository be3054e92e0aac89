#include "core/quiz_session.h"

#include <algorithm>

#include "core/answer_check.h"
#include "core/next_word.h"
#include "core/random_source.h"
#include "store/engine_error.h"

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
    state.AskQueue.clear();
    state.DoneCount = 0;
    const int count = state.SelectionCount;
    if (count == 0) return SessionStart::Empty;
    // The selection still serves the exports; only the quiz cannot address it.
    if (count > kMaxQueueRecord) return SessionStart::TooLarge;
    state.AskQueue = randomOrder ? QuestionQueue::inRandomOrder(count, random) : QuestionQueue::inTableOrder(count);
    // The first question is the head of the queue.
    query.setRecNo(state.AskQueue.head());
    return SessionStart::Ready;
}

void BookAnswer(store::DataSet& query, bool right, const store::Clock& clock) {
    query.edit();
    try {
        if (right) query.setValue("Marked", store::Value(false));
        query.setAsString("DateAsked", clock.now().toGermanText());
        query.setAsString("NumberAsked", std::to_string(Counter(query, "NumberAsked") + 1));
        if (!right) query.setAsString("NumberWrong", std::to_string(Counter(query, "NumberWrong") + 1));
        query.post();
    } catch (...) {
        query.cancel();
        throw;
    }
}

AnswerResult CheckAndBook(store::DataSet& query, std::string_view answer, const QuizOptions& options,
                          const store::Clock& clock) {
    const std::string t1 = query.asString("Translation1");
    const std::string t2 = query.asString("Translation2");
    const std::string t3 = query.asString("Translation3");
    AnswerResult result;
    result.right = IsRightAnswer(answer, t1, t2, t3, options.IgnoreCaps);
    BookAnswer(query, result.right, clock);
    if (!result.right) result.wrongMessage = WrongAnswerMessage(t1, t2, t3);
    return result;
}

int NextQuestion(QuizState& state, store::DataSet& query, bool right, const QuizOptions& options,
                 RandomSource& random) {
    const int next = AdvanceAfterAnswer(state, right, query.recNo(), options, random);
    if (next != 0) query.setRecNo(next);
    return next;
}

StatusFileContent CaptureStatus(const QuizState& state, const store::Query& query) {
    if (query.sql().empty())
        throw std::runtime_error("Die Abfrage hat keinen SQL Text; der Status wurde nicht gespeichert.");
    StatusFileContent content;
    content.sqlLine = query.sql().front();
    content.selectionCount = state.SelectionCount;
    content.doneCount = state.DoneCount;
    content.recNo = query.recNo();
    content.queueText = state.AskQueue.text();
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
    result.countChanged = content.selectionCount != count;
    if (count == 0 || count > kMaxQueueRecord) return result;

    // Numbers beyond the reopened selection would fail at a later answer: the
    // record number is clamped and such queue entries are dropped.
    state.DoneCount = content.doneCount;
    query.setRecNo(std::clamp(content.recNo, 1, count));
    queue.removeIf([count](int recNo) { return recNo < 1 || recNo > count; });
    state.AskQueue = std::move(queue);
    result.resumed = !state.AskQueue.empty();
    return result;
}

}  // namespace morvanta::quiz
