#pragma once
// The group "XML Export" on the page "Export": the word-list export of the
// quiz selection and the (hidden) import into the entry page.

#include <QGroupBox>
#include <functional>

#include "exchange/entry_link.h"
#include "platform/form_context.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace morvanta::exchange {

class TXMLForm;

class XmlExportGroup : public QGroupBox {
    Q_OBJECT
public:
    XmlExportGroup(const platform::ExportContext& context, const EntryLink& entry, QWidget* parent = nullptr);

    void TntButton1Click();  // "XML Export"
    void TntButton2Click();  // "XML Import"

    QPushButton* TntButton1 = nullptr;
    QPushButton* TntButton2 = nullptr;  // created hidden
    QPlainTextEdit* TntMemo1 = nullptr;  // the export buffer's place; hidden, empty between exports
    QLabel* exportLabel = nullptr;

private:
    void exportWordList();
    void importWordList();

    platform::ExportContext context_;
    const EntryLink& entry_;
};

}  // namespace morvanta::exchange
