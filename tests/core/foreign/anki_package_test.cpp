// Anki packages: both collection layouts read, our own packages read back,
// and every damaged package refused with its message.

#include <gtest/gtest.h>
#include <zip.h>
#include <zstd.h>

#include <fstream>
#include <sstream>

#include "core/foreign/anki_package_reader.h"
#include "core/foreign/anki_package_writer.h"
#include "core/foreign/zip_bytes.h"
#include "store/sqlite_file.h"
#include "support/temp_table.h"

namespace morvanta::foreign {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using Strings = std::vector<std::string>;

class AnkiPackage : public ::testing::Test {
protected:
    // An SQLite file made by `sql`, as bytes.
    std::string Collection(const std::string& sql) {
        const auto file = folder.path() / ("c" + std::to_string(++files));
        {
            store::SqliteFile db = store::SqliteFile::create(file);
            db.exec(sql);
        }
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::filesystem::path Package(const std::vector<ZipEntry>& entries) {
        return Saved(ZipInMemory(entries));
    }
    std::filesystem::path Saved(const std::string& bytes) {
        const auto file = folder.path() / ("p" + std::to_string(++files) + ".apkg");
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::string Refusal(const std::filesystem::path& file,
                               std::uint64_t limit = kMaxAnkiCollectionBytes) {
        try {
            ReadAnkiPackage(file, {}, limit);
        } catch (const ReadError& e) {
            return e.what();
        }
        return "gelesen";
    }

    test::TempFolder folder;
    int files = 0;
};

const std::string kNotesAndCards =
    "CREATE TABLE notes (id integer PRIMARY KEY, guid text, mid integer, mod integer, usn integer, "
    "tags text,"
    " flds text, sfld text, csum integer, flags integer, data text);"
    "CREATE TABLE cards (id integer PRIMARY KEY, nid integer, did integer, ord integer);"
    "CREATE INDEX ix_cards_nid ON cards (nid);";

// Older layout: note types and decks as JSON; notes inserted out of id order.
const std::string kOldCollection =
    kNotesAndCards +
    R"(CREATE TABLE col (id integer PRIMARY KEY, models text, decks text);
    INSERT INTO col VALUES (1,
      '{"10": {"id": 10, "name": "Basic", "flds": [{"name": "Back", "ord": 1}, {"name": "Front", "ord": 0}]},
        "20": {"id": 20, "name": "Japanisch", "flds": [{"name": "Kanji", "ord": 0}, {"name": "Back", "ord": 1},
                                                      {"name": "Notiz", "ord": 2}]},
        "30": {"id": 30, "name": "Unbenutzt", "flds": [{"name": "Nie", "ord": 0}]}}',
      '{"1": {"id": 1, "name": "Default"}, "5": {"id": 5, "name": "Japanisch::Lektion 1"}}');
    INSERT INTO notes (id, mid, flds) VALUES (300, 10, 'dog' || char(31) || 'Hund');
    INSERT INTO notes (id, mid, flds) VALUES (100, 20, '<b>猫</b>' || char(31) || 'Katze &amp; Kater<br>Mieze');
    INSERT INTO notes (id, mid, flds) VALUES (200, 10, 'nur vorne');
    INSERT INTO cards VALUES (1, 100, 5, 1), (2, 100, 1, 0), (3, 300, 5, 0), (4, 200, 1, 0);)";

// Newer layout: tables of their own with the collation of Anki's names, deck levels by 0x1F.
const std::string kNewCollection =
    kNotesAndCards +
    R"(CREATE TABLE notetypes (id integer PRIMARY KEY, name text COLLATE unicase);
    CREATE TABLE fields (ntid integer, ord integer, name text COLLATE unicase, PRIMARY KEY (ntid, ord));
    CREATE TABLE decks (id integer PRIMARY KEY, name text COLLATE unicase);
    CREATE TABLE col (id integer PRIMARY KEY, models text, decks text);
    INSERT INTO col VALUES (1, '{}', '{}');
    INSERT INTO notetypes VALUES (7, 'Vokabel');
    INSERT INTO fields VALUES (7, 1, 'Deutsch'), (7, 0, 'Wort');
    INSERT INTO decks VALUES (1, 'Default'), (9, 'Japanisch' || char(31) || 'Verben');
    INSERT INTO notes (id, mid, flds) VALUES (1, 7, '食べる' || char(31) || 'essen'), (2, 7, '飲む&nbsp;');
    INSERT INTO cards VALUES (1, 1, 9, 0), (2, 2, 9, 0);)";

std::string Zstd(const std::string& bytes) {
    std::string packed(ZSTD_compressBound(bytes.size()), '\0');
    packed.resize(ZSTD_compress(packed.data(), packed.size(), bytes.data(), bytes.size(), 3));
    return packed;
}

TEST_F(AnkiPackage, ReadsBothLayoutsPreferringTheNewestCollection) {
    // Older layout, with media: columns by the note types in the order the notes use them.
    const SourceSheet old =
        ReadAnkiPackage(Package({{"collection.anki2", Collection(kOldCollection)},
                                 {"media", "{}"},
                                 {"0", "x"},
                                 {"1", "y"}}));
    EXPECT_EQ(old.format, "Anki-Paket");
    EXPECT_EQ(old.columns, (Strings{"Kanji", "Back", "Notiz", "Front", "Deck"}));
    EXPECT_EQ(old.rows, (Rows{{"猫", "Katze & Kater; Mieze", "", "", "Default"},
                              {"", "", "", "nur vorne", "Default"},
                              {"", "Hund", "", "dog", "Japanisch::Lektion 1"}}));
    EXPECT_EQ(old.remarks, (Strings{"2 Mediendateien werden nicht übernommen.",
                                    "Stapel: Default (2), Japanisch::Lektion 1 (1)."}));

    // Newer packages keep an old-form collection beside the real one: the real one is read.
    const std::string dummy =
        kNotesAndCards +
        "CREATE TABLE col (id integer, models text, decks text);"
        "INSERT INTO col VALUES (1, '{\"1\": {\"flds\": [{\"name\": \"Alt\"}]}}', '{}');"
        "INSERT INTO notes (id, mid, flds) VALUES (1, 1, 'Bitte Anki aktualisieren');";
    const SourceSheet fresh =
        ReadAnkiPackage(Package({{"collection.anki2", Collection(dummy)},
                                 {"collection.anki21b", Zstd(Collection(kNewCollection))}}));
    EXPECT_EQ(fresh.columns, (Strings{"Wort", "Deutsch", "Deck"}));
    EXPECT_EQ(fresh.rows,
              (Rows{{"食べる", "essen", "Japanisch::Verben"}, {"飲む", "", "Japanisch::Verben"}}));
    EXPECT_TRUE(fresh.remarks.empty());
}

TEST_F(AnkiPackage, OwnPackageReadsBackAsTheWords) {
    std::vector<ExportWord> words{
        {"日本", "にほん", "nihon", "Japan", "", "", 3, "Meishi", "a < b & c"},
        {"", "すし", "sushi", "Sushi", "Reisgericht", "Speise", 12, "", ""}};
    std::ostringstream out;
    ASSERT_TRUE(WriteAnkiPackage(out, words));
    const SourceSheet sheet = ReadAnkiPackage(Saved(out.str()));
    EXPECT_EQ(sheet.columns, (Strings{"Kanji", "Kana", "Hepburn", "Deutsch", "Lektion", "Typ",
                                      "Bemerkung", "Deck"}));
    EXPECT_EQ(
        sheet.rows,
        (Rows{{"日本", "にほん", "nihon", "Japan", "3", "Meishi", "a < b & c", "Morvanta"},
              {"すし", "すし", "sushi", "Sushi; Reisgericht; Speise", "12", "", "", "Morvanta"}}));
    EXPECT_TRUE(sheet.remarks.empty());

    // Two exports of the same words carry the same note ids (Anki updates instead of doubling).
    std::ostringstream again;
    ASSERT_TRUE(WriteAnkiPackage(again, words));
    auto guids = [&](const std::string& bytes) {
        const auto file = folder.path() / "guids.anki2";
        zip_t* archive = zip_open(Saved(bytes).c_str(), ZIP_RDONLY, nullptr);
        zip_file_t* entry = zip_fopen(archive, "collection.anki2", 0);
        std::string collection(1 << 20, '\0');
        collection.resize(
            static_cast<std::size_t>(zip_fread(entry, collection.data(), collection.size())));
        zip_fclose(entry);
        zip_discard(archive);
        std::ofstream(file, std::ios::binary) << collection;
        store::SqliteFile db = store::SqliteFile::openReadOnly(file);
        store::Statement select = db.prepare("SELECT group_concat(guid) FROM notes");
        select.step();
        return std::string(select.columnText(0));
    };
    EXPECT_EQ(guids(out.str()), guids(again.str()));

    // Cancelled: nothing written.
    std::ostringstream cancelled;
    EXPECT_FALSE(WriteAnkiPackage(cancelled, words, [](std::int64_t) { return false; }));
    EXPECT_TRUE(cancelled.str().empty());
}

TEST_F(AnkiPackage, DamagedPackagesAreRefusedWithTheirReason) {
    const auto notZip = Saved("Kanji;Kana\n日本;にほん\n");
    EXPECT_EQ(Refusal(notZip),
              store::QuotedPath(notZip) + " ist kein Anki-Paket: Die Datei ist kein ZIP-Archiv.");

    const auto foreign = Package({{"content.xml", "<x/>"}});
    EXPECT_EQ(Refusal(foreign),
              store::QuotedPath(foreign) +
                  " ist kein Anki-Paket: es enthält keine Sammlung (collection.anki2, "
                  "collection.anki21 oder collection.anki21b).");

    const std::string packed = Zstd(Collection(kNewCollection));
    const auto truncated = Package({{"collection.anki21b", packed.substr(0, packed.size() - 10)}});
    EXPECT_EQ(Refusal(truncated),
              "Die Sammlung in " + store::QuotedPath(truncated) +
                  " ist unvollständig: Die zstd-komprimierten Daten brechen vorzeitig ab.");
    const auto garbled =
        Package({{"collection.anki21b", "\x28\xb5\x2f\xfd" + std::string(50, 'x')}});
    EXPECT_NE(Refusal(garbled).find("Ihre zstd-Komprimierung ist fehlerhaft"), std::string::npos);

    // Over the limit: by the size the archive declares, and by the size a zstd frame declares.
    const std::string tooLarge =
        " ist entpackt größer als 1000 Bytes; so große Anki-Pakete werden nicht gelesen.";
    const auto plain = Package({{"collection.anki2", Collection(kOldCollection)}});
    EXPECT_EQ(Refusal(plain, 1000), "Die Sammlung in " + store::QuotedPath(plain) + tooLarge);
    const auto bomb = Package({{"collection.anki21b", Zstd(std::string(1 << 20, '\0'))}});
    EXPECT_EQ(Refusal(bomb, 1000), "Die Sammlung in " + store::QuotedPath(bomb) + tooLarge);

    const auto text = Package({{"collection.anki2", "keine Datenbank, nur Text"}});
    EXPECT_EQ(Refusal(text), store::QuotedPath(text) +
                                 " ist kein Anki-Paket: Die Sammlung darin ist keine "
                                 "SQLite-Datenbank.");
    const auto noNotes =
        Package({{"collection.anki2", Collection("CREATE TABLE col (id integer);")}});
    EXPECT_EQ(
        Refusal(noNotes),
        store::QuotedPath(noNotes) +
            " ist kein Anki-Paket: Der Sammlung darin fehlt die Tabelle der Notizen (notes).");

    // A password-protected entry, where this libzip can write one.
    const auto locked = folder.path() / "locked.apkg";
    const std::string collection = Collection(kOldCollection);
    zip_t* archive = zip_open(locked.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    zip_source_t* source = zip_source_buffer(archive, collection.data(), collection.size(), 0);
    const zip_int64_t index = zip_file_add(archive, "collection.anki2", source, 0);
    const bool canEncrypt = zip_file_set_encryption(archive, index, ZIP_EM_AES_256, "geheim") == 0;
    ASSERT_EQ(zip_close(archive), 0);
    if (canEncrypt) {
        EXPECT_EQ(Refusal(locked),
                  "Die Sammlung in " + store::QuotedPath(locked) +
                      " ist mit einem Kennwort verschlüsselt; verschlüsselte Anki-Pakete können "
                      "nicht gelesen werden.");
    }

    // Cancelled while reading the notes.
    EXPECT_THROW(ReadAnkiPackage(plain, [](std::int64_t) { return false; }), ReadCancelled);
}

}  // namespace
}  // namespace morvanta::foreign
