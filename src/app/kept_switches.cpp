// Switches the learner sets once and finds again at the next start, kept as
// "1"/"0" with the alias in the engine configuration: the quiz page's "Tolerant
// prüfen", the entry page's "Romaji → Kana" (Ctrl+J), which also governs the
// kana field of the browse page and the quiz's answer field when it asks for the
// Japanese word, and the selection page's "Abfragerichtung".

#include <QCheckBox>
#include <QRadioButton>
#include <QShortcut>

#include "app/tform1.h"
#include "entry/browse_page.h"
#include "entry/entry_page.h"
#include "platform/guard.h"
#include "platform/romaji_input.h"
#include "quiz/quiz_page.h"
#include "quiz/selection_page.h"

namespace morvanta::app {

namespace {
constexpr char kTolerant[] = "TOLERANT";
constexpr char kRomaji[] = "ROMAJI";
constexpr char kGermanToJapanese[] = "DEUTSCH_JAPANISCH";
}  // namespace

void TForm1::restoreKeptSwitches() {
    keepSwitch(quizPage->TolerantBox, kTolerant, false);
    QCheckBox* romaji = entryPage->RomajiBox;
    connect(romaji, &QCheckBox::toggled, browsePage->HiraKataRomaji, &platform::RomajiInput::setOn);
    connect(romaji, &QCheckBox::toggled, quizPage, &quiz::QuizPage::setRomajiOn);
    keepSwitch(romaji, kRomaji, true);
    quizPage->setRomajiOn(romaji->isChecked());
    keepSwitch(selectionPage->GermanToJapaneseButton, kGermanToJapanese, false);
    auto* toggle = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this);
    connect(toggle, &QShortcut::activated, romaji, &QCheckBox::toggle);
}

void TForm1::keepSwitch(QAbstractButton* box, const char* param, bool byDefault) {
    const auto kept = config_.aliasParam(store::kVocabularyAlias, param);
    const bool on = kept ? *kept == "1" : byDefault;
    box->setChecked(on);
    connect(box, &QAbstractButton::toggled, this, [this, param](bool checked) {
        platform::Guarded(*dialogs_, [this, param, checked] {
            config_.setAliasParam(store::kVocabularyAlias, param, checked ? "1" : "0");
            config_.saveConfig();
        });
    });
}

}  // namespace morvanta::app
