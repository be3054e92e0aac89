#include "entry/browse_page.h"

namespace morvanta::entry {

BrowsePage::BrowsePage(platform::FormContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void BrowsePage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::entry
