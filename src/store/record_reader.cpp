#include "store/record_reader.h"

#include <sqlite3.h>

#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/statement.h"

namespace morvanta::store {

namespace {

// The record numbers' row ids as a JSON array: json_each hands them to the
// statement in this order, and the left join keeps it as its outer loop, so
// the rows come out in the data set's order with one seek each.
std::string RowIdArray(const std::vector<std::int64_t>& rows) {
    std::string json;
    json.reserve(rows.size() * 7 + 2);
    json += '[';
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i) json += ',';
        json += std::to_string(rows[i]);
    }
    json += ']';
    return json;
}

std::string QuotedName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

RecordReader::RecordReader(DataSet& dataSet, const std::vector<std::string_view>& fields)
    : dataSet_(dataSet) {
    dataSet_.checkBrowseMode();
    for (std::string_view field : fields) {
        const int index = dataSet_.fieldIndexOf(field);
        fieldIndexes_.push_back(index);
        kinds_.push_back(dataSet_.kindOf(index));
    }
    scratch_.resize(fieldIndexes_.size());
    count_ = dataSet_.recordCount();
    heldInMemory_ = !dataSet_.live_;
    if (heldInMemory_ || count_ == 0) return;
    std::string sql = "SELECT ";
    for (size_t i = 0; i < fieldIndexes_.size(); ++i) {
        if (i) sql += ", ";
        sql += "Vokabel." + QuotedName(VocabularyFields()[size_t(fieldIndexes_[i])].name);
    }
    sql +=
        " FROM json_each(?1) AS MorvantaRows LEFT JOIN Vokabel ON Vokabel.rowid = "
        "MorvantaRows.value";
    statement_ = std::make_unique<Statement>(dataSet_.database()->handle(), sql);
    statement_->bindText(1, RowIdArray(dataSet_.rows_));
}

RecordReader::~RecordReader() = default;

bool RecordReader::next() {
    if (position_ >= count_) return false;
    ++position_;
    if (position_ >= count_) {
        if (statement_) statement_->reset();  // ends the read transaction at once
        return false;
    }
    if (statement_ && !statement_->step()) {
        // Cannot happen while the array holds count_ entries; the end is the end.
        position_ = count_;
        return false;
    }
    return true;
}

Value RecordReader::value(int column) const {
    const size_t c = size_t(column);
    if (heldInMemory_) return dataSet_.fixedRows_[size_t(position_)][size_t(fieldIndexes_[c])];
    return ReadColumn(*statement_, column, kinds_[c]);
}

std::string RecordReader::asString(int column) const {
    return FormatValue(value(column), kinds_[size_t(column)]);
}

std::string_view RecordReader::text(int column) const {
    const FieldKind kind = kinds_[size_t(column)];
    if (!heldInMemory_ && (kind == FieldKind::Text || kind == FieldKind::Memo)) {
        const int type = statement_->columnType(column);
        if (type == SQLITE_NULL) return {};
        if (type == SQLITE_TEXT) return statement_->columnText(column);
    }
    std::string& held = scratch_[size_t(column)];
    held = asString(column);
    return held;
}

}  // namespace morvanta::store
