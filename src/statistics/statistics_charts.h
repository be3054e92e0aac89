#pragma once
// The page's charts, built from the figures alone (no table access here).

#include <vector>

#include "core/stats/learning_stats.h"

class QChart;
class QDate;

namespace morvanta::statistics {

// Right and wrong answers per day, stacked: right below, wrong on top.
QChart* AnswersChart(const std::vector<stats::DayAnswers>& days);
// The share of wrong answers of each group, in per cent, one bar per group.
QChart* ErrorRatioChart(const std::vector<stats::GroupErrors>& groups, const QString& groupName);
// Words falling due on each of the coming days from `today`, one bar per day.
QChart* ForecastChart(const std::vector<int>& days, const QDate& today);
// How many words were last asked today, in the last week, month, longer ago, never.
QChart* LastAskedChart(const stats::LastAskedSpread& spread);

}  // namespace morvanta::statistics
