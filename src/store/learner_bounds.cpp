#include "store/learner_bounds.h"

#include <sqlite3.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace morvanta::store {

namespace {

std::string Megabytes(std::int64_t bytes) { return std::to_string(bytes / kMegabyte) + " MB"; }

std::int64_t PragmaNumber(sqlite3* db, const std::string& pragma) {
    sqlite3_stmt* statement = nullptr;
    std::int64_t value = -1;
    if (sqlite3_prepare_v2(db, pragma.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

// The table file's folder has room for the file to grow by the whole bound: a full
// file there was the bound, not the disk.
bool RoomForGrowth(sqlite3* db) {
    const char* file = sqlite3_db_filename(db, "main");
    if (file == nullptr || *file == 0) return false;
    const std::string folder = std::filesystem::path(file).parent_path().string();
    struct statvfs disk {};
    return ::statvfs(folder.c_str(), &disk) == 0 &&
           static_cast<std::int64_t>(disk.f_bavail) * static_cast<std::int64_t>(disk.f_frsize) > kGrowthBound;
}

constexpr std::string_view kNothingChanged = " Bitte die Abfrage einschränken; es wurde nichts verändert.";

}  // namespace

LearnerBounds::LearnerBounds(sqlite3* db)
    : db_(db),
      formerLength_(sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kValueBound)),
      formerHeap_(sqlite3_hard_heap_limit64(-1)) {
    // Measured from what the engine holds now, so the program's own caches and
    // temporary tables never count against the statement.
    const std::int64_t bound = sqlite3_memory_used() + kMemoryBound;
    sqlite3_hard_heap_limit64(formerHeap_ > 0 ? std::min(formerHeap_, bound) : bound);
    const std::int64_t pages = PragmaNumber(db, "PRAGMA main.page_count");
    const std::int64_t pageSize = PragmaNumber(db, "PRAGMA main.page_size");
    if (pages >= 0 && pageSize > 0) {
        formerPages_ = PragmaNumber(db, "PRAGMA main.max_page_count");
        PragmaNumber(db, "PRAGMA main.max_page_count=" + std::to_string(pages + kGrowthBound / pageSize));
    }
}

LearnerBounds::~LearnerBounds() {
    if (formerPages_ > 0) PragmaNumber(db_, "PRAGMA main.max_page_count=" + std::to_string(formerPages_));
    sqlite3_hard_heap_limit64(formerHeap_);
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, formerLength_);
}

bool UnderLearnerBounds(sqlite3* db) {
    return db != nullptr && sqlite3_limit(db, SQLITE_LIMIT_LENGTH, -1) == kValueBound;
}

std::string BoundDiagnosis(sqlite3* db, int extendedCode, std::string& detail) {
    if (!UnderLearnerBounds(db)) return {};
    if (extendedCode == SQLITE_TOOBIG) {
        if (detail == sqlite3_errstr(SQLITE_TOOBIG)) return ValueBoundMessage();
        return std::exchange(detail, std::string());
    }
    // A temporary table or sort in memory fails as an I/O error for lack of memory.
    if ((extendedCode & 0xff) == SQLITE_NOMEM || extendedCode == SQLITE_IOERR_NOMEM)
        return MemoryBoundMessage();
    if (extendedCode == SQLITE_FULL && RoomForGrowth(db)) return GrowthBoundMessage();
    return {};
}

std::string ValueBoundMessage() {
    return "Ein Wert der Abfrage wäre größer als " + Megabytes(kValueBound) +
           "; so große Werte sind nicht erlaubt." + std::string(kNothingChanged);
}

std::string MemoryBoundMessage() {
    return "Die Abfrage braucht mehr als " + Megabytes(kMemoryBound) +
           " Speicher; mehr darf eine Abfrage nicht belegen." + std::string(kNothingChanged);
}

std::string GrowthBoundMessage() {
    return "Die Änderung würde die Vokabeldatei um mehr als " + Megabytes(kGrowthBound) +
           " vergrößern; so große Änderungen sind nicht erlaubt." + std::string(kNothingChanged);
}

std::string ResultBoundMessage() {
    return "Das Ergebnis der Abfrage wäre größer als " + Megabytes(kResultBound) +
           "; so große Ergebnisse hält das Programm nicht." + std::string(kNothingChanged);
}

EngineError ResultBoundError() { return EngineError::AtBound(ResultBoundMessage(), SQLITE_TOOBIG); }

std::string FunctionBoundMessage(std::string_view function, std::int64_t work) {
    const std::string amount = work >= 1000000000 ? std::to_string(work / 1000000000) + " Milliarden"
                                                  : std::to_string(work / 1000000) + " Millionen";
    return "Die Funktion " + std::string(function) + " müsste mit so langen Werten mehr als " + amount +
           " Schritte rechnen; so aufwendige Aufrufe sind nicht erlaubt." + std::string(kNothingChanged);
}

}  // namespace morvanta::store
