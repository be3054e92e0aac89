#include "entry/entry_page.h"

namespace morvanta::entry {

EntryPage::EntryPage(platform::FormContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void EntryPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::entry
