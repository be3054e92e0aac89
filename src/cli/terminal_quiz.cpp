#include "cli/terminal_quiz.h"

#include <QString>
#include <iostream>

#include "cli/cli_error.h"
#include "cli/messages.h"
#include "cli/word_output.h"
#include "core/quiz/answer_check.h"
#include "core/quiz/japanese_answer.h"
#include "core/quiz/quiz_session.h"
#include "core/quiz/status_file.h"
#include "core/quiz/status_file_io.h"
#include "store/engine_error.h"
#include "text/fast_strings.h"

namespace morvanta::cli {

namespace {

constexpr char kCommandHelp[] =
    "Eingaben: die Antwort, :speichern DATEI (Abfragestatus sichern), :ende (beenden).\n";

}  // namespace

TerminalQuiz::TerminalQuiz(store::Query& query, quiz::QuizState& state,
                           const quiz::QuizOptions& options, quiz::RandomSource& random,
                           std::istream& in, std::ostream& out, bool echo)
    : query_(query),
      state_(state),
      options_(options),
      random_(random),
      in_(in),
      out_(out),
      echo_(echo) {}

void TerminalQuiz::run() {
    out_ << kCommandHelp;
    bool asking = true;
    while (asking) {
        // A word deleted meanwhile (by another program) is not asked.
        if (const int deleted = quiz::DropDeletedWords(state_, query_)) {
            out_ << quiz::DeletedWordsNote(deleted) << "\n";
            if (state_.AskQueue.empty()) break;
        }
        showWord();
        std::string line;
        if (!std::getline(in_, line)) {
            out_ << "\n";
            break;  // end of input or Ctrl+C: the session ends as it stands
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (echo_) out_ << line << "\n";
        if (!line.empty() && line.front() == ':') {
            asking = command(line);
            continue;
        }
        asking = answer(line);
    }
    out_ << quiz::ScoreText(state_.RightCount, state_.WrongCount) << "\n";
}

void TerminalQuiz::showWord() const {
    out_ << "\n[" << quiz::ProgressText(state_.DoneCount, state_.SelectionCount) << "]\n";
    if (options_.direction == stats::Direction::GermanToJapanese) {
        out_ << "  Deutsch: "
             << quiz::GermanPrompt(query_.asString("Translation1"), query_.asString("Translation2"),
                                   query_.asString("Translation3"))
             << "\n  Lektion: " << query_.asString("Lesson") << "\n"
             << "Japanisch (Romaji, Kana oder Kanji)? " << std::flush;
        return;
    }
    const JapaneseText japanese = JapaneseOf(query_);
    out_ << "  Kanji:   " << japanese.kanji << "\n"
         << "  Kana:    " << japanese.kana << "\n"
         << "  Hepburn: " << query_.asString("Hepburn") << "\n"
         << "Übersetzung? " << std::flush;
}

bool TerminalQuiz::answer(const std::string& line) {
    quiz::AnswerResult result;
    try {
        result = quiz::CheckAndBook(query_, line, options_, clock_);
    } catch (const store::EngineError& e) {
        throw Refusal("Die Antwort konnte nicht gebucht werden: " + std::string(e.what()));
    }
    const std::string verdict = result.nearly.empty() ? std::string("Richtig") : result.nearly;
    out_ << (result.right ? verdict : TerminalText(result.wrongMessage)) << "\n";
    if (quiz::NextQuestion(state_, query_, result.right, options_, random_) != 0) return true;
    out_ << "Alle ausgewählten Vokabeln wurden abgefragt.\n";
    return false;
}

bool TerminalQuiz::command(const std::string& line) {
    const auto space = line.find_first_of(" \t");
    const std::string name = line.substr(0, space);
    const std::string rest =
        space == std::string::npos ? std::string() : std::string(text::TrimBlanks(std::string_view(line).substr(space), " \t"));
    if (name == ":ende") return false;
    if (name == ":speichern") {
        if (rest.empty())
            out_ << "Bitte eine Datei nennen: :speichern DATEI\n";
        else
            save(rest);
        return true;
    }
    out_ << "Unbekannte Eingabe " << name << ". " << kCommandHelp;
    return true;
}

void TerminalQuiz::save(const std::string& fileName) {
    try {
        quiz::ReplaceFile(QString::fromStdString(fileName),
                          quiz::WriteStatusFile(quiz::CaptureStatus(state_, query_, options_.direction)));
        out_ << "Abfragestatus gespeichert: " << fileName << "\n";
    } catch (const std::exception& e) {
        std::cerr << "Der Abfragestatus wurde nicht gespeichert: " << e.what() << "\n";
    }
}

}  // namespace morvanta::cli
