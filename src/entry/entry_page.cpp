#include "entry/entry_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>
#include <limits>

#include "core/dictionary/dictionary.h"
#include "core/entry/kana_change.h"
#include "core/entry/new_word.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/labels.h"
#include "platform/one_line.h"
#include "platform/romaji_input.h"
#include "entry/suggestion_list.h"
#include "store/type_words.h"

namespace morvanta::entry {

namespace {

const QString kNoTranslation =
    QStringLiteral("Die Vokabel kann nicht eingeben werden, da keine Übersetzung existiert!");
const QString kDuplicate = QStringLiteral(
    "Es Existiert schon eine Vokabel mit der gleichen Kombination: Hepburn - Übersetzungen!");

constexpr int kButtonWidth = 107;
constexpr int kButtonRightGap = 20;
constexpr int kSuggestionsTop = 360;

platform::RichLineEdit* AddRichEdit(QWidget* page, const char* name, int left) {
    auto* edit = new platform::RichLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFont(platform::JapaneseFont(29));
    edit->setGeometry(left, 96, 177, 57);
    return edit;
}

QLineEdit* AddTranslationEdit(QWidget* page, const char* name, int left) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFont(platform::JapaneseFont(12));
    // Translations are German: the input method stays off here.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setGeometry(left, 176, 177, 21);
    platform::KeepOnOneLine(edit);
    return edit;
}

}  // namespace

EntryPage::EntryPage(const platform::EntryContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      dictionary_(std::make_unique<dict::Dictionary>(dict::InstalledDictionary())) {
    buildWidgets();
    connect(HiraKataEdit, &QLineEdit::textChanged, this, [this] { HiraKataEditChange(); });
    connect(HiraKataEdit, &QLineEdit::textChanged, this, &EntryPage::suggestFor);
    connect(KanjiEdit, &QLineEdit::textChanged, this, &EntryPage::suggestFor);
    connect(Suggestions, &SuggestionList::chosen, this, &EntryPage::applySuggestion);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void EntryPage::buildWidgets() {
    const platform::ColumnLayout start = platform::ComputeColumns(586);
    platform::MakeLabel(QStringLiteral("Kanji"), this, {.at = QPoint(start.c1, 80)});
    kanaLabel_ = platform::MakeLabel(QStringLiteral("Hiragana / Katakana"), this,
                                     {.at = QPoint(start.c2, 80)});
    hepburnLabel_ =
        platform::MakeLabel(QStringLiteral("Hepburn"), this, {.at = QPoint(start.c3, 80)});
    platform::MakeLabel(QStringLiteral("Translation 1"), this, {.at = QPoint(start.c1, 160)});
    t2Label_ =
        platform::MakeLabel(QStringLiteral("Translation 2"), this, {.at = QPoint(start.c2, 160)});
    t3Label_ =
        platform::MakeLabel(QStringLiteral("Translation 3"), this, {.at = QPoint(start.c3, 160)});
    platform::MakeLabel(QStringLiteral("Lektion"), this, {.at = QPoint(start.c1, 208)});
    typLabel_ = platform::MakeLabel(QStringLiteral("Typ"), this, {.at = QPoint(start.c2, 208)});
    accentLabel_ =
        platform::MakeLabel(QStringLiteral("Akzent"), this, {.at = QPoint(start.c3, 208)});
    platform::MakeLabel(QStringLiteral("Beschreibung / Bemerkung"), this,
                        {.at = QPoint(start.c1, 256)});

    // Created in tab order.
    KanjiEdit = AddRichEdit(this, "KanjiEdit", start.c1);
    HiraKataEdit = AddRichEdit(this, "HiraKataEdit", start.c2);
    T1Edit = AddTranslationEdit(this, "T1Edit", start.c1);
    T2Edit = AddTranslationEdit(this, "T2Edit", start.c2);
    T3Edit = AddTranslationEdit(this, "T3Edit", start.c3);

    Accent = new QSpinBox(this);
    Accent->setObjectName(QStringLiteral("Accent"));
    Accent->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    Accent->setValue(0);
    Accent->setGeometry(start.c3, 224, 177, 21);

    NoteEdit = new QLineEdit(this);
    NoteEdit->setObjectName(QStringLiteral("NoteEdit"));
    NoteEdit->setGeometry(start.c1, 272, 545, 21);
    platform::KeepOnOneLine(NoteEdit);

    HepburnEdit = AddRichEdit(this, "HepburnEdit", start.c3);
    // Romaji are typed directly: the input method stays closed.
    HepburnEdit->setAttribute(Qt::WA_InputMethodEnabled, false);

    TypEdit = new QComboBox(this);
    TypEdit->setObjectName(QStringLiteral("TypEdit"));
    for (std::string_view word : store::kTypeWords)
        TypEdit->addItem(QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    TypEdit->setCurrentIndex(-1);
    TypEdit->setGeometry(start.c2, 224, 177, 21);

    Lesson = new QSpinBox(this);
    Lesson->setObjectName(QStringLiteral("Lesson"));
    Lesson->setRange(1, 255);
    Lesson->setValue(1);
    Lesson->setGeometry(start.c1, 224, 177, 21);

    Button1 = new QPushButton(QStringLiteral("Eintragen"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->resize(kButtonWidth, 25);
    placeButton();

    HiraKataRomaji = new platform::RomajiInput(HiraKataEdit);
    RomajiBox = new QCheckBox(QStringLiteral("Romaji \u2192 Kana"), this);
    RomajiBox->setObjectName(QStringLiteral("RomajiBox"));
    RomajiBox->setToolTip(
        QStringLiteral("Lateinische Buchstaben werden beim Tippen zu Kana: "
                       "gakkou \u2192 \u304C\u3063\u3053\u3046, in Gro\u00DFbuchstaben zu "
                       "Katakana: TEREBI \u2192 \u30C6\u30EC\u30D3. Umschalten mit Strg+J."));
    RomajiBox->setChecked(true);
    RomajiBox->setGeometry(start.c1, 334, RomajiBox->sizeHint().width(), 20);
    RomajiBox->setFocusPolicy(Qt::NoFocus);
    connect(RomajiBox, &QCheckBox::toggled, HiraKataRomaji, &platform::RomajiInput::setOn);

    Suggestions = new SuggestionList(this);
    Suggestions->attachField(KanjiEdit);
    Suggestions->attachField(HiraKataEdit);

    setTabOrder(KanjiEdit, HiraKataEdit);
    setTabOrder(HiraKataEdit, T1Edit);
    setTabOrder(T1Edit, T2Edit);
    setTabOrder(T2Edit, T3Edit);
    setTabOrder(T3Edit, Accent);
    setTabOrder(Accent, NoteEdit);
    setTabOrder(NoteEdit, HepburnEdit);
    setTabOrder(HepburnEdit, TypEdit);
    setTabOrder(TypEdit, Lesson);
    setTabOrder(Lesson, Button1);
}

void EntryPage::applyColumns(const platform::ColumnLayout& c) {
    KanjiEdit->setGeometry(c.c1, 96, c.a, 57);
    T1Edit->setGeometry(c.c1, 176, c.a, 21);
    Lesson->setGeometry(c.c1, 224, c.a, 21);
    HiraKataEdit->setGeometry(c.c2, 96, c.a, 57);
    T2Edit->setGeometry(c.c2, 176, c.a, 21);
    TypEdit->setGeometry(c.c2, 224, c.a, 21);
    kanaLabel_->move(c.c2, 80);
    t2Label_->move(c.c2, 160);
    typLabel_->move(c.c2, 208);
    HepburnEdit->setGeometry(c.c3, 96, c.a, 57);
    T3Edit->setGeometry(c.c3, 176, c.a, 21);
    Accent->setGeometry(c.c3, 224, c.a, 21);
    hepburnLabel_->move(c.c3, 80);
    t3Label_->move(c.c3, 160);
    accentLabel_->move(c.c3, 208);
    // The note spans the three columns (545 at the start width).
    NoteEdit->setGeometry(c.c1, 272, c.c3 + c.a - c.c1 - 2, 21);
}

EntryPage::~EntryPage() = default;

void EntryPage::placeButton() {
    Button1->move(width() - kButtonWidth - kButtonRightGap, 304);
    if (!Suggestions) return;  // not built yet
    const int left = RomajiBox->x();
    Suggestions->setGeometry(left, kSuggestionsTop, std::max(0, width() - left - kButtonRightGap),
                             std::max(0, height() - kSuggestionsTop - 8));
}

void EntryPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeButton();
}

// Enter in any widget of the page stores the word, as the page's default button.
void EntryPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Button1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void EntryPage::showEvent(QShowEvent* event) {
    // The dictionary reads and ranks its headwords while the learner looks at
    // the page, not at the first keystroke; at program start this page is hidden.
    dictionary_->prepare();
    QWidget::showEvent(event);
}

void EntryPage::HiraKataEditChange() {
    platform::Guarded(context_.dialogs, [this] {
        HepburnEdit->setText(QString::fromStdString(HepburnFromKanaRtf(HiraKataEdit->saveRtf())));
    });
}

void EntryPage::setDictionary(std::unique_ptr<dict::Dictionary> dictionary) {
    dictionary_ = std::move(dictionary);
    Suggestions->showSuggestions({});
}

void EntryPage::suggestFor(const QString& typed) {
    if (filling_) return;
    // A romaji syllable still being typed ("ほn") goes along: the dictionary
    // suggests for the kana it may still become.
    const QString word = typed.trimmed();
    if (word.isEmpty() || !dictionary_->available()) {
        Suggestions->showSuggestions({});
        return;
    }
    Suggestions->showSuggestions(dictionary_->lookup(word.toStdString()));
    if (const auto message = dictionary_->takeMessage())
        context_.dialogs.showError(QString::fromStdString(*message));
}

void EntryPage::applySuggestion(const dict::Suggestion& suggestion) {
    filling_ = true;
    KanjiEdit->setText(QString::fromStdString(suggestion.written));
    HiraKataEdit->setText(QString::fromStdString(suggestion.reading));  // Hepburn follows
    QLineEdit* translationEdits[] = {T1Edit, T2Edit, T3Edit};
    for (std::size_t i = 0; i < 3; ++i)
        translationEdits[i]->setText(i < suggestion.translations.size()
                                         ? QString::fromStdString(suggestion.translations[i])
                                         : QString());
    TypEdit->setCurrentIndex(TypEdit->findText(QString::fromStdString(suggestion.typeWord)));
    filling_ = false;
    T1Edit->setFocus();
}

void EntryPage::Button1Click() {
    platform::Guarded(context_.dialogs, [this] {
        if (T1Edit->text().isEmpty()) {
            context_.dialogs.showError(kNoTranslation);
            return;
        }
        if (!storeWord()) return;
        clearFields();
        KanjiEdit->setFocus();
    });
}

// Inserts the word and reopens the table and the quiz query so the quiz sees it.
// A refused insert keeps the page as typed.
bool EntryPage::storeWord() {
    NewWord word;
    word.translation1 = T1Edit->text().toStdString();
    word.translation2 = T2Edit->text().toStdString();
    word.translation3 = T3Edit->text().toStdString();
    word.hepburn = HepburnEdit->text().toStdString();
    word.kanjiRtf = KanjiEdit->saveRtf();
    word.hiraKataRtf = HiraKataEdit->saveRtf();
    word.accent = Accent->value();
    word.note = NoteEdit->text().toStdString();
    word.type = TypEdit->currentIndex() >= 0 ? TypEdit->currentText().toStdString() : std::string();
    word.lesson = Lesson->value();

    try {
        context_.Table1.insertRecord(NewWordRecord(word, context_.clock));
    } catch (const store::EngineError& e) {
        // Only a broken uniqueness rule is a duplicate; a locked, read-only or
        // damaged table says what it is. The page keeps what was typed either way.
        context_.dialogs.showError(e.isConstraintViolation() ? kDuplicate
                                                             : QString::fromUtf8(e.what()));
        return false;
    }
    context_.Table1.flushBuffers();
    emit wordStored();
    return true;
}

void EntryPage::clearFields() {
    T1Edit->clear();
    T2Edit->clear();
    T3Edit->clear();
    HepburnEdit->clear();
    KanjiEdit->clear();
    NoteEdit->clear();
    HiraKataEdit->clear();  // runs the kana change once more, on the empty field
}

namespace {

// A spin edit takes an imported text only when it reads as a whole number.
void SetSpinText(QSpinBox& spin, const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok) spin.setValue(value);
}

}  // namespace

std::array<QString, 3> EntryPage::translations() const {
    return {T1Edit->text(), T2Edit->text(), T3Edit->text()};
}

void EntryPage::applyImportedWord(const exchange::XmlEntryFill& fill) {
    // Filling the reading must not fill the Hepburn field from it.
    const QSignalBlocker detachKanaChange(HiraKataEdit);
    filling_ = true;
    if (fill.kanji) KanjiEdit->setText(*fill.kanji);
    if (fill.kana) HiraKataEdit->setText(*fill.kana);
    QLineEdit* translationEdits[] = {T1Edit, T2Edit, T3Edit};
    for (int i = 0; i < 3; ++i)
        if (fill.translations[i]) translationEdits[i]->setText(*fill.translations[i]);
    if (fill.lesson) SetSpinText(*Lesson, *fill.lesson);
    if (fill.hepburn) HepburnEdit->setText(*fill.hepburn);
    // A type word the list does not hold leaves nothing chosen.
    if (fill.type) TypEdit->setCurrentIndex(TypEdit->findText(*fill.type));
    if (fill.accent) SetSpinText(*Accent, *fill.accent);
    if (fill.note) NoteEdit->setText(*fill.note);
    filling_ = false;
}

}  // namespace morvanta::entry
