#include "store/data_set.h"

namespace morvanta::store {

DataSource::~DataSource() { detach(); }

void DataSource::detach() {
    if (dataSet_ != nullptr && !alive_.expired()) dataSet_->unsubscribe(token_);
    dataSet_ = nullptr;
    alive_.reset();
    token_ = 0;
}

void DataSource::setDataSet(DataSet* dataSet) {
    detach();
    dataSet_ = dataSet;
    if (dataSet_ != nullptr) {
        alive_ = dataSet_->alive_;
        token_ = dataSet_->subscribe([this](DataEvent event) { forward(event); });
    }
    forward(DataEvent::Opened);
}

}  // namespace morvanta::store
