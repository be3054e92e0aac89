#include "exchange/export_page.h"

#include "entry/entry_page.h"

namespace morvanta::exchange {

ExportPage::ExportPage(platform::FormContext& context, quiz::QuizState& state,
                       entry::EntryPage& entryPage, QWidget* parent)
    : QWidget(parent), context_(context), state_(state), entryPage_(entryPage) {}

}  // namespace morvanta::exchange
