// Switches the learner sets once and finds again at the next start, kept as
// "1"/"0" with the alias in the engine configuration: the quiz page's "Tolerant
// prüfen" and the entry page's "Romaji → Kana" (Ctrl+J), which also governs the
// kana field of the browse page.

#include <QCheckBox>
#include <QShortcut>

#include "app/tform1.h"
#include "entry/browse_page.h"
#include "entry/entry_page.h"
#include "platform/guard.h"
#include "platform/romaji_input.h"
#include "quiz/quiz_page.h"

namespace morvanta::app {

namespace {
constexpr char kTolerant[] = "TOLERANT";
constexpr char kRomaji[] = "ROMAJI";
}  // namespace

void TForm1::restoreKeptSwitches() {
    keepSwitch(quizPage->TolerantBox, kTolerant, false);
    QCheckBox* romaji = entryPage->RomajiBox;
    connect(romaji, &QCheckBox::toggled, browsePage->HiraKataRomaji, &platform::RomajiInput::setOn);
    keepSwitch(romaji, kRomaji, true);
    auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this);
    connect(toggle, &QShortcut::activated, romaji, &QCheckBox::toggle);
}

void TForm1::keepSwitch(QCheckBox* box, const char* param, bool byDefault) {
    const auto kept = config_.aliasParam(store::kVocabularyAlias, param);
    const bool on = kept ? *kept == "1" : byDefault;
    box->setChecked(on);
    connect(box, &QCheckBox::toggled, this, [this, param](bool checked) {
        platform::Guarded(*dialogs_, [this, param, checked] {
            config_.setAliasParam(store::kVocabularyAlias, param, checked ? "1" : "0");
            config_.saveConfig();
        });
    });
}

}  // namespace morvanta::app
