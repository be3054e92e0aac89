#include "store/schema.h"

namespace morvanta::store {

std::string_view SchemaSql() {
    // Texts are NOT NULL DEFAULT '' so the uniqueness rule also holds for empty
    // translations (NULLs would never collide). The rule compares binary.
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
)sql";
}

std::string_view KeyOrderSchemaSql() {
    // The browse order (case folded, umlauts with their base letter, ß as ss) is kept
    // as a binary sort key beside the table, so the file needs no collation of ours
    // and every SQLite tool can check, read and change it. The triggers are plain
    // SQL: whoever inserts or changes a key field leaves a NULL key behind, which the
    // program fills in before it next reads the order.
    return R"sql(
CREATE TABLE VokabelOrder (
    WordId INTEGER PRIMARY KEY,
    SortKey BLOB,
    Marked INTEGER
);
CREATE INDEX VokabelOrderKey ON VokabelOrder (SortKey);
-- The quiz's default selection (the marked words) in key order, read off one index.
CREATE INDEX VokabelOrderMarked ON VokabelOrder (SortKey) WHERE Marked = 1;
CREATE TRIGGER VokabelOrderInsert AFTER INSERT ON Vokabel BEGIN
    INSERT OR REPLACE INTO VokabelOrder (WordId, SortKey, Marked) VALUES (new.rowid, NULL, new.Marked);
END;
CREATE TRIGGER VokabelOrderUpdate
AFTER UPDATE OF Translation1, Translation2, Translation3, Hepburn ON Vokabel BEGIN
    UPDATE VokabelOrder SET SortKey = NULL WHERE WordId = new.rowid;
END;
CREATE TRIGGER VokabelOrderMarkedUpdate AFTER UPDATE OF Marked ON Vokabel BEGIN
    UPDATE VokabelOrder SET Marked = new.Marked WHERE WordId = new.rowid;
END;
CREATE TRIGGER VokabelOrderDelete AFTER DELETE ON Vokabel BEGIN
    DELETE FROM VokabelOrder WHERE WordId = old.rowid;
END;
)sql";
}

std::string_view AnswerHistorySchemaSql() {
    // One row per booked answer, beside the words rather than in them: the word's
    // rowid, local time in the stored date form, right (1) or wrong (0), the answer
    // as typed. A deleted word's rows stay; nothing refers back to them.
    return R"sql(
CREATE TABLE IF NOT EXISTS AnswerHistory (
    Id INTEGER PRIMARY KEY,
    WordId INTEGER NOT NULL,
    AskedAt TEXT NOT NULL,
    Correct INTEGER NOT NULL CHECK (Correct IN (0, 1)),
    Answer TEXT NOT NULL DEFAULT ''
);
CREATE INDEX IF NOT EXISTS AnswerHistoryWord ON AnswerHistory (WordId);
CREATE INDEX IF NOT EXISTS AnswerHistoryTime ON AnswerHistory (AskedAt);
)sql";
}

std::string_view FieldListSql() {
    return "Translation1, Translation2, Translation3, Hepburn, Kanji, \"Hira-Kata\", Accent, "
           "Note, DateEntered, DateAsked, NumberAsked, NumberWrong, Marked, Type, CardPrinted, "
           "Lesson";
}

}  // namespace morvanta::store
