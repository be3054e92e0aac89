// The browse source moved or its data changed: the ratio and the save step.

#include <QLineEdit>

#include "entry/browse_page.h"
#include "core/stats/ratio_text.h"

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

    try {
        context_.Table1.saveToDisk();
    } catch (const std::exception&) {
        // not looked at: the next change tries again
    }
}

}  // namespace morvanta::entry
