#pragma once
// The export options dialog: creator name, whether to include dates and
// statistics, and the file description. Lives for one export.

#include <QDialog>

#include "core/exchange/xml_word_list_writer.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace morvanta::exchange {

class TXMLForm : public QDialog {
    Q_OBJECT
public:
    explicit TXMLForm(QWidget* owner = nullptr);

    // Fills the creator name from the login name.
    void FormCreate();
    void TntButton1Click();  // OK
    void TntButton2Click();  // Abbrechen

    XmlExportOptions options() const;

    QLineEdit* TntEdit1 = nullptr;       // creator name
    QCheckBox* TntCheckBox1 = nullptr;   // dates
    QCheckBox* TntCheckBox2 = nullptr;   // statistics
    QPlainTextEdit* desc = nullptr;      // file description
    QPushButton* TntButton1 = nullptr;
    QPushButton* TntButton2 = nullptr;
};

}  // namespace morvanta::exchange
