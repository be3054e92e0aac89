#pragma once
// Shared fixtures: a temporary folder that holds an alias configuration whose
// alias "Vokabel" points at a folder with an empty vocabulary table, and
// generated words to fill it.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "store/alias_config.h"
#include "store/session.h"
#include "store/vocabulary.h"

namespace morvanta::test {

// A fresh folder under the system's temporary folder, removed when destroyed.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// <temp>/engine.ini with alias "Vokabel" (PATH <temp>/Database, DEFAULT DRIVER PARADOX)
// and an empty <temp>/Database/Vokabel.DB.
struct TempTable {
    TempTable();
    TempFolder folder;
    std::filesystem::path configFile;
    std::filesystem::path databaseFolder;
    std::filesystem::path tableFile;
    store::AliasConfig config;
    // A session over the configuration (created on first use).
    store::Session& session();

private:
    std::unique_ptr<store::Session> session_;
};

std::unique_ptr<TempTable> MakeTempTable();

// Word number n: distinct translations and Hepburn, RTF documents of a few hundred
// bytes in Kanji and Hira-Kata, every other word marked, lessons 1..30, the twelve types.
store::Record GeneratedWord(int n);

// Inserts words first .. first+count-1 into a table file in one transaction.
void InsertGeneratedWords(const std::filesystem::path& tableFile, int count, int first = 0);

// The same with words made by `word`.
using WordMaker = std::function<store::Record(int n)>;
void InsertWords(const std::filesystem::path& tableFile, int count, const WordMaker& word, int first = 0);

}  // namespace morvanta::test
