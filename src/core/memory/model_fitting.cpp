#include "core/memory/model_fitting.h"

#include <QLocale>
#include <QString>
#include <stdexcept>
#include <unordered_map>

#include "core/memory/moments.h"
#include "store/database.h"

namespace morvanta::memory {

namespace {

QString Number(double value, int decimals) { return QLocale(QLocale::German).toString(value, 'f', decimals); }

QString FitLine(const char* what, const Fit& fit) {
    return QStringLiteral("%1: Log-Loss %2, RMSE %3 %")
        .arg(QString::fromUtf8(what), Number(fit.logLoss, 4), Number(fit.rmse * 100, 2));
}

}  // namespace

std::vector<ReviewSequence> ReadReviewSequences(store::Database& db) {
    std::unordered_map<std::int64_t, size_t> index;
    std::vector<ReviewSequence> words;
    store::Statement rows =
        db.prepare("SELECT WordId, Direction, AskedAt, Correct, Tolerant FROM AnswerHistory ORDER BY Id");
    while (rows.step()) {
        const auto at = store::DateTime::fromStorage(rows.columnText(2));
        if (!at) continue;
        const std::int64_t key = rows.columnInt(0) * 2 + (rows.columnInt(1) == 1 ? 1 : 0);
        const auto [entry, fresh] = index.try_emplace(key, words.size());
        if (fresh) words.emplace_back();
        words[entry->second].push_back({CalendarDay(*at), RatingOf(rows.columnInt(3) == 1, rows.columnInt(4) == 1)});
    }
    return words;
}

std::optional<FitReport> FitToLearner(store::Database& db, const Weights& current, const FitProgress& progress) {
    const std::vector<ReviewSequence> words = ReadReviewSequences(db);
    FitReport report;
    report.words = static_cast<int>(words.size());
    for (const ReviewSequence& word : words) report.answers += static_cast<int>(word.size());
    if (report.answers < kMinFitAnswers || report.words < kMinFitWords)
        throw std::runtime_error(
            QStringLiteral("Das Modell lässt sich erst ab %1 Antworten zu %2 Vokabeln anpassen; der Verlauf hat "
                           "%3 Antworten zu %4 Vokabeln.")
                .arg(kMinFitAnswers)
                .arg(kMinFitWords)
                .arg(report.answers)
                .arg(report.words)
                .toStdString());
    const std::int64_t split = SplitDay(words);
    const std::optional<Weights> fitted = FitWeights(words, current, Part::Earlier, split, progress);
    if (!fitted) return std::nullopt;
    report.weights = *fitted;
    report.defaults = Evaluate(kDefaultWeights, words, Part::Later, split);
    report.current = Evaluate(current, words, Part::Later, split);
    report.currentAreDefaults = current == kDefaultWeights;
    report.fitted = Evaluate(*fitted, words, Part::Later, split);
    report.better = report.fitted.predictions > 0 && report.fitted.logLoss < report.current.logLoss;
    return report;
}

std::string FitReportText(const FitReport& report) {
    QString text = QStringLiteral("%1 Antworten zu %2 Vokabeln; geprüft an den %3 jüngsten Antworten:\n")
                       .arg(report.answers)
                       .arg(report.words)
                       .arg(report.fitted.predictions);
    text += FitLine("Standardgewichte", report.defaults) + QLatin1Char('\n');
    if (!report.currentAreDefaults) text += FitLine("Bisherige Gewichte", report.current) + QLatin1Char('\n');
    text += FitLine("Angepasste Gewichte", report.fitted) + QLatin1Char('\n');
    text += report.better ? QStringLiteral("Die angepassten Gewichte sagen besser voraus und gelten ab jetzt.")
                          : QStringLiteral("Die angepassten Gewichte sagen nicht besser voraus; es bleibt bei den "
                                           "bisherigen.");
    return text.toStdString();
}

}  // namespace morvanta::memory
