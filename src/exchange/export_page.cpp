#include "exchange/export_page.h"

#include "entry/entry_page.h"
#include "exchange/xml_export_group.h"

namespace morvanta::exchange {

ExportPage::ExportPage(platform::FormContext& context, quiz::QuizState& state,
                       entry::EntryPage& entryPage, QWidget* parent)
    : QWidget(parent), context_(context), state_(state), entryPage_(entryPage) {
    TntGroupBox1 = new XmlExportGroup(context, entryPage, this);
}

}  // namespace morvanta::exchange
