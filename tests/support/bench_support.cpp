#include "support/bench_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "store/database.h"
#include "text/codepage.h"
#include "text/escape_runs.h"
#include "text/rich_text.h"

namespace morvanta::test {

std::unique_ptr<TempTable> MakeFilledTable(int words, const WordMaker& word) {
    auto table = MakeTempTable();
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start the process that fills the table");
    if (child == 0) {
        if (word) InsertWords(table->tableFile, words, word);
        else InsertGeneratedWords(table->tableFile, words);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("filling the table failed");
    store::Database::open(table->tableFile)->awaitCheck();
    return table;
}

namespace {

// A fixed pseudo-random number in [0, 1) for word n and a purpose.
double Unit(int n, int purpose) {
    std::uint64_t x = static_cast<std::uint64_t>(n) * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(purpose) * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 31;
    return static_cast<double>(x >> 11) * 0x1.0p-53;
}

int Pick(int n, int purpose, int count) { return static_cast<int>(Unit(n, purpose) * count); }

// The k-th kanji of JIS level 1 (0 .. 2964) in Shift-JIS.
std::string Level1Kanji(int k) {
    const int j1 = 0x20 + 16 + k / 94;  // rows 16 to 47
    const int j2 = 0x20 + 1 + k % 94;
    const int s1 = (j1 + 1) / 2 + (j1 <= 0x5e ? 0x70 : 0xb0);
    const int s2 = j2 + (j1 % 2 == 1 ? (j2 >= 0x60 ? 0x20 : 0x1f) : 0x7e);
    return {static_cast<char>(s1), static_cast<char>(s2)};
}

// ぁ .. ん
std::string Hiragana(int k) { return {static_cast<char>(0x82), static_cast<char>(0x9f + k % 83)}; }

std::string StoredRtf(const std::string& sjis) {
    return text::PlainTextToRtf(text::Cp932ToUtf8(sjis));
}

store::DateTime EnteredAt(int n) {
    using namespace std::chrono;
    const year_month_day day{sys_days{2019y / January / 1} + days{n / kEnteredPerDay}};
    const int minute = n % kEnteredPerDay;
    return {static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
            static_cast<int>(static_cast<unsigned>(day.day())), 18 + minute / 60, minute % 60, n % 60, 0};
}

const char* const kMeanings[16] = {"Haus",   "Äpfel",   "über",      "Straße", "öffnen", "Baum",
                                   "zeigen", "Mädchen", "Größe",     "Brücke", "schön",  "Frühling",
                                   "Tür",    "Übung",   "kühl",      "Löffel"};
const char* const kTypes[12] = {"Meishi",   "Keiyoushi", "Keiyoudoushi",     "Fukushi",
                                "Rentaishi", "Verb-Vok",  "Verb-Kon",         "Verb-Unr",
                                "Joshi",    "Zähleinheitswort", "Gimonshi", "Sonstiges"};

}  // namespace

store::Record EnteredWord(int n) {
    static const int kKanjiPerWord[7] = {1, 2, 2, 2, 3, 1, 4};
    std::string kanji, reading;
    for (int i = 0; i < kKanjiPerWord[n % 7]; ++i) {
        // Cubed: the common kanji come often, the rare ones now and then.
        const double u = Unit(n, i);
        kanji += Level1Kanji(static_cast<int>(2965 * u * u * u));
        reading += Hiragana(Pick(n, 10 + i, 83)) + Hiragana(Pick(n, 20 + i, 83));
    }
    if (n % 2 == 0) {
        const std::string okurigana = Hiragana(Pick(n, 30, 83));
        kanji += okurigana;
        reading += okurigana;
    }
    const std::string kanaRtf = StoredRtf(reading);
    const store::DateTime entered = EnteredAt(n);
    const std::int64_t asked = n % 6;
    return {
        std::string(kMeanings[n % 16]) + " " + std::to_string(n),
        n % 3 == 0 ? std::string() : std::string(kMeanings[(n / 16) % 16]),
        n % 5 == 0 ? std::string("im übertragenen Sinn") : std::string(),
        text::KanaToHepburn(text::IsolateRtfEscapes(kanaRtf)),
        StoredRtf(kanji),
        kanaRtf,
        std::int64_t{n % 5 - 1},
        n % 4 == 0 ? "Beispielsatz zu Wort " + std::to_string(n) : std::string(),
        entered,
        entered,
        asked,
        std::int64_t{asked / 3},
        true,
        std::string(kTypes[n % 12]),
        false,
        std::int64_t{1 + (n / 500) % 40},
    };
}

std::string EnteredBefore(int n) {
    return EnteredAt(((n + kEnteredPerDay - 1) / kEnteredPerDay) * kEnteredPerDay).shortDate();
}

long ProcStatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    const std::string prefix(key);
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0) return std::stol(line.substr(prefix.size()));
    return 0;
}

std::string SpecialImportLines(const store::Record& word) {
    const auto text = [&](int field) -> const std::string& { return std::get<std::string>(word[size_t(field)]); };
    std::string translations = text(0);
    for (int t : {1, 2})
        if (!text(t).empty()) translations += ", " + text(t);
    return "#\r\n" + text::IsolateRtfEscapes(text(4)) + "\r\n" + text::IsolateRtfEscapes(text(5)) + "\r\n" +
           text::Utf8ToCp1252(translations) + "\r\n" + text::Utf8ToCp1252(text(13)) + "\r\n" +
           text::Utf8ToCp1252(text(7)) + "\r\n" + std::to_string(std::get<std::int64_t>(word[15])) + "\r\n";
}

std::string BenchInputFile(const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    return (dir / ("morvanta_bench_" + std::to_string(getpid()) + "_" + name)).string();
}

}  // namespace morvanta::test
