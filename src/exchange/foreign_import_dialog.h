#pragma once
// "Vokabeln importieren": the preview of another trainer's word list. It shows
// the first rows, a choice per column of the field it becomes, the lessons the
// named ones get, and how many words are new, there already, or cannot be
// stored; "Importieren" is offered once a column gives the translation.

#include <QDialog>

#include "core/foreign/column_mapping.h"
#include "core/foreign/foreign_import.h"
#include "core/foreign/source_sheet.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace morvanta::store {
class DataSet;
}

namespace morvanta::exchange {

class ForeignImportDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPreviewRows = 20;

    ForeignImportDialog(const foreign::SourceSheet& sheet, const QString& fileName,
                        store::DataSet& table, QWidget* parent = nullptr);

    // The words as the mapping now gives them.
    const foreign::PreparedImport& prepared() const { return prepared_; }
    const foreign::ColumnMapping& mapping() const { return mapping_; }
    // Chooses a field for a column, as the learner does with its box.
    void chooseField(int column, foreign::Field field);

    QTableWidget* table = nullptr;  // row 0: the field boxes; then the first rows
    QLabel* countsLabel = nullptr;
    QPlainTextEdit* detailsText = nullptr;  // lessons, remarks, rows that cannot be stored
    QPushButton* importButton = nullptr;

private:
    void update();
    QComboBox* fieldBox(int column);

    const foreign::SourceSheet& sheet_;
    std::int64_t firstFreeLesson_;
    foreign::WordKeys keys_;  // the table's, read once for every choice of fields
    foreign::ColumnMapping mapping_;
    foreign::PreparedImport prepared_;
};

}  // namespace morvanta::exchange
