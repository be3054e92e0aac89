// The commit-and-count step of the vocabulary table.

#include "app/tform1.h"

namespace morvanta::app {

// Runs after Table1 enters insert or edit state and after a delete. A failure
// to save propagates to whoever changed the table.
void TForm1::Table1AfterInsert(store::DataSet& dataSet) {
    dataSet.saveToDisk();
    StatusBar1->setPanelText(
        0, QString::number(Table1.recordCount()) + QStringLiteral(" Vokabeln in der DB"));
}

}  // namespace morvanta::app
