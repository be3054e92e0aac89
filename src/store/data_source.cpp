#include "store/data_set.h"

namespace morvanta::store {

DataSource::~DataSource() { detach(); }

void DataSource::detach() {
    if (dataSet_ != nullptr && !alive_.expired()) dataSet_->sources_.unsubscribe(token_);
    dataSet_ = nullptr;
    alive_.reset();
    token_ = 0;
}

void DataSource::setDataSet(DataSet* dataSet) {
    detach();
    dataSet_ = dataSet;
    if (dataSet_ != nullptr) {
        alive_ = dataSet_->alive_;
        token_ = dataSet_->sources_.subscribe([this](DataEvent event) { forward(event); });
    }
    // A new binding always shows its record, also while the controls are disabled.
    forward(DataEvent::Opened);
}

// --- the data set's side: held-back notifications

void DataSet::enableControls() {
    if (controlsDisabled_ == 0 || --controlsDisabled_ > 0) return;
    sources_.notify(active() ? DataEvent::DataChanged : DataEvent::Closed);
}

ControlsDisabled::~ControlsDisabled() {
    // A destructor must not throw: a widget that fails to show the record keeps
    // what it showed, and the data set's controls are enabled all the same.
    try {
        dataSet_.enableControls();
    } catch (...) {
    }
}

}  // namespace morvanta::store
