// The page "Statistik" on a full table: it draws without a message, and its
// list and button lead on to the browse page and the quiz.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
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

// The texts a chart shows (axis labels, titles, legend), and those cut short with "…".
QStringList ElidedLabels(QChartView* view) {
    QStringList elided;
    for (QGraphicsItem* item : view->scene()->items()) {
        if (!item->isVisible()) continue;
        QString text;
        if (const auto* simple = dynamic_cast<QGraphicsSimpleTextItem*>(item)) text = simple->text();
        else if (const auto* rich = dynamic_cast<QGraphicsTextItem*>(item)) text = rich->toPlainText();
        if (text.contains(QStringLiteral("…")) || text.contains(QStringLiteral("...")))
            elided << view->objectName() + QStringLiteral(": ") + text;
    }
    return elided;
}

TEST_F(StatisticsPageTest, EveryChartLabelIsWholeInTheSmallestWindow) {
    test::InsertGeneratedWords(tablePath(), 2000);
    store::Database::open(tablePath())
        ->exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 4999) "
               "INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer) "
               "SELECT 1 + i * 7 % 2000, date('2024-03-14', '-' || (i % 360) || ' days') || ' 12:00:00.000', "
               "i % 3 != 0, 'x' FROM n");
    app::TForm1& w = makeForm();
    StatisticsPage& page = *w.statisticsPage;
    w.pageTabs->setCurrentWidget(w.statisticsTab);
    w.resize(586, 520);
    w.show();
    QStringList elided;
    int views = 0;
    for (int tab = 0; tab < page.ChartTabs->count(); ++tab) {
        page.ChartTabs->setCurrentIndex(tab);
        for (int group = 0; group < page.GroupBox->count(); ++group) {
            page.GroupBox->setCurrentIndex(group);
            for (int period = 0; period < page.PeriodBox->count(); ++period) {
                page.PeriodBox->setCurrentIndex(period);
                QApplication::processEvents();
                w.grab();  // laid out and drawn, as the learner sees it
                for (QChartView* view : page.findChildren<QChartView*>())
                    if (view->isVisible()) {
                        for (const QString& e : ElidedLabels(view))
                            elided << page.ChartTabs->tabText(tab) + QStringLiteral(" ") + e;
                        ++views;
                    }
            }
        }
    }
    EXPECT_GE(views, 4 * 6);  // each chart, each grouping and period
    if (const QString pictures = qEnvironmentVariable("MORVANTA_PICTURES"); !pictures.isEmpty()) {
        page.ChartTabs->setCurrentIndex(2);  // "Fehlerquote"
        page.GroupBox->setCurrentIndex(1);   // by type
        QApplication::processEvents();
        w.grab().save(pictures + QStringLiteral("/statistik-fehlerquote.png"));
    }
    EXPECT_TRUE(elided.isEmpty()) << elided.join(u'\n').toStdString();
}

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
    const QString japanese = page.SummaryLabel->text();
    page.DirectionBox->setCurrentIndex(1);
    EXPECT_EQ(page.SummaryLabel->text(),
              QStringLiteral("10 Vokabeln gespeichert, 5 markiert, 2 schon abgefragt · 2 Antworten in den "
                             "letzten 7 Tagen · 2 Tage in Folge geübt"));
    const auto* spans = qobject_cast<QBarSeries*>(page.LastAskedView->chart()->series().value(0));
    ASSERT_NE(spans, nullptr);
    EXPECT_EQ(spans->barSets().at(0)->at(4), 8);  // never asked this way
    EXPECT_EQ(page.TroubleTable->rowCount(), 1);

    // Five days on, both words have fallen below the wished retention; no new words.
    clock.time = {2024, 3, 20, 10, 30, 0, 0};
    page.NewPerDay->setValue(0);
    page.DueButton->click();  // this direction's due words, asked this way
    EXPECT_EQ(w.Query1.recordCount(), 2);
    EXPECT_EQ(w.selectionPage->direction(), stats::Direction::GermanToJapanese);
    page.DirectionBox->setCurrentIndex(0);
    EXPECT_EQ(page.SummaryLabel->text(), japanese);
    EXPECT_TRUE(japanese.contains(QStringLiteral("8 schon abgefragt · 0 Antworten"))) << japanese.toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.texts().join(u'|').toStdString();
}

}  // namespace
}  // namespace morvanta::statistics
