#include "store/change_review.h"

#include <sqlite3.h>

#include <tuple>

#include "store/database.h"
#include "store/date_time.h"
#include "store/engine_error.h"
#include "store/schema.h"
#include "store/statement_guard.h"
#include "store/vocabulary.h"
#include "text/fast_strings.h"
#include "text/quoted.h"

namespace morvanta::store {

namespace {

constexpr std::string_view kBefore = "temp.MorvantaBefore";

// v."F" IS NOT b."F" OR … over the sixteen fields: the word holds other values.
std::string ChangedCondition() {
    std::string condition;
    for (const FieldDef& field : VocabularyFields()) {
        if (!condition.empty()) condition += " OR ";
        const std::string name = "\"" + std::string(field.name) + "\"";
        condition += "v." + name + " IS NOT b." + name;
    }
    return condition;
}

// Why a value does not fit its field, or empty when it does.
std::string Misfit(const Statement& row, int column, const FieldDef& field) {
    const int type = row.columnType(column);
    if (type == SQLITE_NULL) return {};
    const std::string shown = type == SQLITE_BLOB ? std::string("Binärdaten")
                                                  : text::Quoted(row.columnText(column));
    switch (field.kind) {
        case FieldKind::Integer:
            if (type == SQLITE_INTEGER) return {};
            return "kann nur ganze Zahlen aufnehmen, nicht " + shown;
        case FieldKind::DateTime:
            if (type == SQLITE_TEXT && DateTime::fromStorage(row.columnText(column))) return {};
            return "kann nur ein Datum aufnehmen (in der Anweisung als \"TT.MM.JJJJ\"), nicht " + shown;
        case FieldKind::Logical:
            if (type == SQLITE_INTEGER && (row.columnInt(column) == 0 || row.columnInt(column) == 1)) return {};
            return "kann nur True oder False sein, nicht " + shown;
        case FieldKind::Text:
        case FieldKind::Memo:
            if (type == SQLITE_TEXT) return {};
            if (type == SQLITE_BLOB) return "kann nur Text aufnehmen, keine Binärdaten";
            return {};  // a number in a text field reads as its digits
    }
    return {};
}

bool Blank(std::string_view text) { return text::TrimBlanks(text, " \t\r\n").empty(); }

}  // namespace

ChangeReview::ChangeReview(Database& db) : db_(db) {
    std::string columns;
    for (const FieldDef& field : VocabularyFields()) columns += ", \"" + std::string(field.name) + "\"";
    db_.exec("DROP TABLE IF EXISTS " + std::string(kBefore) + ";" +
             "CREATE TABLE " + std::string(kBefore) + " (WordId INTEGER PRIMARY KEY" + columns + ");" +
             "INSERT INTO " + std::string(kBefore) + " SELECT rowid, " + std::string(FieldListSql()) +
             " FROM main.Vokabel;");
}

ChangeReview::~ChangeReview() {
    // Part of the statement's transaction: a rollback takes the copy back as well.
    const std::string drop = "DROP TABLE IF EXISTS " + std::string(kBefore);
    sqlite3_exec(db_.handle(), drop.c_str(), nullptr, nullptr, nullptr);
}

ChangeCounts ChangeReview::counts() const {
    const std::string before(kBefore);
    Statement count = db_.prepare(
        "SELECT (SELECT count(*) FROM main.Vokabel v JOIN " + before + " b ON b.WordId = v.rowid WHERE " +
        ChangedCondition() + "), (SELECT count(*) FROM main.Vokabel v WHERE NOT EXISTS (SELECT 1 FROM " +
        before + " b WHERE b.WordId = v.rowid)), (SELECT count(*) FROM " + before +
        " b WHERE NOT EXISTS (SELECT 1 FROM main.Vokabel v WHERE v.rowid = b.WordId))");
    count.step();
    return {static_cast<int>(count.columnInt(0)), static_cast<int>(count.columnInt(1)),
            static_cast<int>(count.columnInt(2))};
}

void ChangeReview::requireSoundValues() const {
    const auto& fields = VocabularyFields();
    std::string select = "SELECT b.WordId IS NULL, b.Hepburn, b.Translation1";
    for (const FieldDef& field : fields) select += ", v.\"" + std::string(field.name) + "\"";
    // Whether each field was written: a value that was there before stays as it was.
    for (const FieldDef& field : fields) {
        const std::string name = "\"" + std::string(field.name) + "\"";
        select += ", b.WordId IS NULL OR v." + name + " IS NOT b." + name;
    }
    Statement rows = db_.prepare(select + " FROM main.Vokabel v LEFT JOIN " + std::string(kBefore) +
                                 " b ON b.WordId = v.rowid WHERE b.WordId IS NULL OR " + ChangedCondition());
    constexpr int kFirstField = 3;
    const int hepburn = kFirstField + FieldIndex("Hepburn");
    const int translation1 = kFirstField + FieldIndex("Translation1");
    std::string first;
    int faulty = 0;
    while (rows.step()) {
        std::string why;
        const int firstWritten = kFirstField + static_cast<int>(fields.size());
        for (size_t i = 0; i < fields.size() && why.empty(); ++i) {
            if (rows.columnInt(firstWritten + static_cast<int>(i)) == 0) continue;
            const std::string misfit = Misfit(rows, kFirstField + static_cast<int>(i), fields[i]);
            if (!misfit.empty()) why = "Das Feld " + std::string(fields[i].name) + " " + misfit + ".";
        }
        const bool isNew = rows.columnInt(0) != 0;
        // A word that had no Hepburn or first translation before may keep it so.
        for (const auto& [column, before, name] :
             {std::tuple{hepburn, 1, "Hepburn"}, std::tuple{translation1, 2, "Translation1"}}) {
            if (why.empty() && Blank(rows.columnText(column)) && (isNew || !Blank(rows.columnText(before))))
                why = std::string("Das Feld ") + name + " darf nicht leer sein: an ihm erkennt das "
                      "Programm die Vokabel.";
        }
        if (why.empty()) continue;
        if (++faulty == 1) first = why;
    }
    if (faulty == 0) return;
    throw Refusal(first + (faulty > 1 ? " (" + std::to_string(faulty) + " Vokabeln sind betroffen.)" : ""));
}

}  // namespace morvanta::store
