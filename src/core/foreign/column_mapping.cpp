#include "core/foreign/column_mapping.h"

#include <QString>
#include <algorithm>
#include <array>
#include <map>

#include "core/foreign/script_kind.h"
#include "text/romaji_kana.h"

namespace morvanta::foreign {

namespace {

// Column names that say what a column holds, in lower case, matched as parts of
// the name. Hepburn and romaji columns are left out: the program makes the
// Hepburn from the kana.
struct NameRule {
    std::string_view part;
    Field field;
};
constexpr std::array<NameRule, 31> kNameRules{{
    {"kommentar", Field::Note},    {"comment", Field::Note},
    {"hepburn", Field::None},      {"romaji", Field::None},       {"rōmaji", Field::None},
    {"notiztyp", Field::None},     {"tags", Field::None},         {"guid", Field::None},
    {"kana", Field::Kana},         {"lesung", Field::Kana},       {"reading", Field::Kana},
    {"furigana", Field::Kana},     {"yomi", Field::Kana},         {"aussprache", Field::Kana},
    {"kanji", Field::Kanji},       {"japanisch", Field::Kanji},   {"japanese", Field::Kanji},
    {"expression", Field::Kanji},  {"übersetzung", Field::Translation1},
    {"translation", Field::Translation1}, {"deutsch", Field::Translation1},
    {"german", Field::Translation1}, {"bedeutung", Field::Translation1},
    {"meaning", Field::Translation1}, {"lektion", Field::Lesson}, {"lesson", Field::Lesson},
    {"deck", Field::Lesson},       {"stapel", Field::Lesson},     {"typ", Field::Type},
    {"wortart", Field::Type},      {"bemerkung", Field::Note},
}};

std::optional<Field> FieldOfName(const std::string& name) {
    const std::string lower = QString::fromStdString(name).toLower().toStdString();
    for (const NameRule& rule : kNameRules)
        if (lower.find(rule.part) != std::string::npos) return rule.field;
    for (std::string_view part : {"note", "notiz", "beschreibung"})
        if (lower.find(part) != std::string::npos) return Field::Note;
    if (lower == "type" || lower == "word type") return Field::Type;
    return std::nullopt;
}

// What most of the first rows' non-empty cells of a column are.
ScriptKind ColumnKind(const SourceSheet& sheet, std::size_t column) {
    std::map<ScriptKind, int> kinds;
    const std::size_t rows = std::min<std::size_t>(sheet.rows.size(), 200);
    for (std::size_t r = 0; r < rows; ++r) {
        const ScriptKind kind = ScriptOf(sheet.rows[r][column]);
        if (kind != ScriptKind::Empty) ++kinds[kind];
    }
    // Kanji words and kana words mix in a word column; any kanji makes it one.
    if (kinds[ScriptKind::Kanji] > 0 && kinds[ScriptKind::Kanji] + kinds[ScriptKind::Kana] >=
                                           kinds[ScriptKind::Latin] + kinds[ScriptKind::Other])
        return ScriptKind::Kanji;
    ScriptKind best = ScriptKind::Empty;
    int most = 0;
    for (const auto& [kind, count] : kinds)
        if (count > most) best = kind, most = count;
    return best;
}

constexpr std::size_t kLongestReading = 60;

// Romaji readings: nearly every non-empty cell of the first rows becomes kana whole.
bool HoldsRomaji(const SourceSheet& sheet, std::size_t column) {
    const std::size_t rows = std::min<std::size_t>(sheet.rows.size(), 200);
    int cells = 0, romaji = 0;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::string& cell = sheet.rows[r][column];
        if (cell.empty()) continue;
        ++cells;
        // A reading is a word or two; a long text is none (and is not converted).
        if (cell.size() <= kLongestReading && ScriptOf(text::RomajiToKana(cell, true).kana) == ScriptKind::Kana)
            ++romaji;
    }
    return cells > 0 && romaji * 10 >= cells * 9;
}

bool IsTranslation(Field field) {
    return field == Field::Translation1 || field == Field::Translation2 ||
           field == Field::Translation3;
}

// The next translation field not yet taken.
std::optional<Field> FreeTranslation(const ColumnMapping& mapping) {
    for (Field field : {Field::Translation1, Field::Translation2, Field::Translation3})
        if (!ColumnOf(mapping, field)) return field;
    return std::nullopt;
}

bool AllDigits(const SourceSheet& sheet, std::size_t column) {
    const std::size_t rows = std::min<std::size_t>(sheet.rows.size(), 200);
    bool any = false;
    for (std::size_t r = 0; r < rows; ++r) {
        const std::string& cell = sheet.rows[r][column];
        if (cell.empty()) continue;
        if (cell.find_first_not_of("0123456789") != std::string::npos) return false;
        any = true;
    }
    return any;
}

}  // namespace

std::string FieldLabel(Field field) {
    switch (field) {
    case Field::None: return "nicht übernehmen";
    case Field::Kanji: return "Kanji";
    case Field::Kana: return "Kana";
    case Field::Translation1: return "Übersetzung 1";
    case Field::Translation2: return "Übersetzung 2";
    case Field::Translation3: return "Übersetzung 3";
    case Field::Lesson: return "Lektion";
    case Field::Type: return "Typ";
    case Field::Note: return "Bemerkung";
    }
    return {};
}

std::optional<Field> FieldOfOption(const std::string& option) {
    static const std::map<std::string, Field> kOptions{
        {"kanji", Field::Kanji},   {"kana", Field::Kana}, {"translation", Field::Translation1},
        {"lesson", Field::Lesson}, {"type", Field::Type}, {"note", Field::Note}};
    const auto found = kOptions.find(option);
    if (found == kOptions.end()) return std::nullopt;
    return found->second;
}

std::optional<std::size_t> ColumnOf(const ColumnMapping& mapping, Field field) {
    const auto found = std::find(mapping.begin(), mapping.end(), field);
    if (found == mapping.end()) return std::nullopt;
    return static_cast<std::size_t>(found - mapping.begin());
}

ColumnMapping WithField(ColumnMapping mapping, std::size_t column, Field field) {
    if (field != Field::None)
        std::replace(mapping.begin(), mapping.end(), field, Field::None);
    if (column < mapping.size()) mapping[column] = field;
    return mapping;
}

ColumnMapping GuessMapping(const SourceSheet& sheet) {
    const std::size_t width = sheet.columns.size();
    ColumnMapping mapping(width, Field::None);
    std::vector<bool> decided(width, false);

    // Names first; a second "Deutsch" column becomes the next translation.
    for (std::size_t column = 0; column < width; ++column) {
        std::optional<Field> field = FieldOfName(sheet.columns[column]);
        if (!field) continue;
        decided[column] = true;
        if (IsTranslation(*field)) field = FreeTranslation(mapping);
        // A deck only gives the lesson where no column names one.
        if (field && !ColumnOf(mapping, *field)) mapping[column] = *field;
    }
    if (const auto lesson = ColumnOf(mapping, Field::Lesson);
        lesson && sheet.columns[*lesson] == "Deck")
        for (std::size_t column = *lesson + 1; column < width; ++column)
            if (FieldOfName(sheet.columns[column]) == Field::Lesson) {
                mapping[*lesson] = Field::None;
                mapping[column] = Field::Lesson;
                break;
            }

    // Then the content of the columns the names left open, left to right.
    bool kanaInFile = ColumnOf(mapping, Field::Kana).has_value();
    for (std::size_t column = 0; column < width && !kanaInFile; ++column)
        kanaInFile = !decided[column] && ColumnKind(sheet, column) == ScriptKind::Kana;
    for (std::size_t column = 0; column < width; ++column) {
        if (decided[column]) continue;
        std::optional<Field> field;
        switch (ColumnKind(sheet, column)) {
        case ScriptKind::Kanji: field = Field::Kanji; break;
        case ScriptKind::Kana:
            // A second kana column holds the words written in kana.
            field = ColumnOf(mapping, Field::Kana) ? Field::Kanji : Field::Kana;
            break;
        case ScriptKind::Latin:
            // Without kana in the file, a column of romaji is the reading.
            field = !kanaInFile && !ColumnOf(mapping, Field::Kana) && HoldsRomaji(sheet, column)
                        ? Field::Kana
                        : FreeTranslation(mapping);
            break;
        case ScriptKind::Other:
            if (AllDigits(sheet, column)) field = Field::Lesson;
            break;
        case ScriptKind::Empty: break;
        }
        if (field && !ColumnOf(mapping, *field)) mapping[column] = *field;
    }
    return mapping;
}

}  // namespace morvanta::foreign
