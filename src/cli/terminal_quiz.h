#pragma once
// The quiz page in the terminal: the word, a line for the answer, the verdict.

#include <istream>
#include <ostream>
#include <string>

#include "core/quiz/quiz_state.h"
#include "store/data_set.h"
#include "store/date_time.h"

namespace morvanta::quiz {
class RandomSource;
}

namespace morvanta::cli {

class TerminalQuiz {
public:
    // The session stands ready: the query is on the first word to ask. With
    // echo, each line read is written after the prompt (input from a file or pipe).
    TerminalQuiz(store::Query& query, quiz::QuizState& state, const quiz::QuizOptions& options,
                 quiz::RandomSource& random, std::istream& in, std::ostream& out, bool echo);

    // Asks until every word was asked, ":ende" or the end of the input. A word
    // that cannot be booked ends the quiz with a Refusal.
    void run();

private:
    void showWord() const;
    // False when the answer was the last one.
    bool answer(const std::string& line);
    // False for ":ende".
    bool command(const std::string& line);
    void save(const std::string& fileName);

    store::Query& query_;
    quiz::QuizState& state_;
    const quiz::QuizOptions& options_;
    quiz::RandomSource& random_;
    std::istream& in_;
    std::ostream& out_;
    bool echo_;
    store::SystemClock clock_;
};

}  // namespace morvanta::cli
