#include "store/field_value.h"
#include "store/text_fold.h"

#include <sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstdio>

#include "store/engine_error.h"
#include "text/fast_strings.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace {

std::string_view Trim(std::string_view s) { return text::TrimBlanks(s, " \t"); }

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> ParseLogical(std::string_view text) {
    text = Trim(text);
    if (SameAsciiName(text, "True") || text == "1") return true;
    if (SameAsciiName(text, "False") || text == "0") return false;
    return std::nullopt;
}

std::optional<DateTime> ParseDate(std::string_view text) {
    if (auto d = DateTime::fromGermanText(text)) return d;
    return DateTime::fromStorage(text);
}

std::string FormatDouble(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.') c = ',';  // German decimal comma
    return text;
}

// what: "keine gültige ganze Zahl" and the like.
[[noreturn]] void NotValid(std::string_view text, std::string_view what) {
    throw EngineError(text::Quoted(text) + " ist " + std::string(what) + ".");
}

constexpr char kNoInteger[] = "keine gültige ganze Zahl";
constexpr char kNoLogical[] = "kein gültiger Wahrheitswert (True oder False)";
constexpr char kNoDate[] = "kein gültiges Datum (TT.MM.JJJJ, auch mit Uhrzeit)";

}  // namespace

Value ParseFieldText(FieldKind kind, std::string_view text) {
    switch (kind) {
        case FieldKind::Text:
        case FieldKind::Memo:
            return std::string(text);
        case FieldKind::Integer:
            if (Trim(text).empty()) return std::monostate{};
            if (auto v = ParseInteger(text)) return *v;
            NotValid(text, kNoInteger);
        case FieldKind::Logical:
            if (Trim(text).empty()) return std::monostate{};
            if (auto v = ParseLogical(text)) return *v;
            NotValid(text, kNoLogical);
        case FieldKind::DateTime:
            if (Trim(text).empty()) return std::monostate{};
            if (auto v = ParseDate(text)) return *v;
            NotValid(text, kNoDate);
    }
    return std::monostate{};
}

Value NormalizeFieldValue(FieldKind kind, const Value& value) {
    if (std::holds_alternative<std::monostate>(value)) return value;
    if (auto text = std::get_if<std::string>(&value)) return ParseFieldText(kind, *text);
    switch (kind) {
        case FieldKind::Text:
        case FieldKind::Memo:
            return FormatValue(value, kind);
        case FieldKind::Integer:
            if (auto i = std::get_if<std::int64_t>(&value)) return *i;
            if (auto b = std::get_if<bool>(&value)) return std::int64_t{*b ? 1 : 0};
            if (auto d = std::get_if<double>(&value)) {
                if (std::isfinite(*d) && std::fabs(*d) < 9.2e18) return static_cast<std::int64_t>(std::llround(*d));
            }
            break;
        case FieldKind::Logical:
            if (auto b = std::get_if<bool>(&value)) return *b;
            if (auto i = std::get_if<std::int64_t>(&value)) return *i != 0;
            break;
        case FieldKind::DateTime:
            if (auto d = std::get_if<DateTime>(&value)) return *d;
            break;
    }
    NotValid(FormatValue(value, FieldKind::Text), kind == FieldKind::Integer   ? kNoInteger
                                                  : kind == FieldKind::Logical ? kNoLogical
                                                                               : kNoDate);
}

std::string FormatValue(const Value& value, FieldKind kind) {
    struct Visitor {
        FieldKind kind;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int64_t i) const {
            if (kind == FieldKind::Logical) return i != 0 ? "True" : "False";
            return std::to_string(i);
        }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(const DateTime& d) const { return d.toGermanText(); }
        std::string operator()(double d) const { return FormatDouble(d); }
    };
    return std::visit(Visitor{kind}, value);
}

std::int64_t ValueAsInteger(const Value& value, std::string_view field) {
    if (std::holds_alternative<std::monostate>(value))
        throw EngineError("Das Feld " + text::Quoted(field) + " hat keinen Wert.");
    if (auto i = std::get_if<std::int64_t>(&value)) return *i;
    if (auto b = std::get_if<bool>(&value)) return *b ? 1 : 0;
    if (auto d = std::get_if<double>(&value)) {
        if (std::isfinite(*d) && std::fabs(*d) < 9.2e18) return std::llround(*d);
    }
    if (auto s = std::get_if<std::string>(&value)) {
        if (auto v = ParseInteger(*s)) return *v;
    }
    NotValid(FormatValue(value, FieldKind::Text), kNoInteger);
}

bool ValueAsBoolean(const Value& value, std::string_view) {
    if (std::holds_alternative<std::monostate>(value)) return false;
    if (auto b = std::get_if<bool>(&value)) return *b;
    if (auto i = std::get_if<std::int64_t>(&value)) return *i != 0;
    if (auto s = std::get_if<std::string>(&value)) {
        if (auto v = ParseLogical(*s)) return *v;
    }
    NotValid(FormatValue(value, FieldKind::Text), kNoLogical);
}

DateTime ValueAsDateTime(const Value& value, std::string_view field) {
    if (std::holds_alternative<std::monostate>(value))
        throw EngineError("Das Feld " + text::Quoted(field) + " hat keinen Wert.");
    if (auto d = std::get_if<DateTime>(&value)) return *d;
    if (auto s = std::get_if<std::string>(&value)) {
        if (auto v = ParseDate(*s)) return *v;
    }
    NotValid(FormatValue(value, FieldKind::Text), kNoDate);
}

Value ReadColumn(const Statement& statement, int column, FieldKind kind) {
    switch (statement.columnType(column)) {
        case SQLITE_NULL:
            return std::monostate{};
        case SQLITE_INTEGER: {
            std::int64_t i = statement.columnInt(column);
            if (kind == FieldKind::Logical) return i != 0;
            return i;
        }
        case SQLITE_FLOAT:
            return statement.columnDouble(column);
        default: {
            std::string_view text = statement.columnText(column);
            if (kind == FieldKind::DateTime) {
                if (auto d = DateTime::fromStorage(text)) return *d;
            }
            return std::string(text);
        }
    }
}

void BindValue(Statement& statement, int index, const Value& value, FieldKind kind) {
    if (std::holds_alternative<std::monostate>(value)) {
        // Texts are never NULL in the table, so the uniqueness rule sees them.
        if (kind == FieldKind::Text || kind == FieldKind::Memo) statement.bindText(index, "");
        else statement.bindNull(index);
        return;
    }
    if (auto s = std::get_if<std::string>(&value)) return statement.bindText(index, *s);
    if (auto i = std::get_if<std::int64_t>(&value)) return statement.bindInt(index, *i);
    if (auto b = std::get_if<bool>(&value)) return statement.bindInt(index, *b ? 1 : 0);
    if (auto d = std::get_if<DateTime>(&value)) return statement.bindText(index, d->toStorage());
    if (auto f = std::get_if<double>(&value)) return statement.bindDouble(index, *f);
}

FieldKind ColumnKind(std::string_view columnName) {
    int index = FieldIndex(columnName);
    return index >= 0 ? VocabularyFields()[static_cast<size_t>(index)].kind : FieldKind::Text;
}

}  // namespace morvanta::store
