#include "statistics/statistics_charts.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "platform/fonts.h"

namespace morvanta::statistics {

namespace {

const QColor kRight(0x3c, 0x9a, 0x5f);
const QColor kWrong(0xd0, 0x4a, 0x3c);
const QColor kNeutral(0x4a, 0x78, 0xb8);

QChart* NewChart() {
    auto* chart = new QChart;
    chart->setFont(platform::UiFont(11));
    chart->legend()->setFont(platform::UiFont(11));
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    return chart;
}

QValueAxis* CountAxis(double highest, const QString& title) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setRange(0, std::max(4.0, highest));
    axis->applyNiceNumbers();
    axis->setLabelsFont(platform::UiFont(10));
    axis->setTitleText(title);
    axis->setTitleFont(platform::UiFont(10));
    return axis;
}

QAreaSeries* Area(const QString& name, QLineSeries* upper, QLineSeries* lower, const QColor& color) {
    auto* area = new QAreaSeries(upper, lower);
    area->setName(name);
    area->setColor(color);
    area->setBorderColor(color.darker(120));
    return area;
}

}  // namespace

QChart* AnswersChart(const std::vector<stats::DayAnswers>& days) {
    QChart* chart = NewChart();
    auto* rightLine = new QLineSeries(chart);
    auto* totalLine = new QLineSeries(chart);
    double highest = 0;
    for (const stats::DayAnswers& day : days) {
        // Each day is a step of its own width, so single days stand out as blocks.
        const double from = static_cast<double>(day.day.startOfDay().toMSecsSinceEpoch());
        const double to = static_cast<double>(day.day.addDays(1).startOfDay().toMSecsSinceEpoch());
        for (double x : {from, to}) {
            rightLine->append(x, day.right);
            totalLine->append(x, day.right + day.wrong);
        }
        highest = std::max(highest, static_cast<double>(day.right + day.wrong));
    }
    QAreaSeries* right = Area(QStringLiteral("Richtig"), rightLine, nullptr, kRight);
    QAreaSeries* wrong = Area(QStringLiteral("Falsch"), totalLine, rightLine, kWrong);
    chart->addSeries(right);
    chart->addSeries(wrong);

    auto* time = new QDateTimeAxis;
    // Beyond three months the dates span a year boundary: they carry the year.
    time->setFormat(days.size() > 90 ? QStringLiteral("dd.MM.yy") : QStringLiteral("dd.MM."));
    time->setLabelsFont(platform::UiFont(10));
    time->setTickCount(days.size() > 7 ? 6 : static_cast<int>(days.size()) + 1);
    if (!days.empty())
        time->setRange(days.front().day.startOfDay(), days.back().day.addDays(1).startOfDay());
    QValueAxis* count = CountAxis(highest, QStringLiteral("Antworten"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    for (QAreaSeries* series : {right, wrong}) {
        series->attachAxis(time);
        series->attachAxis(count);
    }
    chart->legend()->setAlignment(Qt::AlignTop);
    return chart;
}

QChart* ErrorRatioChart(const std::vector<stats::GroupErrors>& groups, const QString& groupName) {
    QChart* chart = NewChart();
    auto* set = new QBarSet(QStringLiteral("Fehlerquote in %"));
    set->setColor(kWrong);
    QStringList labels;
    double highest = 0;
    for (const stats::GroupErrors& group : groups) {
        // Whole per cents: a label then needs no decimal point (a German program writes a comma).
        const double percent = std::round(100.0 * group.ratio());
        *set << percent;
        labels << QString::fromStdString(group.label);
        highest = std::max(highest, percent);
    }
    // One row per lesson or type: every name stands whole on the left, however
    // many there are (the page gives the rows their height and scrolls them).
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value %"));
    series->setLabelsPrecision(3);  // up to "100"
    chart->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(labels);
    names->setTitleText(groupName);
    names->setTitleFont(platform::UiFont(10));
    names->setLabelsFont(platform::UiFont(10));
    // Each row has its name's height, and the names their width: never cut to "…".
    names->setTruncateLabels(false);
    names->setReverse(true);  // the first lesson at the top, as a list reads
    auto* percent = new QValueAxis;
    percent->setRange(0, std::clamp(highest * 1.15, 10.0, 100.0));
    percent->setLabelFormat(QStringLiteral("%d %%"));
    percent->setLabelsFont(platform::UiFont(10));
    percent->applyNiceNumbers();
    chart->addAxis(names, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignBottom);
    series->attachAxis(names);
    series->attachAxis(percent);
    chart->legend()->hide();
    return chart;
}

QChart* ForecastChart(const std::vector<int>& days, const QDate& today) {
    QChart* chart = NewChart();
    auto* set = new QBarSet(QStringLiteral("fällig"));
    set->setColor(kNeutral);
    double highest = 0;
    for (int count : days) {
        *set << count;
        highest = std::max(highest, static_cast<double>(count));
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setBarWidth(0.8);
    chart->addSeries(series);
    // Bar i stands at i; a date every fifth day, so that the dates stay legible
    // beneath thirty narrow bars.
    auto* dates = new QCategoryAxis;
    dates->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    dates->setRange(-0.5, static_cast<double>(days.size()) - 0.5);
    for (size_t i = 0; i < days.size(); i += 5)
        dates->append(i == 0 ? QStringLiteral("heute")
                             : today.addDays(static_cast<qint64>(i)).toString(QStringLiteral("dd.MM.")),
                      static_cast<double>(i));
    dates->setLabelsFont(platform::UiFont(10));
    dates->setTitleText(QStringLiteral("fällig am (heute mit den schon fälligen)"));
    dates->setTitleFont(platform::UiFont(10));
    dates->setGridLineVisible(false);
    QValueAxis* count = CountAxis(highest * 1.1, QStringLiteral("Vokabeln"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    series->attachAxis(dates);
    series->attachAxis(count);
    chart->legend()->hide();
    return chart;
}

QChart* LastAskedChart(const stats::LastAskedSpread& spread) {
    QChart* chart = NewChart();
    auto* set = new QBarSet(QStringLiteral("Vokabeln"));
    set->setColor(kNeutral);
    set->setLabelColor(Qt::black);  // above the bar, on the chart's white
    const int counts[] = {spread.today, spread.lastWeek, spread.lastMonth, spread.longer, spread.never};
    double highest = 0;
    for (int count : counts) {
        *set << count;
        highest = std::max(highest, static_cast<double>(count));
    }
    auto* series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    chart->addSeries(series);
    auto* spans = new QBarCategoryAxis;
    spans->append({QStringLiteral("heute"), QStringLiteral("1–6 Tage"), QStringLiteral("7–29 Tage"),
                   QStringLiteral("früher"), QStringLiteral("nie")});
    spans->setLabelsFont(platform::UiFont(10));
    spans->setTitleText(QStringLiteral("zuletzt abgefragt vor"));
    spans->setTitleFont(platform::UiFont(10));
    QValueAxis* count = CountAxis(highest * 1.15, QStringLiteral("Vokabeln"));
    chart->addAxis(spans, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    series->attachAxis(spans);
    series->attachAxis(count);
    chart->legend()->hide();
    return chart;
}

}  // namespace morvanta::statistics
