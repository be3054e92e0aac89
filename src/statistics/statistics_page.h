#pragma once
// The page "Statistik": the learner's progress, read afresh whenever it is shown.

#include <QWidget>
#include <cstdint>

#include "core/memory/due_today.h"
#include "core/stats/direction.h"
#include "core/stats/learning_stats.h"
#include "platform/dialogs.h"
#include "store/data_set.h"
#include "store/date_time.h"
#include "store/session.h"

class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace morvanta::statistics {

struct StatisticsContext {
    store::Session& session;
    store::Table& Table1;
    platform::Dialogs& dialogs;
    const store::Clock& clock;
};

class StatisticsPage : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsPage(const StatisticsContext& context, QWidget* parent = nullptr);

    // Reads the figures of the chosen direction and redraws every chart.
    void refresh();
    stats::Direction direction() const;
    // "Fällige abfragen": today's due and new words become the quiz selection.
    void DueButtonClick();
    // "Modell anpassen": the memory model's weights fitted to the learner's answers.
    void FitButtonClick();
    // "CSV speichern …"
    void CsvButtonClick();

    QComboBox* DirectionBox = nullptr;  // "Japanisch → Deutsch" or "Deutsch → Japanisch"
    QLabel* SummaryLabel = nullptr;
    QPushButton* DueButton = nullptr;
    QSpinBox* DueCount = nullptr;
    QSpinBox* NewPerDay = nullptr;       // "Neue pro Tag"
    QSpinBox* RetentionBox = nullptr;    // "Gewünschte Erinnerung", 70–97 %
    QPushButton* FitButton = nullptr;    // "Modell anpassen"
    QLabel* TodayLabel = nullptr;        // due now and new words available
    QChartView* ForecastView = nullptr;  // words due on each of the next 30 days
    QPushButton* CsvButton = nullptr;
    QTabWidget* ChartTabs = nullptr;
    QComboBox* PeriodBox = nullptr;  // 30, 90 or 365 days
    QChartView* AnswersView = nullptr;
    QComboBox* GroupBox = nullptr;   // by lesson or by type
    QChartView* ErrorView = nullptr;
    QChartView* LastAskedView = nullptr;
    QTableWidget* TroubleTable = nullptr;

    const stats::WordFigures& figures() const { return figures_; }

signals:
    // A word of the list was clicked: show it on the browse page.
    void wordChosen(std::int64_t wordId);
    // Quiz these words, one selection statement, in the given direction.
    void quizRequested(const QString& selectionSql, stats::Direction direction);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildAnswersTab();
    QWidget* buildErrorTab();
    QWidget* buildTroubleTab();
    void drawAnswers();
    void drawErrors();
    void fillTrouble();
    void showToday(store::Database& db);
    // "Anzahl", "Neue pro Tag" and the direction as chosen on the page.
    memory::TodayRequest todayRequest() const;
    // The memory in step with the history and the learner's settings.
    void keepMemory(store::Database& db);
    std::shared_ptr<store::Database> database();

    StatisticsContext context_;
    stats::WordFigures figures_;
    platform::FileDialogSpec csvDialog_{QStringLiteral("CsvDialog"), QStringLiteral("CSV Datei (*.csv)|*.csv"),
                                        QStringLiteral("csv"), true};
};

}  // namespace morvanta::statistics
