// The commit-and-count step of the vocabulary table.

#include "app/tform1.h"
#include "platform/guard.h"

namespace morvanta::app {

// Runs after Table1 enters insert or edit state and after a delete. A failure
// to save propagates to whoever changed the table.
void TForm1::Table1AfterInsert(store::DataSet& dataSet) {
    dataSet.saveToDisk();
    StatusBar1->setPanelText(
        0, QString::number(Table1.recordCount()) + QStringLiteral(" Vokabeln in der DB"));
}

void TForm1::RestartAfterNewWord() {
    platform::Guarded(*dialogs_, [this] {
        Query1.close();
        Table1.close();
        Table1.open();
        Query1.open();
    });
}

}  // namespace morvanta::app
