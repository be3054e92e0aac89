// The quiz page's "Tolerant prüfen" is kept with the alias in the engine
// configuration, so it stays as the learner left it.

#include <QCheckBox>

#include "app/tform1.h"
#include "platform/guard.h"
#include "quiz/quiz_page.h"

namespace morvanta::app {

namespace {
constexpr char kAlias[] = "Vokabel";
constexpr char kTolerant[] = "TOLERANT";
}  // namespace

void TForm1::restoreQuizSettings() {
    const auto params = config_.aliasParams(kAlias);
    const bool tolerant = params && params->count(kTolerant) && params->at(kTolerant) == "1";
    quizPage->TolerantBox->setChecked(tolerant);
    connect(quizPage, &quiz::QuizPage::tolerantChanged, this, [this](bool on) {
        platform::Guarded(*dialogs_, [this, on] {
            config_.setAliasParam(kAlias, kTolerant, on ? "1" : "0");
            config_.saveConfig();
        });
    });
}

}  // namespace morvanta::app
