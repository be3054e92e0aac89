// Changes through a data set: edit, post, cancel, delete, insert.
#include <algorithm>

#include "store/data_set.h"
#include "store/database.h"
#include "store/field_value.h"
#include "store/key_order.h"
#include "store/schema.h"

namespace morvanta::store {

namespace {

const std::string& InsertSql() {
    static const std::string sql = "INSERT INTO Vokabel (" + std::string(FieldListSql()) +
                                   ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                                   "?13, ?14, ?15, ?16)";
    return sql;
}

const std::string& UpdateSql() {
    static const std::string sql =
        "UPDATE Vokabel SET Translation1=?1, Translation2=?2, Translation3=?3, Hepburn=?4, "
        "Kanji=?5, \"Hira-Kata\"=?6, Accent=?7, Note=?8, DateEntered=?9, DateAsked=?10, "
        "NumberAsked=?11, NumberWrong=?12, Marked=?13, Type=?14, CardPrinted=?15, Lesson=?16 "
        "WHERE rowid=?17";
    return sql;
}

EngineError ReadOnly() {
    return EngineError(
        "Diese Datenmenge kann nur gelesen werden: Ändern lassen sich nur die "
        "Vokabeln einer einfachen Auswahl (SELECT * FROM Vokabel ...).");
}

}  // namespace

void DataSet::requireEditing() const {
    requireActive();
    if (!live_) throw ReadOnly();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert)
        throw EngineError("Die Datenmenge wird gerade weder bearbeitet noch ergänzt.");
}

void DataSet::edit() {
    requireActive();
    if (!live_) throw ReadOnly();
    if (state_ == DataSetState::Edit || state_ == DataSetState::Insert) return;
    if (currentRowId() < 0) throw EngineError("Es gibt keinen Datensatz zum Bearbeiten.");
    loadCurrent();
    buffer_ = cache_;
    state_ = DataSetState::Edit;
    notify(DataEvent::StateChanged);
    if (afterEdit) afterEdit(*this);
}

void DataSet::setValue(std::string_view field, const Value& value) {
    requireEditing();
    int index = fieldIndexOf(field);
    buffer_[static_cast<size_t>(index)] = NormalizeFieldValue(kindOf(index), value);
    notify(DataEvent::FieldChanged);
}

void DataSet::setAsString(std::string_view field, const std::string& text) {
    requireEditing();
    int index = fieldIndexOf(field);
    buffer_[static_cast<size_t>(index)] = ParseFieldText(kindOf(index), text);
    notify(DataEvent::FieldChanged);
}

std::int64_t DataSet::writeBuffer(const AlongsideWrite& alongside) {
    const auto& fields = VocabularyFields();
    bool insert = state_ == DataSetState::Insert;
    // The word and its place in the key order are stored together.
    Transaction transaction(*db_);
    Statement& statement = db_->cached(insert ? InsertSql() : UpdateSql());
    for (size_t i = 0; i < fields.size(); ++i)
        BindValue(statement, static_cast<int>(i + 1), buffer_[i], fields[i].kind);
    if (!insert) statement.bindInt(17, currentRowId());
    statement.run();
    statement.reset();
    if (!insert && db_->changes() == 0)
        throw EngineError(
            "Der Datensatz wurde inzwischen gelöscht: Die Änderung wurde nicht gespeichert.");
    const std::int64_t rowId = insert ? db_->lastInsertRowId() : currentRowId();
    StoreSortKey(*db_, rowId);
    if (alongside) alongside(*db_, rowId);
    transaction.commit();
    db_->bumpGeneration();
    return rowId;
}

void DataSet::leaveEditing(DataSetState next) {
    state_ = next;
    inserting_ = false;
    buffer_.clear();
    notify(DataEvent::StateChanged);
}

void DataSet::post() { post(AlongsideWrite()); }

void DataSet::post(const AlongsideWrite& alongside) {
    requireActive();
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    bool insert = state_ == DataSetState::Insert;
    const std::int64_t rowId = writeBuffer(alongside);  // on failure the state and the buffer stay as they are
    leaveEditing(DataSetState::Browse);
    reloadRowsAfterChange(insert ? Change::Inserted : Change::Posted, rowId);
    cachedRow_ = -1;
    notify(DataEvent::DataChanged);
}

void DataSet::writeAlongside(const AlongsideWrite& write) {
    requireActive();
    if (!live_) throw ReadOnly();
    const std::int64_t rowId = currentRowId();
    Statement& exists = db_->cached("SELECT 1 FROM Vokabel WHERE rowid=?1");
    exists.bindInt(1, rowId);
    const bool found = rowId >= 0 && exists.step();
    exists.reset();
    if (!found) throw EngineError("Die Vokabel gibt es nicht mehr; die Antwort wurde nicht gespeichert.");
    Transaction transaction(*db_);
    write(*db_, rowId);
    transaction.commit();
    db_->flush();
}

void DataSet::cancel() {
    if (state_ != DataSetState::Edit && state_ != DataSetState::Insert) return;
    bool insert = state_ == DataSetState::Insert;
    leaveEditing(DataSetState::Browse);
    if (insert) moveTo(std::min(beforeInsert_, recordCount() - 1));
}

void DataSet::deleteRecord() {
    requireActive();
    if (!live_) throw ReadOnly();
    if (state_ == DataSetState::Insert) return cancel();
    if (state_ == DataSetState::Edit) cancel();
    std::int64_t rowId = currentRowId();
    if (rowId < 0) throw EngineError("Es gibt keinen Datensatz zum Löschen.");
    db_->requireWritable();
    Statement& remove = db_->cached("DELETE FROM Vokabel WHERE rowid=?1");
    remove.bindInt(1, rowId);
    remove.run();
    remove.reset();
    db_->bumpGeneration();
    reloadRowsAfterChange(Change::Deleted, rowId);
    cachedRow_ = -1;
    notify(DataEvent::DataChanged);
    if (afterDelete) afterDelete(*this);
}

void DataSet::insertRecord(const Record& values) {
    requireActive();
    if (!live_) throw ReadOnly();
    const auto& fields = VocabularyFields();
    if (values.size() != fields.size())
        throw EngineError("Ein Datensatz hat " + std::to_string(fields.size()) + " Werte, nicht " +
                          std::to_string(values.size()) + ".");
    checkBrowseMode();
    beforeInsert_ = current_;
    state_ = DataSetState::Insert;
    inserting_ = true;
    buffer_.assign(fields.size(), std::monostate{});
    notify(DataEvent::StateChanged);
    try {
        // Insert state first: the handler sees the count without the new record.
        if (afterInsert) afterInsert(*this);
        for (size_t i = 0; i < fields.size(); ++i)
            buffer_[i] = NormalizeFieldValue(fields[i].kind, values[i]);
        post();
    } catch (...) {
        cancel();
        throw;
    }
}

void DataSet::reloadRowsAfterChange(Change change, std::int64_t rowId) {
    // A query keeps its record numbers: a posted record stays where it is even
    // when it no longer matches the condition.
    if (change == Change::Inserted) {
        rows_.push_back(rowId);
        current_ = static_cast<int>(rows_.size()) - 1;
        bof_ = false;
        eof_ = false;
    } else if (change == Change::Deleted) {
        auto it = std::find(rows_.begin(), rows_.end(), rowId);
        if (it != rows_.end()) rows_.erase(it);
        current_ = std::min(current_, static_cast<int>(rows_.size()) - 1);
        eof_ = rows_.empty();
        bof_ = rows_.empty();
    }
}

void DataSet::flushBuffers() {
    requireActive();
    database()->flush();
}

void DataSet::saveToDisk() {
    requireActive();
    database()->flush();
}

}  // namespace morvanta::store
