#include "core/quiz/status_file.h"

#include <gtest/gtest.h>

namespace morvanta::quiz {
namespace {

const std::string kExample =
    "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel WHERE Marked=True;\r\n5\r\n2\r\n1\r\n"
    "000500040002\r\n";

TEST(StatusFile, WritesSixLinesInCodePage1252) {
    StatusFileContent c{"SELECT * FROM Vokabel WHERE Marked=True;", 5, 2, 1, "000500040002", {}};
    EXPECT_EQ(WriteStatusFile(c), kExample);

    c.sqlLine = "SELECT * FROM Vokabel WHERE type = \"Zähleinheitswort\" AND 1=1;";
    c.queueText.clear();
    EXPECT_EQ(WriteStatusFile(c),
              "Quorvik Morvanta Query File\r\nSELECT * FROM Vokabel WHERE type = \"Z\xE4hleinheitswort\" "
              "AND 1=1;\r\n5\r\n2\r\n1\r\n\r\n");
    c.sqlLine = "SELECT * FROM Vokabel WHERE Note = \"犬\";";
    EXPECT_THROW(WriteStatusFile(c), std::runtime_error);
}

TEST(StatusFile, ReadsBackWhatItWrote) {
    const StatusFileContent c = ReadStatusFile(kExample);
    EXPECT_EQ(c.sqlLine, "SELECT * FROM Vokabel WHERE Marked=True;");
    EXPECT_EQ(c.selectionCount, 5);
    EXPECT_EQ(c.doneCount, 2);
    EXPECT_EQ(c.recNo, 1);
    EXPECT_EQ(c.queueText, "000500040002");

    const StatusFileContent latin = ReadStatusFile(
        "Quorvik Morvanta Query File\r\ntype = \"Z\xE4hl\"\r\n1\r\n0\r\n1\r\n0001\r\n");
    EXPECT_EQ(latin.sqlLine, "type = \"Zähl\"");

    // Without line 6, or with lines ended by LF alone.
    EXPECT_EQ(ReadStatusFile("Quorvik Morvanta Query File\r\nX\r\n5\r\n5\r\n3\r\n").queueText, "");
    EXPECT_EQ(ReadStatusFile("Quorvik Morvanta Query File\nX\n5\n5\n3\n00ff").queueText, "00FF");
}

TEST(StatusFile, ASeventhLineNamesTheRowsOfTheShownAndQueuedWords) {
    const StatusFileContent c{"SELECT * FROM Vokabel WHERE Marked=True;", 5, 2, 1, "000500040002",
                              {12, 9, 4, 30}};
    EXPECT_EQ(WriteStatusFile(c), kExample + "12 9 4 30\r\n");
    EXPECT_EQ(ReadStatusFile(kExample + "12 9 4 30\r\n").rowIds, (std::vector<std::int64_t>{12, 9, 4, 30}));
}

TEST(StatusFile, RefusesOtherAndDamagedFiles) {
    EXPECT_THROW(ReadStatusFile(""), NotAStatusFileError);
    EXPECT_THROW(ReadStatusFile("quorvik morvanta query file\r\nX\r\n1\r\n1\r\n1\r\n"),
                 NotAStatusFileError);
    EXPECT_THROW(ReadStatusFile(" Quorvik Morvanta Query File\r\nX\r\n1\r\n1\r\n1\r\n"),
                 NotAStatusFileError);

    const char* damaged[] = {
        "Quorvik Morvanta Query File\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n5\r\n2\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n5\r\nzwei\r\n1\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n5\r\n2\r\n1x\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n\r\n2\r\n1\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n99999999999\r\n2\r\n1\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n5\r\n2\r\n1\r\n00050\r\n",
        "Quorvik Morvanta Query File\r\nX\r\n5\r\n2\r\n1\r\n0005000Z\r\n",
    };
    for (const char* file : damaged) {
        SCOPED_TRACE(file);
        EXPECT_THROW(ReadStatusFile(file), DamagedStatusFileError);
    }
    // Lines 3 to 5 stay within the selection; the line is named.
    const std::pair<const char*, const char*> outOfRange[] = {
        {"X\r\n-1\r\n0\r\n0\r\n", "Zeile 3 nennt -1 Vokabeln."},
        {"X\r\n12\r\n2147483647\r\n1\r\n", "Zeile 4 nennt 2147483647 abgefragte Vokabeln, die Auswahl hat 12."},
        {"X\r\n12\r\n-3\r\n1\r\n", "Zeile 4 nennt -3 abgefragte Vokabeln, die Auswahl hat 12."},
        {"X\r\n12\r\n2\r\n13\r\n", "Zeile 5 nennt den Datensatz 13, die Auswahl hat 12."},
    };
    for (const auto& [lines, why] : outOfRange) {
        try {
            ReadStatusFile(std::string("Quorvik Morvanta Query File\r\n") + lines + "0001\r\n");
            ADD_FAILURE() << lines;
        } catch (const DamagedStatusFileError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Die Abfrage Status Datei ist beschädigt: ") + why);
        }
    }
}

}  // namespace
}  // namespace morvanta::quiz
