#pragma once
// Conversions of field values between their kinds, their text forms and SQLite.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/statement.h"
#include "store/vocabulary.h"

namespace morvanta::store {

// Brings a value into the form its field keeps (throws EngineError when it does not fit).
Value NormalizeFieldValue(FieldKind kind, const Value& value);
// Reads a text by the field's kind; an empty text clears a non-text field.
Value ParseFieldText(FieldKind kind, std::string_view text);
// Decimal integers, "True"/"False", German date and time, "" for no value.
std::string FormatValue(const Value& value, FieldKind kind);
std::int64_t ValueAsInteger(const Value& value, std::string_view field);
bool ValueAsBoolean(const Value& value, std::string_view field);
DateTime ValueAsDateTime(const Value& value, std::string_view field);

// Column `column` of the current row, read as a field of the given kind.
Value ReadColumn(const Statement& statement, int column, FieldKind kind);
// Binds a normalised value at parameter `index`.
void BindValue(Statement& statement, int index, const Value& value, FieldKind kind);

// The kind a result column has: the field's kind when it names one, else by its content.
FieldKind ColumnKind(std::string_view columnName);

}  // namespace morvanta::store
