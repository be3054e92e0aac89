// The page "Statistik" on a full table: it draws without a message, and its
// list and button lead on to the browse page and the quiz.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "statistics/statistics_page.h"
#include "quiz/quiz_page.h"
#include "quiz/selection_page.h"
#include "store/database.h"
#include "support/form_fixture.h"
#include "support/temp_table.h"

namespace morvanta::statistics {
namespace {

class StatisticsPageTest : public testing::FormFixture {};

TEST_F(StatisticsPageTest, FullTableDrawsAndLeadsToBrowseAndQuiz) {
    test::InsertGeneratedWords(tablePath(), 65535);
    // A week of answers before the fixed clock's day (15 March 2024).
    store::Database::open(tablePath())
        ->exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2799) "
               "INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer) "
               "SELECT 1 + i * 23 % 65535, '2024-03-' || printf('%02d', 9 + i % 7) || ' 12:00:00.000', "
               "i % 3 != 0, 'x' FROM n");
    app::TForm1& w = makeForm();
    dialogs.clear();
    StatisticsPage& page = *w.statisticsPage;
    w.pageTabs->setCurrentWidget(w.statisticsTab);
    w.show();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
    EXPECT_TRUE(page.SummaryLabel->text().startsWith(
        QStringLiteral("65535 Vokabeln gespeichert, 32768 markiert, 56172 schon abgefragt · 2800 Antworten in "
                       "den letzten 7 Tagen · 7 Tage in Folge geübt")))
        << page.SummaryLabel->text().toStdString();
    EXPECT_EQ(page.AnswersView->chart()->series().size(), 2);
    // The bars carry the figures read: words by when they were last asked.
    const auto* spans = qobject_cast<QBarSeries*>(page.LastAskedView->chart()->series().value(0));
    ASSERT_NE(spans, nullptr);
    const stats::LastAskedSpread& last = page.figures().lastAsked;
    QList<qreal> values;
    for (int i = 0; i < spans->barSets().at(0)->count(); ++i) values << spans->barSets().at(0)->at(i);
    EXPECT_EQ(values, (QList<qreal>{qreal(last.today), qreal(last.lastWeek), qreal(last.lastMonth),
                                    qreal(last.longer), qreal(last.never)}));
    EXPECT_EQ(last.never, 65535 - 56172);
    EXPECT_EQ(page.figures().lessons.size(), 30u);
    EXPECT_EQ(page.TroubleTable->rowCount(), 20);

    // A word of the list shows on the browse page, the whole table behind it.
    const std::int64_t word = page.figures().trouble[3].wordId;
    emit page.TroubleTable->cellClicked(3, 0);
    EXPECT_EQ(w.pageTabs->currentWidget(), w.TabSheet1);
    EXPECT_EQ(w.Table1.rowIdAt(w.Table1.recNo()), word);

    // The due words become the quiz selection.
    w.pageTabs->setCurrentWidget(w.statisticsTab);
    page.DueCount->setValue(12);
    page.DueButton->click();
    EXPECT_EQ(w.pageTabs->currentWidget(), w.TabSheet3);
    EXPECT_EQ(w.Query1.recordCount(), 12);
    EXPECT_TRUE(w.quizPage->Button2->isEnabled());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

TEST_F(StatisticsPageTest, TheDirectionChooserRedrawsEveryFigureAndQuizzesThatWay) {
    // Japanese → German: the generated counters, no history; the other way two answers.
    test::InsertGeneratedWords(tablePath(), 10);
    store::Database::open(tablePath())
        ->exec("INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer, Direction) VALUES "
               "(4, '2024-03-15 09:00:00.000', 0, 'x', 1), (7, '2024-03-14 09:00:00.000', 1, 'y', 1)");
    app::TForm1& w = makeForm();
    dialogs.clear();
    StatisticsPage& page = *w.statisticsPage;
    w.pageTabs->setCurrentWidget(w.statisticsTab);
    w.show();
    const auto lastAsked = [&] {
        const auto* bars = qobject_cast<QBarSeries*>(page.LastAskedView->chart()->series().value(0));
        QList<qreal> values;
        for (int i = 0; bars && i < bars->barSets().at(0)->count(); ++i) values << bars->barSets().at(0)->at(i);
        return values;
    };
    const QString japanese = page.SummaryLabel->text();
    EXPECT_TRUE(japanese.startsWith(
        QStringLiteral("10 Vokabeln gespeichert, 5 markiert, 8 schon abgefragt · 0 Antworten")))
        << japanese.toStdString();
    const QList<qreal> japaneseLastAsked = lastAsked();
    const QChart* japaneseAnswers = page.AnswersView->chart();

    page.DirectionBox->setCurrentIndex(1);
    EXPECT_EQ(page.direction(), stats::Direction::GermanToJapanese);
    EXPECT_EQ(page.SummaryLabel->text(),
              QStringLiteral("10 Vokabeln gespeichert, 5 markiert, 2 schon abgefragt · 2 Antworten in den "
                             "letzten 7 Tagen · 2 Tage in Folge geübt"));
    EXPECT_EQ(lastAsked(), (QList<qreal>{1, 1, 0, 0, 8}));
    EXPECT_NE(page.AnswersView->chart(), japaneseAnswers);
    ASSERT_EQ(page.TroubleTable->rowCount(), 1);
    EXPECT_EQ(page.TroubleTable->item(0, 3)->text(), QStringLiteral("1"));

    // The due words of this direction, quizzed this way.
    page.DueButton->click();
    EXPECT_EQ(w.pageTabs->currentWidget(), w.TabSheet3);
    EXPECT_EQ(w.Query1.recordCount(), 2);
    EXPECT_EQ(w.selectionPage->direction(), stats::Direction::GermanToJapanese);

    w.pageTabs->setCurrentWidget(w.statisticsTab);
    page.DirectionBox->setCurrentIndex(0);
    EXPECT_EQ(page.SummaryLabel->text(), japanese);
    EXPECT_EQ(lastAsked(), japaneseLastAsked);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace morvanta::statistics
