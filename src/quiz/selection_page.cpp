#include "quiz/selection_page.h"

namespace morvanta::quiz {

SelectionPage::SelectionPage(platform::FormContext& context, QWidget* parent) : QWidget(parent), context_(context) {}

void SelectionPage::applyColumns(const platform::ColumnLayout&) {}

}  // namespace morvanta::quiz
