// "Suchen" and "Alle Anzeigen": the browse source shows a search result or the
// whole table.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "entry/browse_page.h"
#include "core/entry/search_sql.h"
#include "platform/guard.h"

namespace morvanta::entry {

void BrowsePage::postPendingEdit() {
    store::DataSet* shown = context_.DataSource1.dataSet();
    if (!shown) return;
    if (shown->state() != store::DataSetState::Edit && shown->state() != store::DataSetState::Insert)
        return;
    // A half-typed edit left behind would later overwrite changes made through the other data set.
    context_.DataSource1.updateRecord();
    shown->post();
}

void BrowsePage::Button7Click() {
    platform::Guarded(context_.dialogs, [this] {
        postPendingEdit();
        // A search the learner cancels leaves the page as it was.
        store::DataSet* formerShown = context_.DataSource1.dataSet();
        const bool formerButton6 = Button6->isEnabled();
        Button6->setEnabled(true);
        context_.DataSource1.setDataSet(&context_.Query2);
        QString text = Edit2->text();
        text.replace(QLatin1Char('*'), QLatin1Char('%'));
        if (text != Edit2->text()) Edit2->setText(text);
        const QString entry = ComboBox1->currentIndex() < 0 ? QString() : ComboBox1->currentText();
        try {
            context_.Query2.run({SearchSql(entry.toStdString(), text.toStdString())});
        } catch (const store::EngineError& e) {
            if (!e.isCancelled()) throw;
            context_.DataSource1.setDataSet(formerShown);
            Button6->setEnabled(formerButton6);
        }
    });
}

void BrowsePage::Button6Click() {
    platform::Guarded(context_.dialogs, [this] {
        postPendingEdit();
        Button6->setEnabled(false);
        context_.DataSource1.setDataSet(&context_.Table1);
        context_.Query2.close();
    });
}

bool BrowsePage::showWord(std::int64_t wordId) {
    return platform::Guarded(context_.dialogs, [this, wordId] {
        if (context_.DataSource1.dataSet() != &context_.Table1) Button6Click();
        for (int recNo = 1; recNo <= context_.Table1.recordCount(); ++recNo) {
            if (context_.Table1.rowIdAt(recNo) == wordId) {
                context_.Table1.setRecNo(recNo);
                return;
            }
        }
        throw std::runtime_error("Diese Vokabel gibt es nicht mehr in der Tabelle.");
    });
}

}  // namespace morvanta::entry
