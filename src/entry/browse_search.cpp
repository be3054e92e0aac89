// "Suchen" and "Alle Anzeigen": the browse source shows a search result or the
// whole table.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "entry/browse_page.h"
#include "entry/search_sql.h"
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
        Button6->setEnabled(true);
        context_.Query2.close();
        context_.DataSource1.setDataSet(&context_.Query2);
        context_.Query2.clearSql();
        QString text = Edit2->text();
        text.replace(QLatin1Char('*'), QLatin1Char('%'));
        if (text != Edit2->text()) Edit2->setText(text);
        const QString entry = ComboBox1->currentIndex() < 0 ? QString() : ComboBox1->currentText();
        context_.Query2.addSqlLine(SearchSql(entry.toStdString(), text.toStdString()));
        context_.Query2.execSql();
        context_.Query2.open();
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

}  // namespace morvanta::entry
