#pragma once
// The page "Vokabelabfrage": shows the current word of the quiz query, checks
// the typed answer, books it in the record and moves on through the queue.

#include <QWidget>
#include <functional>

#include "platform/form_context.h"
#include "platform/layout.h"
#include "core/quiz/quiz_state.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace morvanta::platform {
class DBEdit;
class DBRichEdit;
class RomajiInput;
}  // namespace morvanta::platform

namespace morvanta::quiz {

class QuizPage : public QWidget {
    Q_OBJECT
public:
    QuizPage(const platform::QuizContext& context, QuizState& state, QWidget* parent = nullptr);
    ~QuizPage() override;
    void applyColumns(const platform::ColumnLayout& columns);
    // Adds the quiz status items to the main window's pop-up menu.
    void fillPopupMenu(QMenu* PopupMenu1);

    // The selection page supplies the quiz options and the score display.
    void setOptionsSource(std::function<QuizOptions()> source) { options_ = std::move(source); }
    void setScoreShower(std::function<void()> show) { showScore_ = std::move(show); }
    // Where a short note goes (the main window's status bar); without one, FeedbackLabel.
    void setNoteShower(std::function<void(const QString&)> show) { showNote_ = std::move(show); }

    // The selection page's session start: the progress text and whether OK answers.
    void showSession(const QString& progress, bool answerable);

    // Asked the other way round, the translations stand where the Japanese word
    // stood and the answer field takes romaji (turned into kana), kana or kanji.
    void showDirection(stats::Direction direction);
    // The learner's "Romaji → Kana" switch; it works in the answer field only while
    // the Japanese word is asked for.
    void setRomajiOn(bool on);

    void Button2Click();
    void NextWord(bool right);
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void CheckBox9Click();
    void AbfrageStatusSpeichern1Click();
    void AbfrageStatusLaden1Click();

    QLabel* KanjiLabel = nullptr;
    QLabel* KanaLabel = nullptr;
    QLabel* HepburnLabel = nullptr;
    QLabel* TypeLabel = nullptr;
    QLabel* NoteLabel = nullptr;
    QLabel* AnswerLabel = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox9 = nullptr;
    QFrame* KanjiFrame = nullptr;
    QFrame* KanaFrame = nullptr;
    QFrame* HepburnFrame = nullptr;
    QFrame* TypeFrame = nullptr;
    platform::DBRichEdit* DBRichEdit1 = nullptr;  // Kanji
    platform::DBRichEdit* DBRichEdit2 = nullptr;  // Hira-Kata
    platform::DBRichEdit* DBRichEdit3 = nullptr;  // Hepburn
    platform::DBEdit* DBEdit8 = nullptr;          // Note
    platform::DBEdit* DBEdit13 = nullptr;         // Type
    platform::DBEdit* DBEdit9 = nullptr;          // DateAsked, hidden
    platform::DBEdit* DBEdit10 = nullptr;         // NumberAsked, hidden
    platform::DBEdit* DBEdit11 = nullptr;         // NumberWrong, hidden
    platform::DBEdit* DBEdit12 = nullptr;         // Marked, hidden
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label30 = nullptr;
    QCheckBox* TolerantBox = nullptr;  // "Tolerant prüfen", kept in the engine configuration
    QLabel* FeedbackLabel = nullptr;   // the short confirmation of a right answer
    QAction* AbfrageStatusSpeichern1 = nullptr;
    QAction* AbfrageStatusLaden1 = nullptr;
    QAction* N1 = nullptr;
    QLabel* GermanLabel = nullptr;        // "Deutsch", asked German to Japanese
    QFrame* GermanFrame = nullptr;
    QLabel* GermanPromptLabel = nullptr;  // the translations, the lesson
    platform::RomajiInput* AnswerRomaji = nullptr;

signals:
    // A saved quiz was taken up that was asked this way.
    void directionLoaded(stats::Direction direction);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Coming to the page, the learner answers at once.
    void showEvent(QShowEvent* event) override;
    // OK is the page's default button: Enter answers from any of its widgets.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildDisplays();
    // The "Anzeigen" boxes of the Kanji, kana and Hepburn columns stand on the
    // line of the column labels; where one would cover its label (a narrow
    // window, a wide font) all three stand just above the labels.
    void placeFirstShowRow();
    void saveStatus();
    void loadStatus();
    QuizOptions options() const;
    // Shows "Richtig" or "Fast richtig: …" for a moment, without a box to close.
    void showConfirmation(const QString& text);
    void refreshPrompt();
    // Words deleted during the quiz leave it before they are asked, with a note;
    // true when the word that stood there was one.
    bool dropDeletedWords();
    // Every word was asked: the message, and OK answers no more.
    void endOfQuiz();

    platform::QuizContext context_;
    QuizState& state_;
    std::function<QuizOptions()> options_;
    std::function<void()> showScore_;
    std::function<void(const QString&)> showNote_;
    int confirmations_ = 0;
    stats::Direction direction_ = stats::Direction::JapaneseToGerman;
    bool romajiWanted_ = true;
    int sourceToken_ = 0;
};

}  // namespace morvanta::quiz
