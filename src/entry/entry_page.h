#pragma once
// The page "Eingabe": a new word is typed here and stored with "Eintragen".

#include <QWidget>
#include <array>
#include <memory>

#include "core/exchange/xml_word_list_reader.h"
#include "platform/form_context.h"
#include "platform/layout.h"
#include "platform/rich_line_edit.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace morvanta::platform {
class RomajiInput;
}
namespace morvanta::dict {
class Dictionary;
struct Suggestion;
}

namespace morvanta::entry {

class SuggestionList;

class EntryPage : public QWidget {
    Q_OBJECT
public:
    explicit EntryPage(const platform::EntryContext& context, QWidget* parent = nullptr);
    ~EntryPage() override;
    void applyColumns(const platform::ColumnLayout& columns);

    // "Eintragen": stores the page as a new word.
    void Button1Click();
    // Fills the Hepburn field from the kana field on every change.
    void HiraKataEditChange();

    // The translations as typed, and an imported word put into the fields (the
    // reading then fills no Hepburn of its own).
    std::array<QString, 3> translations() const;
    void applyImportedWord(const exchange::XmlEntryFill& fill);

    // The dictionary the suggestions come from (the installed one at the start).
    void setDictionary(std::unique_ptr<dict::Dictionary> dictionary);
    // A chosen suggestion fills kanji, kana (and so Hepburn), translations and type.
    void applySuggestion(const dict::Suggestion& suggestion);

    // Widgets in tab order; the XML import and Button13 fill them too.
    platform::RichLineEdit* KanjiEdit = nullptr;
    platform::RichLineEdit* HiraKataEdit = nullptr;
    QLineEdit* T1Edit = nullptr;
    QLineEdit* T2Edit = nullptr;
    QLineEdit* T3Edit = nullptr;
    QSpinBox* Accent = nullptr;
    QLineEdit* NoteEdit = nullptr;
    platform::RichLineEdit* HepburnEdit = nullptr;
    QComboBox* TypEdit = nullptr;
    QSpinBox* Lesson = nullptr;
    QPushButton* Button1 = nullptr;
    // "Romaji → Kana": Latin letters typed into the kana field become kana.
    QCheckBox* RomajiBox = nullptr;
    platform::RomajiInput* HiraKataRomaji = nullptr;
    // Dictionary words that begin with what stands in the kanji or kana field.
    SuggestionList* Suggestions = nullptr;

signals:
    // A new word is stored: the table and the quiz start afresh.
    void wordStored();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWidgets();
    bool storeWord();
    void clearFields();
    void placeButton();
    void suggestFor(const QString& typed);

    platform::EntryContext context_;
    std::unique_ptr<dict::Dictionary> dictionary_;
    bool filling_ = false;  // our own fill of the fields asks the dictionary nothing
    QLabel* kanaLabel_ = nullptr;
    QLabel* hepburnLabel_ = nullptr;
    QLabel* t2Label_ = nullptr;
    QLabel* t3Label_ = nullptr;
    QLabel* typLabel_ = nullptr;
    QLabel* accentLabel_ = nullptr;
};

}  // namespace morvanta::entry
