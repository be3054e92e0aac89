#include "support/temp_table.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>

#include "store/database.h"
#include "store/field_value.h"
#include "store/schema.h"

namespace morvanta::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "morvanta-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

TempTable::TempTable()
    : configFile(folder.path() / "engine.ini"),
      databaseFolder(folder.path() / "Database"),
      tableFile(databaseFolder / std::string(store::kTableFileName)),
      config(configFile) {
    fs::create_directories(databaseFolder);
    store::CreateVocabularyFile(tableFile);
    config.setConfigModePersistent();
    config.addStandardAlias("Vokabel", {"PATH=" + databaseFolder.string(), "DEFAULT DRIVER=PARADOX"});
    config.saveConfig();
}

store::Session& TempTable::session() {
    if (!session_) session_ = std::make_unique<store::Session>(config);
    return *session_;
}

std::unique_ptr<TempTable> MakeTempTable() { return std::make_unique<TempTable>(); }

namespace {

const char* const kTypes[12] = {"Meishi",   "Keiyoushi", "Keiyoudoushi", "Fukushi",
                                "Rentaishi", "Verb-Vok",  "Verb-Kon",     "Verb-Unr",
                                "Joshi",    "Zähleinheitswort", "Gimonshi", "Sonstiges"};

std::string Rtf(int n, int chars) {
    std::string text =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI Gothic;}"
        "{\\f1\\fnil\\fcharset0 Arial;}}\r\n\\viewkind4\\uc1\\pard\\lang1031\\f0\\fs24 ";
    char escape[32];
    for (int i = 0; i < chars; ++i) {
        std::snprintf(escape, sizeof escape, "\\'82\\'%02x", 0xa0 + (n * 7 + i * 3) % 80);
        text += escape;
    }
    return text + "\\f1\\par\r\n}\r\n";
}

}  // namespace

store::Record GeneratedWord(int n) {
    using store::DateTime;
    static const char* const kWords[8] = {"Haus", "Äpfel", "über", "Straße",
                                          "öffnen", "Baum", "zeigen", "essen"};
    DateTime entered{2005 + n % 4, 1 + n % 12, 1 + n % 28, n % 24, n % 60, n % 60, n % 1000};
    std::int64_t asked = n % 7;
    return {
        std::string(kWords[n % 8]) + " " + std::to_string(n),
        n % 3 == 0 ? std::string() : "zweite " + std::to_string(n),
        n % 5 == 0 ? "dritte Bedeutung" : std::string(),
        "hepburn" + std::to_string(n),
        Rtf(n, 4 + n % 5),
        Rtf(n + 1, 6 + n % 4),
        std::int64_t{n % 4},
        n % 2 == 0 ? "eine Bemerkung zu Wort " + std::to_string(n) : std::string(),
        entered,
        entered,
        asked,
        std::int64_t{asked / 2},
        n % 2 == 0,
        std::string(kTypes[n % 12]),
        false,
        std::int64_t{1 + n % 30},
    };
}

void InsertGeneratedWords(const fs::path& tableFile, int count, int first) {
    InsertWords(tableFile, count, GeneratedWord, first);
}

void InsertWords(const fs::path& tableFile, int count, const WordMaker& word, int first) {
    auto db = store::Database::open(tableFile);
    const auto& fields = store::VocabularyFields();
    store::Transaction transaction(*db);
    store::Statement insert = db->prepare("INSERT INTO Vokabel (" + std::string(store::FieldListSql()) +
                                          ") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
    for (int n = first; n < first + count; ++n) {
        const store::Record values = word(n);
        for (size_t i = 0; i < fields.size(); ++i)
            store::BindValue(insert, static_cast<int>(i + 1), values[i], fields[i].kind);
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

}  // namespace morvanta::test
