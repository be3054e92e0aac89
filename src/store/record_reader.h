#pragma once
// The records of a data set in its order, read in one statement (and so under one
// read transaction) without moving the data set: the widgets bound to it go on
// showing what they show. For the bulk readers (lists, dumps, word-list files,
// printed sheets), which would otherwise step the data set record by record.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/vocabulary.h"

namespace morvanta::store {

class DataSet;
class Statement;

class RecordReader {
public:
    // A pending edit is posted first. `fields` are names the data set knows; the
    // columns below are their positions in it. Throws EngineError for an unknown field.
    RecordReader(DataSet& dataSet, const std::vector<std::string_view>& fields);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    int count() const { return count_; }
    // Moves to the next record (the first one on the first call); false at the end.
    bool next();
    // As DataSet::value and DataSet::asString give them for the current record; a
    // record deleted since the data set opened reads as empty, as it does there.
    Value value(int column) const;
    std::string asString(int column) const;
    // The text of a field as asString gives it; a stored text without a copy.
    // Valid until next().
    std::string_view text(int column) const;

private:
    DataSet& dataSet_;
    std::vector<int> fieldIndexes_;
    std::vector<FieldKind> kinds_;
    std::unique_ptr<Statement> statement_;  // a live data set's records
    int count_ = 0;
    int position_ = -1;
    bool heldInMemory_ = false;
    // Per column, so that the views of one record stay valid together.
    mutable std::vector<std::string> scratch_;
};

}  // namespace morvanta::store
