#include "store/data_set.h"
#include "store/text_fold.h"

#include <algorithm>

#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"
#include "store/session.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace {

const std::string& SelectRowSql() {
    static const std::string sql =
        "SELECT " + std::string(FieldListSql()) + " FROM Vokabel WHERE rowid=?1";
    return sql;
}

}  // namespace

DataSet::DataSet(Session& session, std::string alias) : session_(session), alias_(std::move(alias)) {}

DataSet::~DataSet() = default;

bool DataSet::fileWritable() const { return !db_ || !db_->readOnly(); }

std::shared_ptr<Database> DataSet::database() {
    if (!db_) db_ = session_.connect(alias_);
    return db_;
}

// --- life cycle

void DataSet::setRows(std::vector<std::int64_t> rowIds) {
    live_ = true;
    rows_ = std::move(rowIds);
    fixedColumns_.clear();
    fixedRows_.clear();
}

void DataSet::setFixedResult(std::vector<std::string> columns, std::vector<std::vector<Value>> rows) {
    live_ = false;
    rows_.clear();
    fixedColumns_ = std::move(columns);
    fixedRows_ = std::move(rows);
}

void DataSet::becomeOpen() {
    state_ = DataSetState::Browse;
    inserting_ = false;
    cachedRow_ = -1;
    current_ = recordCount() > 0 ? 0 : -1;
    bof_ = true;
    eof_ = current_ < 0;
    notify(DataEvent::Opened);
    if (afterOpen) afterOpen(*this);
}

void DataSet::close() {
    if (state_ == DataSetState::Inactive) return;
    state_ = DataSetState::Inactive;
    inserting_ = false;
    rows_.clear();
    fixedColumns_.clear();
    fixedRows_.clear();
    buffer_.clear();
    current_ = -1;
    cachedRow_ = -1;
    eof_ = bof_ = true;
    notify(DataEvent::Closed);
}

void DataSet::requireActive() const {
    if (state_ == DataSetState::Inactive)
        throw EngineError("Die Datenmenge ist geschlossen: Dieser Schritt ist nicht möglich.");
}

// --- navigation

void DataSet::checkBrowseMode() {
    requireActive();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) post();
}

void DataSet::moveTo(int index) {
    int before = current_;
    current_ = index;
    if (before != current_) notify(DataEvent::Scrolled);
}

void DataSet::first() {
    checkBrowseMode();
    bof_ = true;
    eof_ = recordCount() == 0;
    moveTo(eof_ ? -1 : 0);
}

void DataSet::last() {
    checkBrowseMode();
    eof_ = true;
    bof_ = recordCount() == 0;
    moveTo(recordCount() - 1);
}

void DataSet::next() {
    checkBrowseMode();
    if (current_ + 1 < recordCount()) {
        bof_ = eof_ = false;
        moveTo(current_ + 1);
    } else {
        eof_ = true;
    }
}

void DataSet::prior() {
    checkBrowseMode();
    if (current_ > 0) {
        bof_ = eof_ = false;
        moveTo(current_ - 1);
    } else {
        bof_ = true;
    }
}

int DataSet::recNo() const {
    if (state_ == DataSetState::Inactive || current_ < 0) return 0;
    return current_ + 1;
}

void DataSet::setRecNo(int recNo) {
    checkBrowseMode();
    int count = recordCount();
    if (count == 0) return;
    bof_ = eof_ = false;
    moveTo(std::clamp(recNo, 1, count) - 1);
}

int DataSet::recordCount() const {
    if (state_ == DataSetState::Inactive) return 0;
    return static_cast<int>(live_ ? rows_.size() : fixedRows_.size());
}

void DataSet::refresh() {
    checkBrowseMode();
    reread();
    cachedRow_ = -1;
    notify(DataEvent::DataChanged);
}

std::int64_t DataSet::rowIdAt(int recNo) const {
    if (!live_ || recNo < 1 || recNo > static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<size_t>(recNo - 1)];
}

std::int64_t DataSet::currentRowId() const { return rowIdAt(current_ + 1); }

// --- fields

int DataSet::fieldIndexOf(std::string_view field) const {
    requireActive();
    if (live_) {
        int index = FieldIndex(field);
        if (index >= 0) return index;
    } else {
        for (size_t i = 0; i < fixedColumns_.size(); ++i)
            if (SameAsciiName(fixedColumns_[i], field)) return static_cast<int>(i);
    }
    throw EngineError("Das Feld " + text::Quoted(field) + " gibt es hier nicht.");
}

FieldKind DataSet::kindOf(int index) const {
    if (live_) return VocabularyFields()[static_cast<size_t>(index)].kind;
    return ColumnKind(fixedColumns_[static_cast<size_t>(index)]);
}

void DataSet::loadCurrent() const {
    std::int64_t row = currentRowId();
    if (row == cachedRow_ && db_ && cachedGeneration_ == db_->generation()) return;
    cache_.assign(VocabularyFields().size(), std::monostate{});
    cachedRow_ = row;
    if (row < 0 || !db_) return;
    cachedGeneration_ = db_->generation();
    Statement& select = db_->cached(SelectRowSql());
    select.bindInt(1, row);
    // A row deleted elsewhere reads as empty.
    if (select.step()) {
        const auto& fields = VocabularyFields();
        for (size_t i = 0; i < fields.size(); ++i)
            cache_[i] = ReadColumn(select, static_cast<int>(i), fields[i].kind);
    }
    select.reset();
}

Value DataSet::value(std::string_view field) const {
    int index = fieldIndexOf(field);
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert)
        return buffer_[static_cast<size_t>(index)];
    if (current_ < 0) return std::monostate{};
    if (!live_) return fixedRows_[static_cast<size_t>(current_)][static_cast<size_t>(index)];
    loadCurrent();
    return cache_[static_cast<size_t>(index)];
}

bool DataSet::isNull(std::string_view field) const {
    return std::holds_alternative<std::monostate>(value(field));
}

std::string DataSet::asString(std::string_view field) const {
    return FormatValue(value(field), kindOf(fieldIndexOf(field)));
}

std::int64_t DataSet::asInteger(std::string_view field) const {
    return ValueAsInteger(value(field), field);
}

DateTime DataSet::asDateTime(std::string_view field) const {
    return ValueAsDateTime(value(field), field);
}

bool DataSet::asBoolean(std::string_view field) const { return ValueAsBoolean(value(field), field); }

// --- listeners

int DataListeners::subscribe(Listener listener) {
    int token = nextToken_++;
    listeners_.emplace(token, std::move(listener));
    return token;
}

void DataListeners::notify(DataEvent event) {
    auto listeners = listeners_;
    for (auto& [token, listener] : listeners)
        if (listeners_.count(token)) listener(event);
}

}  // namespace morvanta::store
