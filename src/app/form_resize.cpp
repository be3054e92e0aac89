// The layout step: places the three columns of word widgets on every page.

#include "app/tform1.h"
#include "entry/browse_page.h"
#include "entry/entry_page.h"
#include "platform/layout.h"
#include "quiz/quiz_page.h"

namespace morvanta::app {

void TForm1::FormResize() {
    const platform::ColumnLayout columns = platform::ComputeColumns(width());
    browsePage->applyColumns(columns);
    entryPage->applyColumns(columns);
    quizPage->applyColumns(columns);
}

}  // namespace morvanta::app
