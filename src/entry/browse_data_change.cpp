// The browse source moved or its data changed: the ratio and the save step.

#include <QLabel>
#include <QLineEdit>

#include "core/memory/memory_columns.h"
#include "core/stats/ratio_text.h"
#include "entry/browse_page.h"
#include "store/database.h"
#include "store/session.h"

namespace morvanta::entry {

namespace {

std::int64_t Counter(const store::DataSet& dataSet, const char* field) {
    return dataSet.isNull(field) ? 0 : dataSet.asInteger(field);
}

}  // namespace

void BrowsePage::DataSource1DataChange() {
    // The ratio follows the record the page shows, search result included.
    std::string ratio;
    if (const store::DataSet* shown = context_.DataSource1.dataSet()) {
        try {
            ratio = stats::RatioText(Counter(*shown, "NumberWrong"), Counter(*shown, "NumberAsked"));
        } catch (const std::exception&) {
            // closed, or a result without the counters: no ratio to show
        }
    }
    const QString text = QString::fromStdString(ratio);
    if (Edit6->text() != text) Edit6->setText(text);
    showMemory();

    try {
        context_.Table1.saveToDisk();
    } catch (const std::exception&) {
        // not looked at: the next change tries again
    }
}

void BrowsePage::showMemory() {
    QString line;
    const store::DataSet* shown = context_.DataSource1.dataSet();
    if (shown && context_.session && context_.clock) {
        try {
            const std::int64_t word = shown->active() ? shown->rowIdAt(shown->recNo()) : -1;
            if (word > 0)
                line = QString::fromStdString(memory::WordMemoryLine(
                    *context_.session->connect(store::kVocabularyAlias), word, context_.clock->now()));
        } catch (const std::exception&) {
            // no table, or a file without memory: nothing to show
        }
    }
    if (MemoryLabel->text() != line) MemoryLabel->setText(line);
}

}  // namespace morvanta::entry
