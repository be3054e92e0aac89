#pragma once
// One quiz over the selection, the same for the window and the terminal: the
// queue built when the selection opens, an answer checked, booked in the word's
// record and followed by the next word, the session saved and taken up again.

#include <string>
#include <string_view>

#include "core/quiz/quiz_state.h"
#include "core/quiz/status_file.h"
#include "store/data_set.h"
#include "store/date_time.h"

namespace morvanta::quiz {

class RandomSource;

enum class SessionStart { Ready, Empty, TooLarge };

// After the selection opened: the score zeroed and, unless the selection is
// empty, progress zeroed and the queue built in random or table order; the query
// stands on the first word to ask. Too large a selection gives no queue.
SessionStart StartSession(QuizState& state, store::DataSet& query, bool randomOrder, RandomSource& random);

// Marks a right answer's word as learnt, stamps the date, counts the answer and
// adds it to the answer history and the word's memory, all in one transaction
// (`nearMiss`: right only because "Tolerant prüfen" let it pass). A record that
// cannot be booked is left as it was (and the error goes on).
void BookAnswer(store::DataSet& query, bool right, std::string_view answer, const store::Clock& clock,
                bool nearMiss = false);

struct AnswerResult {
    bool right = false;
    std::string wrongMessage;  // "Nein - Die Übersetzung war :" ... for a wrong answer
    std::string nearly;        // a tolerant acceptance: "Fast richtig: Mädchen (Tippfehler)"
};

// Checks the answer against the current word and books it: asked Japanese to
// German in the word's record (BookAnswer); asked the other way only in the
// answer history and the memory, with its direction, the record's counters,
// date and mark left as they are. Without QuizOptions::Book only checks.
AnswerResult CheckAndBook(store::DataSet& query, std::string_view answer, const QuizOptions& options,
                          const store::Clock& clock);

// The queue step after an answer; the query moves to the word asked next.
// Returns its record number, or 0 when every word was asked.
int NextQuestion(QuizState& state, store::DataSet& query, bool right, const QuizOptions& options,
                 RandomSource& random);

// A word deleted from the table during the quiz (on the browse page) keeps its
// record number in the query, which is not read again, but reads empty. When
// the word to ask is such a one, every queued word is looked at: the deleted
// ones leave the queue with all their entries and the selection count with them,
// and the query stands on the new head. Returns how many words left (0: none).
int DropDeletedWords(QuizState& state, store::DataSet& query);

// "1 gelöschte Vokabel wird nicht mehr abgefragt." and the plural.
std::string DeletedWordsNote(int words);

// The lines of a status file for the session as it stands, asked `direction`.
StatusFileContent CaptureStatus(const QuizState& state, const store::Query& query,
                                stats::Direction direction = stats::Direction::JapaneseToGerman);

struct ResumeResult {
    bool countChanged = false;  // a file without its words' rows: the selection changed size
    int dropped = 0;            // saved words (not entries) no longer in the selection
    int added = 0;              // words in the selection that the saved quiz did not hold
    bool nothingLeft = false;   // the file had no word left to ask
    bool resumed = false;       // a question stands ready
};

// Runs the saved statement again (it must be a selection of the vocabulary; a
// file whose statement is anything else is damaged) and puts back the progress,
// the current word and the queue: by the words' rows where the file carries them
// (record numbers change when words leave the selection), else by record number.
// The word that was shown is asked first. The query's after-open step starts the
// session (StartSession) as on every opening.
ResumeResult ResumeSession(QuizState& state, store::Query& query, const StatusFileContent& content);

// "1 gespeicherte Vokabel ist nicht mehr in der Auswahl …" / "n gespeicherte Vokabeln sind …"
std::string DroppedWordsNote(int words);
// "1 neue Vokabel ist nicht in der gespeicherten Abfrage." / "n neue Vokabeln sind …"
std::string AddedWordsNote(int words);

}  // namespace morvanta::quiz
