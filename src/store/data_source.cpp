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

int DataSource::subscribe(Listener listener) {
    int token = nextToken_++;
    listeners_.emplace(token, std::move(listener));
    return token;
}

void DataSource::unsubscribe(int token) { listeners_.erase(token); }

void DataSource::forward(DataEvent event) {
    auto listeners = listeners_;
    for (auto& [token, listener] : listeners)
        if (listeners_.count(token)) listener(event);
}

}  // namespace morvanta::store
