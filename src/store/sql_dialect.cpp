#include "store/sql_dialect.h"
#include "store/text_fold.h"

#include <optional>
#include <vector>

#include "store/date_time.h"
#include "store/engine_error.h"
#include "store/vocabulary.h"
#include "text/fast_strings.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace {

enum class Tok { Space, Comment, Ident, QuotedIdent, String, Number, Op, Semicolon };

struct Token {
    Tok kind;
    std::string text;  // output text (for String/QuotedIdent: the raw content in `value`)
    std::string value;
};

bool IsIdentStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool IsIdentChar(unsigned char c) { return IsIdentStart(c) || (c >= '0' && c <= '9') || c == '$'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string SingleQuoted(std::string_view s) { return SqlQuoted(s, '\''); }
std::string DoubleQuoted(std::string_view s) { return SqlQuoted(s, '"'); }

// Reads a quoted run starting at pos (the opening quote); doubled quotes stand for one.
std::string ReadQuoted(std::string_view s, size_t& pos, char close) {
    std::string value;
    size_t start = pos++;
    for (;;) {
        if (pos >= s.size())
            throw EngineError(
                "In der SQL-Anweisung fehlt das schließende Anführungszeichen "
                "zum Text ab Stelle " +
                std::to_string(start + 1) + ".");
        char c = s[pos++];
        if (c == close) {
            if (pos < s.size() && s[pos] == close && close != ']') {
                value += c;
                ++pos;
                continue;
            }
            return value;
        }
        value += c;
    }
}

std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> tokens;
    size_t pos = 0;
    while (pos < s.size()) {
        size_t start = pos;
        unsigned char c = static_cast<unsigned char>(s[pos]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            while (pos < s.size() && std::string_view(" \t\r\n\f\v").find(s[pos]) != std::string_view::npos)
                ++pos;
            tokens.push_back({Tok::Space, std::string(s.substr(start, pos - start)), {}});
        } else if (s.substr(pos, 2) == "--") {
            while (pos < s.size() && s[pos] != '\n') ++pos;
            tokens.push_back({Tok::Comment, std::string(s.substr(start, pos - start)), {}});
        } else if (s.substr(pos, 2) == "/*") {
            size_t end = s.find("*/", pos + 2);
            pos = end == std::string_view::npos ? s.size() : end + 2;
            tokens.push_back({Tok::Comment, std::string(s.substr(start, pos - start)), {}});
        } else if (c == '\'') {
            std::string value = ReadQuoted(s, pos, '\'');
            tokens.push_back({Tok::String, SingleQuoted(value), value});
        } else if (c == '"') {
            std::string value = ReadQuoted(s, pos, '"');
            tokens.push_back({Tok::QuotedIdent, DoubleQuoted(value), value});
        } else if (c == '[' || c == '`') {
            std::string value = ReadQuoted(s, pos, c == '[' ? ']' : '`');
            tokens.push_back({Tok::QuotedIdent, DoubleQuoted(value), value});
        } else if (IsDigit(static_cast<char>(c)) || (c == '.' && pos + 1 < s.size() && IsDigit(s[pos + 1]))) {
            while (pos < s.size() && (IsDigit(s[pos]) || s[pos] == '.')) ++pos;
            if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
                size_t e = pos + 1;
                if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
                if (e < s.size() && IsDigit(s[e])) {
                    pos = e;
                    while (pos < s.size() && IsDigit(s[pos])) ++pos;
                }
            }
            tokens.push_back({Tok::Number, std::string(s.substr(start, pos - start)), {}});
        } else if (IsIdentStart(c)) {
            while (pos < s.size() && IsIdentChar(static_cast<unsigned char>(s[pos]))) ++pos;
            std::string word(s.substr(start, pos - start));
            tokens.push_back({Tok::Ident, word, word});
        } else if (c == ';') {
            ++pos;
            tokens.push_back({Tok::Semicolon, ";", {}});
        } else {
            static constexpr std::string_view kTwo[] = {"<=", ">=", "<>", "!=", "==", "||", "<<", ">>"};
            size_t len = 1;
            for (auto two : kTwo)
                if (s.substr(pos, 2) == two) len = 2;
            pos += len;
            tokens.push_back({Tok::Op, std::string(s.substr(start, len)), {}});
        }
    }
    return tokens;
}

bool Significant(const Token& t) { return t.kind != Tok::Space && t.kind != Tok::Comment; }

bool IsWord(const Token& t, std::string_view word) {
    return t.kind == Tok::Ident && SameAsciiName(t.value, word);
}

bool IsName(const Token& t, std::string_view name) {
    return (t.kind == Tok::Ident || t.kind == Tok::QuotedIdent) && SameAsciiName(t.value, name);
}

bool IsDateField(const Token& t) { return IsName(t, "DateEntered") || IsName(t, "DateAsked"); }

bool IsComparison(const Token& t) {
    if (t.kind != Tok::Op) return false;
    for (std::string_view op : {"=", "==", "<", ">", "<=", ">=", "<>", "!="})
        if (t.text == op) return true;
    return false;
}

std::string DateLiteral(const std::string& value) {
    if (auto date = DateTime::fromGermanText(value)) return SingleQuoted(date->toStorage());
    if (DateTime::fromStorage(value)) return SingleQuoted(value);
    throw EngineError(text::Quoted(value) + " ist kein gültiges Datum.");
}

// Double-quoted tokens: field names stay names, the table after FROM/JOIN too,
// everything else is a text literal. True/False become 1/0.
void ClassifyWords(std::vector<Token>& tokens) {
    const Token* previous = nullptr;
    for (size_t i = 0; i < tokens.size(); ++i) {
        Token& t = tokens[i];
        if (!Significant(t)) continue;
        bool afterFrom = previous != nullptr && (IsWord(*previous, "FROM") || IsWord(*previous, "JOIN"));
        if (t.kind == Tok::QuotedIdent && t.text.front() == '"') {
            std::string name = t.value;
            if (afterFrom && name.size() > 3 && SameAsciiName(name.substr(name.size() - 3), ".db"))
                name.resize(name.size() - 3);
            if (FieldIndex(name) >= 0 || afterFrom) {
                t.value = name;
                t.text = DoubleQuoted(name);
            } else {
                t.kind = Tok::String;
                t.text = SingleQuoted(t.value);
            }
        } else if (t.kind == Tok::Op && t.text == "/") {
            // Division gives its fractional result, as the statements expect
            // ("NumberWrong / NumberAsked > 0.5"); SQLite would divide integers.
            t.text = "* 1.0 /";
        } else if (t.kind == Tok::Ident && (SameAsciiName(t.value, "True") || SameAsciiName(t.value, "False"))) {
            t.text.assign(1, SameAsciiName(t.value, "True") ? '1' : '0');
            t.kind = Tok::Number;
        } else if (afterFrom && t.kind == Tok::Ident && i + 2 < tokens.size() &&
                   tokens[i + 1].text == "." && IsWord(tokens[i + 2], "DB")) {
            tokens[i + 1].kind = tokens[i + 2].kind = Tok::Space;  // Vokabel.DB is the table
            tokens[i + 1].text.clear();
            tokens[i + 2].text.clear();
        } else if (IsWord(t, "Hira") && i + 2 < tokens.size() && tokens[i + 1].text == "-" &&
                   IsWord(tokens[i + 2], "Kata")) {
            t.kind = Tok::QuotedIdent;
            t.value = "Hira-Kata";
            t.text = "\"Hira-Kata\"";
            tokens[i + 1].kind = tokens[i + 2].kind = Tok::Space;
            tokens[i + 1].text.clear();
            tokens[i + 2].text.clear();
        }
        previous = &t;
    }
}

// A text compared with DateEntered or DateAsked is read as a date.
void ConvertDates(std::vector<Token>& tokens) {
    std::vector<Token*> sig;
    for (Token& t : tokens)
        if (Significant(t)) sig.push_back(&t);
    const size_t n = sig.size();
    for (size_t k = 0; k < n; ++k) {
        if (sig[k]->kind != Tok::String) continue;
        bool date = (k >= 2 && IsComparison(*sig[k - 1]) && IsDateField(*sig[k - 2])) ||
                    (k + 2 < n && IsComparison(*sig[k + 1]) && IsDateField(*sig[k + 2])) ||
                    (k >= 2 && IsWord(*sig[k - 1], "BETWEEN") && IsDateField(*sig[k - 2])) ||
                    (k >= 4 && IsWord(*sig[k - 1], "AND") && IsWord(*sig[k - 3], "BETWEEN") &&
                     IsDateField(*sig[k - 4]));
        if (date) sig[k]->text = DateLiteral(sig[k]->value);
    }
}

void StripClosingSemicolons(std::vector<Token>& tokens) {
    size_t keep = tokens.size();
    for (size_t i = tokens.size(); i-- > 0;) {
        if (tokens[i].kind == Tok::Semicolon) keep = i;
        else if (Significant(tokens[i])) break;
    }
    tokens.resize(keep);
}

std::string Join(const std::vector<Token>& tokens, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to; ++i) out += tokens[i].text;
    return out;
}

// Looks at the top level of a translated statement for the selections the
// data sets handle specially.
void Analyse(const std::vector<Token>& tokens, TranslatedSql& out) {
    std::vector<size_t> sig;  // indices of significant tokens
    std::vector<int> depth;
    int level = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (!Significant(tokens[i])) continue;
        if (tokens[i].text == ")") --level;
        sig.push_back(i);
        depth.push_back(level);
        if (tokens[i].text == "(") ++level;
    }
    if (sig.size() < 4 || !IsWord(tokens[sig[0]], "SELECT")) return;
    // The top-level FROM and what follows the table name.
    size_t from = 0;
    for (size_t k = 1; k < sig.size(); ++k)
        if (depth[k] == 0 && IsWord(tokens[sig[k]], "FROM")) {
            from = k;
            break;
        }
    if (from == 0 || from + 1 >= sig.size() || !IsName(tokens[sig[from + 1]], "Vokabel")) return;
    size_t k = from + 2;
    std::string alias;
    if (k < sig.size() && depth[k] == 0 && IsWord(tokens[sig[k]], "AS")) ++k;
    if (k < sig.size() && depth[k] == 0 && tokens[sig[k]].kind == Tok::Ident &&
        !IsWord(tokens[sig[k]], "WHERE") && !IsWord(tokens[sig[k]], "ORDER") &&
        !IsWord(tokens[sig[k]], "GROUP") && !IsWord(tokens[sig[k]], "LIMIT") &&
        !IsWord(tokens[sig[k]], "UNION") && !IsWord(tokens[sig[k]], "EXCEPT") &&
        !IsWord(tokens[sig[k]], "INTERSECT") && !IsWord(tokens[sig[k]], "WINDOW") &&
        !IsWord(tokens[sig[k]], "HAVING")) {
        alias = tokens[sig[k]].value;
        ++k;
    } else if (k != from + 2) {
        return;  // AS without a name
    }
    size_t whereBegin = 0, whereEnd = 0, orderBegin = 0;
    if (k < sig.size() && IsWord(tokens[sig[k]], "WHERE")) {
        whereBegin = sig[k] + 1;
        ++k;
        while (k < sig.size() && !(depth[k] == 0 && IsWord(tokens[sig[k]], "ORDER"))) {
            const Token& t = tokens[sig[k]];
            if (depth[k] == 0 && (IsWord(t, "GROUP") || IsWord(t, "HAVING") || IsWord(t, "LIMIT") ||
                                  IsWord(t, "UNION") || IsWord(t, "EXCEPT") ||
                                  IsWord(t, "INTERSECT") || IsWord(t, "WINDOW") ||
                                  t.kind == Tok::Semicolon))
                return;
            ++k;
        }
        whereEnd = k < sig.size() ? sig[k] : tokens.size();
        if (whereEnd == whereBegin) return;
    }
    if (k < sig.size()) {
        if (!IsWord(tokens[sig[k]], "ORDER") || k + 1 >= sig.size() || !IsWord(tokens[sig[k + 1]], "BY"))
            return;
        orderBegin = sig[k + 1] + 1;
        for (size_t m = k + 2; m < sig.size(); ++m) {
            const Token& t = tokens[sig[m]];
            if (depth[m] == 0 && (IsWord(t, "LIMIT") || IsWord(t, "UNION") || IsWord(t, "EXCEPT") ||
                                  IsWord(t, "INTERSECT") || t.kind == Tok::Semicolon))
                return;
        }
    } else {
        out.singleTableSelect = true;
        out.alias = alias;
    }
    // "*" or "alias.*" alone between SELECT and FROM.
    const bool star = (from == 2 && tokens[sig[1]].text == "*") ||
                      (from == 4 && !alias.empty() && IsName(tokens[sig[1]], alias) &&
                       tokens[sig[2]].text == "." && tokens[sig[3]].text == "*");
    if (!star) return;
    out.plainSelect = true;
    out.alias = alias;
    constexpr std::string_view kBlanks = " \t\r\n";
    if (whereBegin != 0)
        out.where = std::string(text::TrimBlanks(Join(tokens, whereBegin, whereEnd), kBlanks));
    if (orderBegin != 0)
        out.orderBy =
            std::string(text::TrimBlanks(Join(tokens, orderBegin, tokens.size()), kBlanks));
    if (orderBegin != 0 && out.orderBy.empty()) out.plainSelect = false;
}

}  // namespace

std::string SqlQuoted(std::string_view text, char quote) {
    std::string out(1, quote);
    for (char c : text) {
        out += c;
        if (c == quote) out += quote;
    }
    out += quote;
    return out;
}

TranslatedSql TranslateSql(std::string_view text) {
    std::vector<Token> tokens = Tokenize(text);
    ClassifyWords(tokens);
    ConvertDates(tokens);
    StripClosingSemicolons(tokens);
    TranslatedSql out;
    out.sql = Join(tokens, 0, tokens.size());
    Analyse(tokens, out);
    return out;
}

}  // namespace morvanta::store
