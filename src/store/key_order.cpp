#include "store/key_order.h"

#include <utility>
#include <vector>

#include "store/database.h"
#include "store/text_fold.h"

namespace morvanta::store {

std::string SortKeyOf(std::string_view translation1, std::string_view translation2,
                      std::string_view translation3, std::string_view hepburn) {
    std::string key;
    key.reserve(translation1.size() + translation2.size() + translation3.size() + hepburn.size() + 3);
    AppendKeyLetters(translation1, key);
    key += '\0';
    AppendKeyLetters(translation2, key);
    key += '\0';
    AppendKeyLetters(translation3, key);
    key += '\0';
    AppendKeyLetters(hepburn, key);
    return key;
}

namespace {

constexpr char kKeyFieldsOfWord[] =
    "SELECT Translation1, Translation2, Translation3, Hepburn FROM Vokabel WHERE rowid=?1";

void WriteKey(Database& db, std::int64_t rowId, const std::string& key) {
    Statement& update = db.cached("UPDATE VokabelOrder SET SortKey=?2 WHERE WordId=?1");
    update.bindInt(1, rowId);
    update.bindBlob(2, key);
    update.run();
    update.reset();
}

}  // namespace

void StoreSortKey(Database& db, std::int64_t rowId) {
    Statement& select = db.cached(kKeyFieldsOfWord);
    select.bindInt(1, rowId);
    if (!select.step()) {
        select.reset();
        return;
    }
    std::string key = SortKeyOf(select.columnText(0), select.columnText(1), select.columnText(2),
                                select.columnText(3));
    select.reset();
    WriteKey(db, rowId, key);
}

bool KeyOrderNeedsRepair(Database& db) {
    // One seek: empty keys come first in the key index.
    Statement probe = db.prepare("SELECT EXISTS (SELECT 1 FROM VokabelOrder WHERE SortKey IS NULL)");
    probe.step();
    return probe.columnInt(0) != 0;
}

void RepairKeyOrder(Database& db, bool full) {
    if (full) {
        Statement counts = db.prepare(
            "SELECT (SELECT count(*) FROM Vokabel), (SELECT count(*) FROM VokabelOrder)");
        counts.step();
        if (counts.columnInt(0) != counts.columnInt(1)) {
            db.exec("DELETE FROM VokabelOrder WHERE WordId NOT IN (SELECT rowid FROM Vokabel);"
                    "INSERT INTO VokabelOrder (WordId, SortKey, Marked) SELECT rowid, NULL, Marked "
                    "FROM Vokabel WHERE rowid NOT IN (SELECT WordId FROM VokabelOrder);");
        }
    }
    std::vector<std::pair<std::int64_t, std::string>> keys;
    {
        Statement& missing = db.cached(
            "SELECT o.WordId, v.Translation1, v.Translation2, v.Translation3, v.Hepburn "
            "FROM VokabelOrder o JOIN Vokabel v ON v.rowid = o.WordId WHERE o.SortKey IS NULL");
        while (missing.step())
            keys.emplace_back(missing.columnInt(0),
                              SortKeyOf(missing.columnText(1), missing.columnText(2),
                                        missing.columnText(3), missing.columnText(4)));
        missing.reset();
    }
    for (const auto& [row, key] : keys) WriteKey(db, row, key);
}

std::string KeyOrderJoin(std::string_view rowIdOfTable) {
    // A subquery has no rowid of its own, so "rowid" in the user's condition still
    // names the word's row.
    return "JOIN (SELECT WordId AS MorvantaWordId, SortKey AS MorvantaSortKey FROM VokabelOrder) "
           "AS MorvantaOrder ON MorvantaOrder.MorvantaWordId = " +
           std::string(rowIdOfTable);
}

std::string KeyOrderTerms(std::string_view table) {
    return "(SELECT SortKey FROM VokabelOrder WHERE WordId = " + std::string(table) + ".rowid), " +
           std::string(table) + ".rowid";
}

}  // namespace morvanta::store
