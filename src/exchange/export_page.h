#pragma once
// The page "Export": the RTF practice list and kanji list, the XML group, and
// the menu "Extras" that reaches the word lists of other trainers (in and out),
// the special import, the XML import, the word dump and the reading
// romanisation (their own buttons stay hidden).

#include <QString>
#include <QWidget>
#include <functional>
#include <ostream>

#include "core/exchange/rtf_kanji_list.h"
#include "core/exchange/run_progress.h"
#include "core/foreign/word_list_export.h"
#include "core/quiz/quiz_state.h"
#include "exchange/entry_link.h"
#include "platform/form_context.h"
#include "platform/layout.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace morvanta::exchange {

class ForeignImportDialog;
class XmlExportGroup;

class ExportPage : public QWidget {
    Q_OBJECT
public:
    ExportPage(const platform::ExportContext& context, quiz::QuizState& state, EntryLink entry,
               QWidget* parent = nullptr);

    // Practice list and kanji list.
    void Button3Click();
    void Button10Click();
    // Special import, word dump, reading romanisation.
    void Button11Click();
    void Button12Click();
    void Button13Click();
    // "Drucken…": the practice sheet and the kanji grid in the print preview.
    void PrintPracticeClick();
    void PrintKanjiClick();
    // "Vokabeln importieren …": another trainer's list, through its preview.
    void ImportWordListClick();
    // The selection for another trainer.
    void ExportWordListClick(foreign::ListFormat format);
    // Shows the import's preview; true when the learner chose "Importieren".
    // Unset, the dialog runs modally.
    std::function<bool(ForeignImportDialog&)> showPreview;

    QPushButton* Button3 = nullptr;
    QPushButton* Button10 = nullptr;
    QPushButton* PrintPracticeButton = nullptr;  // beside Button3
    QPushButton* PrintKanjiButton = nullptr;     // beside Button10
    QLabel* practiceListsLabel = nullptr;        // "Vokabel-Übungs Listen"
    QLabel* kanjiListLabel = nullptr;            // "Kanji isolieren"
    QLabel* slowWarningLabel = nullptr;          // "Achtung dauert sehr lange!"
    QPlainTextEdit* Memo2 = nullptr;
    QPushButton* Button11 = nullptr;
    QPushButton* Button12 = nullptr;
    QPushButton* Button13 = nullptr;
    XmlExportGroup* TntGroupBox1 = nullptr;  // "XML Export"
    QPushButton* ExtrasButton = nullptr;     // "Extras", opens ExtrasMenu
    QMenu* ExtrasMenu = nullptr;

    // The program's folder: hirakata.txt lies beside it, or in ../share/morvanta when installed.
    QString programDir;
    // The known-character list of the last kanji list run.
    const KnownCharacters& knownCharacters() const { return known_; }

private:
    // Asks for a file and writes the selection into it with progress and cancel:
    // whole or not at all. The quiz query ends on its first record; a cancelled
    // run leaves it where `cancelled` says.
    using SelectionWriter = std::function<bool(std::ostream&, store::DataSet&, const ProgressFn&)>;
    enum class CancelledWalk { BackToStart, OnFirstRecord };
    void writeSelection(const QString& progressLabel, const SelectionWriter& writer,
                        CancelledWalk cancelled);
    QWidget* buildRtfRows();
    QWidget* buildCommandColumn();
    QMenu* buildExtrasMenu(QWidget* parent);

    platform::ExportContext context_;
    quiz::QuizState& state_;
    EntryLink entry_;
    QVBoxLayout* mainColumn_ = nullptr;  // page groups, top to bottom
    KnownCharacters known_;
};

}  // namespace morvanta::exchange
