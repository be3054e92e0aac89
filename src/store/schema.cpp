#include "store/schema.h"

namespace morvanta::store {

std::string_view SchemaSql() {
    // Texts are NOT NULL DEFAULT '' so the uniqueness rule also holds for empty
    // translations (NULLs would never collide). The rule compares binary; the
    // browse order folds case, so it gets its own index.
    return R"sql(
CREATE TABLE Vokabel (
    Translation1 TEXT NOT NULL DEFAULT '',
    Translation2 TEXT NOT NULL DEFAULT '',
    Translation3 TEXT NOT NULL DEFAULT '',
    Hepburn TEXT NOT NULL DEFAULT '',
    Kanji TEXT NOT NULL DEFAULT '',
    "Hira-Kata" TEXT NOT NULL DEFAULT '',
    Accent INTEGER,
    Note TEXT NOT NULL DEFAULT '',
    DateEntered TEXT,
    DateAsked TEXT,
    NumberAsked INTEGER,
    NumberWrong INTEGER,
    Marked INTEGER CHECK (Marked IN (0, 1)),
    Type TEXT NOT NULL DEFAULT '',
    CardPrinted INTEGER CHECK (CardPrinted IN (0, 1)),
    Lesson INTEGER,
    CONSTRAINT VokabelKey UNIQUE (Hepburn, Translation1, Translation2, Translation3)
);
CREATE INDEX VokabelKeyOrder ON Vokabel (
    Translation1 COLLATE MORVANTA_KEY, Translation2 COLLATE MORVANTA_KEY,
    Translation3 COLLATE MORVANTA_KEY, Hepburn COLLATE MORVANTA_KEY);
-- The quiz's default selection (the marked words) in key order without a scan.
CREATE INDEX VokabelMarkedKeyOrder ON Vokabel (
    Translation1 COLLATE MORVANTA_KEY, Translation2 COLLATE MORVANTA_KEY,
    Translation3 COLLATE MORVANTA_KEY, Hepburn COLLATE MORVANTA_KEY) WHERE Marked = 1;
)sql";
}

std::string_view KeyOrderSql() {
    return "Translation1 COLLATE MORVANTA_KEY, Translation2 COLLATE MORVANTA_KEY, "
           "Translation3 COLLATE MORVANTA_KEY, Hepburn COLLATE MORVANTA_KEY, rowid";
}

std::string_view FieldListSql() {
    return "Translation1, Translation2, Translation3, Hepburn, Kanji, \"Hira-Kata\", Accent, "
           "Note, DateEntered, DateAsked, NumberAsked, NumberWrong, Marked, Type, CardPrinted, "
           "Lesson";
}

}  // namespace morvanta::store
