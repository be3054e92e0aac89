#pragma once
// The page "Vokabelauswahl für -->": criteria, quiz options and own SQL for the quiz query.

#include <QWidget>

#include "platform/form_context.h"
#include "platform/layout.h"
#include "core/quiz/quiz_state.h"
#include "core/quiz/selection_sql.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace morvanta::quiz {

class SelectionPage : public QWidget {
    Q_OBJECT
public:
    SelectionPage(const platform::SelectionContext& context, QuizState& state, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);

    // Runs on every opening of the quiz query.
    void Query1AfterOpen();

    void QCRatioClick();
    void QCAgeClick();
    void QCAskedClick();
    void QCLessonClick();
    void QCtypeClick();
    void CheckBox5Click();
    void Button5Click();
    void Button4Click();
    void Button8Click();
    void Button9Click();
    void BuildSelectionSql();
    void ResetScore();
    void ShowScore();

    // The criteria as the widgets hold them; the ratio as the masked edit's text.
    SelectionCriteria criteria() const;
    QuizOptions options() const;
    QString ratioText() const;
    // "Abfragerichtung": kept with the other switches and in the quiz status file.
    stats::Direction direction() const;
    void setDirection(stats::Direction direction);

    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* QCRatio = nullptr;
    QLineEdit* QERatio = nullptr;
    QCheckBox* QCAge = nullptr;
    QDateEdit* QEAge = nullptr;
    QCheckBox* QCAsked = nullptr;
    QDateEdit* QEAskedDate = nullptr;
    QCheckBox* QCLesson = nullptr;
    QSpinBox* QELesson = nullptr;
    QCheckBox* QCtype = nullptr;
    QComboBox* QEtype = nullptr;
    QCheckBox* RandomCheckBox = nullptr;
    QCheckBox* WrongShowagainCheckBox = nullptr;
    QCheckBox* DoubleWrongCheckBox = nullptr;
    QCheckBox* ChunkCheckBox = nullptr;
    QSpinBox* ChunkSize = nullptr;
    QLabel* ChunkLabel = nullptr;
    QCheckBox* IgnoreCapsBox = nullptr;
    QPushButton* Button9 = nullptr;
    QPushButton* Button8 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button4 = nullptr;
    QGroupBox* DirectionGroup = nullptr;
    QRadioButton* JapaneseToGermanButton = nullptr;
    QRadioButton* GermanToJapaneseButton = nullptr;

signals:
    // An own statement inserted, changed or deleted words.
    void wordsChanged();
    // A session over the new selection stands ready (answerable) or not.
    void sessionShown(const QString& progress, bool answerable);
    // The learner chose the other direction.
    void directionChanged(stats::Direction direction);

private:
    void buildSelectionGroup();
    void buildSqlGroup();
    void buildDirectionGroup();

    platform::SelectionContext context_;
    QuizState& state_;
};

}  // namespace morvanta::quiz
