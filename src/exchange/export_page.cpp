#include "exchange/export_page.h"

namespace morvanta::exchange {

ExportPage::ExportPage(platform::FormContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void ExportPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::exchange
