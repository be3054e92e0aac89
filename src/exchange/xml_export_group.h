#pragma once
// The group "XML Export" on the page "Export": the word-list export of the
// quiz selection and the (hidden) import into the entry page.

#include <QGroupBox>
#include <functional>

#include "platform/form_context.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace morvanta::entry {
class EntryPage;
}

namespace morvanta::exchange {

class TXMLForm;

class XmlExportGroup : public QGroupBox {
    Q_OBJECT
public:
    XmlExportGroup(platform::FormContext& context, entry::EntryPage& entryPage,
                   QWidget* parent = nullptr);

    void TntButton1Click();  // "XML Export"
    void TntButton2Click();  // "XML Import"

    QPushButton* TntButton1 = nullptr;
    QPushButton* TntButton2 = nullptr;  // created hidden
    QPlainTextEdit* TntMemo1 = nullptr;  // the export buffer's place; hidden, empty between exports
    QLabel* exportLabel = nullptr;

private:
    void exportWordList();
    void importWordList();

    platform::FormContext& context_;
    entry::EntryPage& entryPage_;
};

}  // namespace morvanta::exchange
