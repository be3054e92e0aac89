// Fitting the weights: a learner simulated with known weights is recovered, and
// weights that predict the later answers worse are not kept.
#include <gtest/gtest.h>

#include <random>

#include "core/memory/model_fitting.h"
#include "core/memory/optimizer.h"
#include "store/database.h"
#include "support/temp_table.h"

namespace morvanta::memory {
namespace {

// Words answered over `days` days, each asked again when the model with `truth`
// says its recall has fallen to 90 %, each answer right with the chance the model gives.
std::vector<ReviewSequence> Simulate(const Weights& truth, int words, int days, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0, 1);
    std::vector<ReviewSequence> history;
    for (int word = 0; word < words; ++word) {
        ReviewSequence answers;
        std::int64_t day = word % 10;
        Rating rating = chance(random) < 0.6 ? Rating::Good : Rating::Again;
        answers.push_back({day, rating});
        State<double> state = FirstState<double>(rating, truth);
        while (true) {
            const int wait = std::max(1, static_cast<int>(std::lround(IntervalDays(state.stability, 0.9, truth))));
            if (day + wait > days) break;
            day += wait;
            const bool recalled = chance(random) < Retrievability(static_cast<double>(wait), state.stability, truth);
            rating = recalled ? (chance(random) < 0.15 ? Rating::Hard : Rating::Good) : Rating::Again;
            answers.push_back({day, rating});
            state = NextState(state, wait, rating, truth);
        }
        history.push_back(std::move(answers));
    }
    return history;
}

TEST(ModelFitting, RecoversTheWeightsASimulatedLearnerAnsweredWith) {
    Weights truth = kDefaultWeights;
    truth[2] = 5.0;   // a good first answer holds longer
    truth[8] = 1.4;   // recalls add less stability
    truth[11] = 2.2;  // lapses keep more
    const std::vector<ReviewSequence> history = Simulate(truth, 600, 240, 7);
    const std::optional<Weights> fitted = FitWeights(history, kDefaultWeights, Part::All);
    ASSERT_TRUE(fitted);
    const Fit generating = Evaluate(truth, history, Part::All);
    const Fit found = Evaluate(*fitted, history, Part::All);
    const Fit defaults = Evaluate(kDefaultWeights, history, Part::All);
    EXPECT_GT(generating.predictions, 1000);
    EXPECT_LE(found.logLoss, generating.logLoss * 1.01);
    EXPECT_LT(found.logLoss, defaults.logLoss);
    EXPECT_NEAR(Clipped(*fitted)[20], (*fitted)[20], 0);  // within the sound ranges
}

TEST(ModelFitting, KeepsOnlyWeightsThatPredictTheLaterAnswersBetter) {
    auto temp = test::MakeTempTable();
    auto db = temp->session().connect("Vokabel");
    // Every earlier answer right, every later one wrong: what the earlier ones
    // teach predicts the later ones worse.
    db->exec(R"sql(
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1199)
INSERT INTO AnswerHistory (WordId, AskedAt, Correct, Answer)
SELECT i / 10 + 1, date('2026-01-01', '+' || ((i % 10) * (i % 10 + 1) / 2) || ' days') || ' 09:00:00.000',
       i % 10 < 8, '' FROM n;
)sql");
    const std::optional<FitReport> report = FitToLearner(*db, kDefaultWeights);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->answers, 1200);
    EXPECT_GT(report->fitted.logLoss, report->current.logLoss);
    EXPECT_FALSE(report->better);
    EXPECT_NE(FitReportText(*report).find("es bleibt bei den bisherigen"), std::string::npos);

    // Too short a history is not fitted at all.
    db->exec("DELETE FROM AnswerHistory WHERE WordId > 95");
    EXPECT_THROW(FitToLearner(*db, kDefaultWeights), std::runtime_error);
}

}  // namespace
}  // namespace morvanta::memory
