#pragma once
// The page "Suche / Ändern": one record of the browse source in bound
// widgets, the navigator, and the search row.

#include <QWidget>

#include "platform/db_controls.h"
#include "platform/form_context.h"
#include "platform/layout.h"
#include "platform/romaji_input.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morvanta::entry {

class BrowsePage : public QWidget {
    Q_OBJECT
public:
    BrowsePage(const platform::BrowseContext& context, QWidget* parent = nullptr);
    ~BrowsePage() override;
    void applyColumns(const platform::ColumnLayout& columns);

    // "Suchen": shows the result of the search in the browse source.
    void Button7Click();
    // "Alle Anzeigen": back to the whole table.
    void Button6Click();
    // Shows the word with this row of the table (the whole table, not a search
    // result); false, with a message, when the word is gone.
    bool showWord(std::int64_t wordId);
    // The current record or the data of the browse source changed.
    void DataSource1DataChange();

    // Widgets in tab order; the XML export reads records through them.
    platform::DBNavigator* DBNavigator1 = nullptr;
    platform::DBRichEdit* DBRichEdit12 = nullptr;  // Kanji
    platform::DBRichEdit* DBRichEdit11 = nullptr;  // Hira-Kata
    platform::RomajiInput* HiraKataRomaji = nullptr;  // romaji typed into it become kana
    platform::DBMemo* DBRichEdit9 = nullptr;       // Hepburn
    platform::DBEdit* DBEdit15 = nullptr;          // Translation1
    platform::DBEdit* DBEdit16 = nullptr;          // Translation2
    platform::DBEdit* DBEdit17 = nullptr;          // Translation3
    platform::DBEdit* DBEdit2 = nullptr;           // Lesson
    platform::DBEdit* DBEdit6 = nullptr;           // Type
    platform::DBEdit* DBEdit14 = nullptr;          // Accent
    platform::DBEdit* DBEdit7 = nullptr;           // Note
    platform::DBEdit* DBEdit1 = nullptr;           // DateEntered
    platform::DBEdit* DBEdit3 = nullptr;           // DateAsked
    platform::DBCheckBox* DBCheckBox1 = nullptr;   // Marked
    platform::DBCheckBox* DBCheckBox2 = nullptr;   // CardPrinted
    platform::DBEdit* DBEdit4 = nullptr;           // NumberAsked
    platform::DBEdit* DBEdit5 = nullptr;           // NumberWrong
    QLineEdit* Edit6 = nullptr;                    // ratio
    QPushButton* Button6 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* Button7 = nullptr;
    // The shown word's memory, read only, below the search row.
    QLabel* MemoryLabel = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildRecordWidgets();
    void buildSearchRow();
    void placeAnchored();
    // Posts what is typed on the shown record before the browse source switches.
    void postPendingEdit();
    void showMemory();

    platform::BrowseContext context_;
    QFrame* frame_ = nullptr;
    QLabel* kanaLabel_ = nullptr;
    QLabel* hepburnLabel_ = nullptr;
    QLabel* translation2Label_ = nullptr;
    QLabel* translation3Label_ = nullptr;
    QLabel* typLabel_ = nullptr;
    QLabel* accentLabel_ = nullptr;
    QLabel* dateAskedLabel_ = nullptr;
    QLabel* wrongLabel_ = nullptr;
    QLabel* ratioLabel_ = nullptr;
    int sourceToken_ = 0;
};

}  // namespace morvanta::entry
