// The binding between one data-aware control and a field of its data source.

#include "platform/db_controls.h"
#include "platform/guard.h"

namespace morvanta::platform {

using store::DataEvent;
using store::DataSetState;

FieldLink::FieldLink(store::DataSource& source, QString field, Dialogs& dialogs)
    : source_(source), field_(std::move(field)), fieldName_(field_.toStdString()), dialogs_(dialogs) {
    token_ = source_.subscribe([this](DataEvent event) { handle(event); });
}

FieldLink::~FieldLink() { source_.unsubscribe(token_); }

bool FieldLink::editing() const {
    const store::DataSet* ds = dataSet();
    return ds && (ds->state() == DataSetState::Edit || ds->state() == DataSetState::Insert);
}

bool FieldLink::hasRecord() const {
    const store::DataSet* ds = dataSet();
    if (!ds || !ds->active()) return false;
    return ds->state() == DataSetState::Insert || ds->recordCount() > 0;
}

QString FieldLink::text() const { return QString::fromStdString(raw()); }

std::string FieldLink::raw() const {
    if (!hasRecord()) return {};
    try {
        return dataSet()->asString(fieldName_);
    } catch (const std::exception&) {
        return {};  // a value that does not read shows as empty rather than stopping the scroll
    }
}

bool FieldLink::startEdit() {
    store::DataSet* ds = dataSet();
    if (!hasRecord()) return false;
    if (editing()) return true;
    Guarded(dialogs_, [ds] { ds->edit(); });
    // A failing after-edit step (saving to disk) still leaves the data set editing.
    return editing();
}

void FieldLink::put(const QString& text) { dataSet()->setAsString(fieldName_, text.toStdString()); }

void FieldLink::putRaw(const std::string& bytes) { dataSet()->setValue(fieldName_, store::Value{bytes}); }

bool FieldLink::write(const QString& text) {
    if (!dataSet()) return false;
    return Guarded(dialogs_, [&] { put(text); });
}

bool FieldLink::writeRaw(const std::string& bytes) {
    if (!dataSet()) return false;
    return Guarded(dialogs_, [&] { putRaw(bytes); });
}

bool FieldLink::userEdited() {
    if (reloading_) return true;
    refused_ = false;
    if (modified_ && editing()) return true;
    // Marked first: entering edit state notifies, and that must not wipe the keystroke.
    modified_ = true;
    if (!startEdit()) {
        reload();
        return false;
    }
    return true;
}

void FieldLink::commitPending() {
    if (!modified_ || !editing() || !onUpdate || refused_) return;
    if (Guarded(dialogs_, onUpdate)) modified_ = false;
}

void FieldLink::reload() {
    modified_ = false;
    refused_ = false;
    reloading_ = true;
    if (onReload) onReload();
    reloading_ = false;
}

void FieldLink::handle(DataEvent event) {
    switch (event) {
    case DataEvent::UpdateRecord:
        // Throws on failure, so the post that asked is not carried out.
        if (modified_ && editing() && onUpdate) {
            try {
                onUpdate();
            } catch (...) {
                // The post reports it; leaving the control for that message must not again.
                refused_ = true;
                throw;
            }
            modified_ = false;
        }
        break;
    case DataEvent::Opened:
    case DataEvent::Closed:
    case DataEvent::Scrolled:
    case DataEvent::DataChanged:
        reload();
        break;
    case DataEvent::StateChanged:
    case DataEvent::FieldChanged:
        // Entering edit state, or another field written, keeps what is typed here.
        if (!(modified_ && editing())) reload();
        break;
    }
}

}  // namespace morvanta::platform
