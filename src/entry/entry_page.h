#pragma once
// The page "Eingabe": a new word is typed here and stored with "Eintragen".

#include <QWidget>
#include <array>

#include "core/xml_word_list_reader.h"
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

namespace morvanta::entry {

class EntryPage : public QWidget {
    Q_OBJECT
public:
    explicit EntryPage(const platform::EntryContext& context, QWidget* parent = nullptr);
    void applyColumns(const platform::ColumnLayout& columns);

    // "Eintragen": stores the page as a new word.
    void Button1Click();
    // Fills the Hepburn field from the kana field on every change.
    void HiraKataEditChange();

    // The translations as typed, and an imported word put into the fields (the
    // reading then fills no Hepburn of its own).
    std::array<QString, 3> translations() const;
    void applyImportedWord(const exchange::XmlEntryFill& fill);

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

signals:
    // A new word is stored: the table and the quiz start afresh.
    void wordStored();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWidgets();
    bool storeWord();
    void clearFields();
    void placeButton();

    platform::EntryContext context_;
    QLabel* kanaLabel_ = nullptr;
    QLabel* hepburnLabel_ = nullptr;
    QLabel* t2Label_ = nullptr;
    QLabel* t3Label_ = nullptr;
    QLabel* typLabel_ = nullptr;
    QLabel* accentLabel_ = nullptr;
};

}  // namespace morvanta::entry
