#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "core/dictionary/dict_entry.h"
#include "core/dictionary/dict_type.h"
#include "core/dictionary/dictd_index.h"
#include "core/dictionary/dictionary.h"
#include "core/dictionary/dictzip_file.h"
#include "support/dictd_files.h"
#include "text/romaji_kana.h"

namespace morvanta {
namespace {

using Translations = std::vector<std::string>;

class DictionaryTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().toStdString(); }
    QTemporaryDir dir;
};

TEST(DictdNumber, ReadsDictdDigitsAndRefusesStrayOnes) {
    EXPECT_EQ(dict::DecodeDictdNumber("A"), 0u);
    EXPECT_EQ(dict::DecodeDictdNumber("/"), 63u);
    EXPECT_EQ(dict::DecodeDictdNumber("BA"), 64u);
    EXPECT_EQ(dict::DecodeDictdNumber("tD6u"), 11812526u);
    for (unsigned long long v : {0ull, 1ull, 4095ull, 29592401ull})
        EXPECT_EQ(dict::DecodeDictdNumber(testing::DictdNumber(v)), v);
    EXPECT_EQ(dict::DecodeDictdNumber(""), std::nullopt);
    EXPECT_EQ(dict::DecodeDictdNumber("A-B"), std::nullopt);
    EXPECT_EQ(dict::DecodeDictdNumber("AAAAAAAAA"), std::nullopt);
}

TEST_F(DictionaryTest, FindsExactMatchesFirstThenLongerWordsAcrossChunks) {
    // Chunks of 64 bytes: every entry straddles a chunk boundary.
    dict::Dictionary d(testing::WriteDictd(folder(), testing::SampleEntries(), 64));
    ASSERT_TRUE(d.available());

    const auto ie = d.lookup("いえ");
    ASSERT_EQ(ie.size(), 2u);
    EXPECT_EQ(ie[0].written, "家");
    EXPECT_EQ(ie[0].reading, "いえ");
    EXPECT_EQ(ie[0].typeWord, "Meishi");
    EXPECT_EQ(ie[0].translations,
              (Translations{"Haus, Gebäude, Wohnung", "Ort, an dem eine Familie lebt", "Haushalt"}));
    // Written in kana alone: the kana stand for the word; the note is no sense.
    EXPECT_EQ(ie[1].written, "いえ");
    EXPECT_EQ(ie[1].translations, (Translations{"nein, Nein"}));

    const auto ta = d.lookup("た");
    ASSERT_EQ(ta.size(), 1u);
    EXPECT_EQ(ta[0].written, "食べる");
    EXPECT_EQ(ta[0].typeWord, "Verb-Vok");
    EXPECT_EQ(ta[0].translations, (Translations{"essen, speisen, zu sich nehmen", "leben von"}));

    // A kanji prefix: the word itself, then the longer one; the reading
    // restriction "(やぬし)" and the cross reference are no class and no sense.
    const auto house = d.lookup("家");
    ASSERT_EQ(house.size(), 2u);
    EXPECT_EQ(house[1].written, "家主");
    EXPECT_EQ(house[1].reading, "やぬし");
    EXPECT_EQ(house[1].wordClass, "noun (common) (futsuumeishi)");
    EXPECT_EQ(house[1].translations, (Translations{"Hausherr", "Hausbesitzer", "Vermieter"}));

    EXPECT_EQ(d.lookup("家", 1).size(), 1u);
    EXPECT_TRUE(d.lookup("x").empty());
    EXPECT_EQ(d.takeMessage(), std::nullopt);
}

TEST_F(DictionaryTest, DamagedOrMissingFilesGiveOneMessageAndNoSuggestions) {
    const auto files = testing::WriteDictd(folder(), testing::SampleEntries(), 64);
    const auto sizeOf = [](const std::string& path) { return std::filesystem::file_size(path); };

    // Cut data: the entries at the end lie beyond it.
    std::filesystem::resize_file(files.dict, sizeOf(files.dict) / 2);
    dict::Dictionary cut(files);
    EXPECT_TRUE(cut.lookup("家主").empty());
    const auto message = cut.takeMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("beschädigt"), std::string::npos);
    EXPECT_FALSE(cut.available());
    EXPECT_TRUE(cut.lookup("いえ").empty());
    EXPECT_EQ(cut.takeMessage(), std::nullopt);

    // Not gzip at all, an index line without numbers, an entry beyond the data.
    const std::vector<std::pair<std::string, std::string>> damages = {
        {files.dict, "plain text"}, {files.index, "いえ\tA\n"}, {files.index, "いえ\tA\t////\n"}};
    for (const auto& [path, content] : damages) {
        testing::WriteDictd(folder(), testing::SampleEntries(), 64);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        dict::Dictionary d(files);
        EXPECT_TRUE(d.lookup("いえ").empty()) << content;
        EXPECT_TRUE(d.takeMessage().has_value()) << content;
    }

    dict::Dictionary missing({folder() + "/none.index", folder() + "/none.dict.dz"});
    EXPECT_FALSE(missing.available());
}

TEST_F(DictionaryTest, PreparedAheadItAnswersAsWithoutAndDamageReachesTheLookUp) {
    const auto files = testing::WriteDictd(folder(), testing::SampleEntries(), 64);
    {
        dict::Dictionary d(files);
        d.prepare();
        d.prepare();  // once started, nothing more
        const auto ie = d.lookup("いえ");
        ASSERT_EQ(ie.size(), 2u);
        EXPECT_EQ(ie[0].written, "家");
        EXPECT_EQ(d.takeMessage(), std::nullopt);
    }
    // Left before any look-up: the thread ends with the dictionary.
    dict::Dictionary(files).prepare();

    std::filesystem::resize_file(files.dict, std::filesystem::file_size(files.dict) / 2);
    dict::Dictionary cut(files);
    cut.prepare();
    EXPECT_TRUE(cut.lookup("いえ").empty());
    EXPECT_TRUE(cut.takeMessage().has_value());
    EXPECT_TRUE(cut.lookup("いえ").empty());
    EXPECT_EQ(cut.takeMessage(), std::nullopt);
}

TEST_F(DictionaryTest, TranslationsAreTheGermanSensesWithoutTheEnglishSide) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> entries = {
        // A usage note on its own line after a cross reference; a sense with a comma inside.
        {{"雨", "あめ"},
         " [ichi1]  [news1]  [nf02]  雨 /x/,  [ichi1]  [news1]  [nf02] あめ /x/\n(noun (common) (futsuumeishi))\n"
         "{湯・ゆ・1} (can be blunt when used alone)\n(1) (m) Regen, (2) (n) Regenwetter, (3) etw., das wie Regen fällt\n"},
        // A field tag, and a German remark in parentheses that stays.
        {{"飴", "あめ"},
         " [ichi1]  [news2]  [nf44]  飴 /x/,  [ichi1]  [news2]  [nf44] あめ /x/\n(noun (common) (futsuumeishi))\n"
         " [food term] (1) (mn) Bonbon, (2) (f) Verlockung (Abk.), (3) (f) Bernsteinfarbe (urspr. Honig)\n"},
        // A note's kind, then a loanword's source word glued onto the German.
        {{"テレビゲーム"},
         "テレビゲーム /x/\n(noun (common) (futsuumeishi))\n\n         Note: jocular, humorous term"
         "television game(n) Videospiel, (n) Telespiel\n"},
        // An adjective whose noun senses come first; a dialect tag after the note.
        {{"綺麗", "きれい"},
         " [spec1]  綺麗 /x/,  [ichi1]  [spec1] きれい /x/\n(adjectival nouns or quasi-adjectives (keiyodoshi))\n\n"
         "         Note: word usually written using kana alone [Kansai-ben] (1) (f) Schönheit, (f) Sauberkeit, "
         "(2) (f) Vollständigkeit, (1) schön, hübsch, (2) sauber, rein, sauber\n"},
        // A verb whose first sense opens with an explanation; damaged brackets.
        {{"飲む", "のむ"},
         " [ichi1]  [news2]  [nf35]  飲む /x/,  [ichi1] のむ /x/\n(Godan verb with `mu' ending)\n (transitive verb)\n"
         " (呑む is often used metaphorically)\n(1) etw. in den Mund nehmen und ungekaut zur Speiseröhre "
         "weiterschicken, trinken, (2) (n) Trinken}, (3) schlucken (Stimme, Weinen)), (4) verschlingen (ganz\n"},
    };
    dict::Dictionary d(testing::WriteDictd(folder(), entries));

    const auto ame = d.lookup("あめ");
    ASSERT_EQ(ame.size(), 2u);
    EXPECT_EQ(ame[0].written, "雨");  // the commoner of the two
    EXPECT_EQ(ame[0].translations, (Translations{"Regen", "Regenwetter", "etw., das wie Regen fällt"}));
    EXPECT_EQ(ame[1].translations, (Translations{"Bonbon", "Verlockung", "Bernsteinfarbe (urspr. Honig)"}));

    EXPECT_EQ(d.lookup("テレビゲーム").at(0).translations, (Translations{"Videospiel, Telespiel"}));

    const auto kirei = d.lookup("きれい").at(0);
    EXPECT_EQ(kirei.written, "きれい");
    EXPECT_EQ(kirei.typeWord, "Keiyoudoushi");
    EXPECT_EQ(kirei.translations, (Translations{"schön, hübsch", "sauber, rein", "Schönheit, Sauberkeit"}));

    EXPECT_EQ(d.lookup("のむ").at(0).translations, (Translations{"trinken", "schlucken (Stimme, Weinen)", "verschlingen"}));
}

TEST_F(DictionaryTest, RanksByTheEntrysBestMarkAndReadsAnOpenSyllableAhead) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> entries = {
        {{"京", "きょう"}, " [news1]  [nf03]  京 /x/,  [news1]  [nf03] きょう /x/\n(noun (common) (futsuumeishi))\n(f) Hauptstadt\n"},
        // The kana form bears a single mark; the kanji form is the common one.
        {{"今日", "きょう"},
         " [ichi1]  [news1]  [nf02]  今日 /x/,  [ichi1]  きょう /x/\n(noun (temporal) (jisoumeishi))\n(1) heute\n"},
        {{"凶", "きょう"}, "凶 /x/, きょう /x/\n(noun (common) (futsuumeishi))\n(n) Unglück\n"},
        {{"教会", "きょうかい"},
         " [ichi1]  [news1]  [nf05]  教会 /x/,  [ichi1]  [news1]  [nf05] きょうかい /x/\n(noun (common) (futsuumeishi))\n(f) Kirche\n"},
        {{"歩", "ほ"}, " [ichi1]  [news1]  歩 /x/,  [ichi1]  [news1] ほ /x/\n(noun (common) (futsuumeishi))\n(m) Schritt\n"},
        {{"本", "ほん"}, " [ichi1]  本 /x/,  [ichi1] ほん /x/\n(noun (common) (futsuumeishi))\n(n) Buch\n"},
        {{"骨", "ほね"}, " [ichi1]  [news1]  骨 /x/,  [ichi1]  [news1] ほね /x/\n(noun (common) (futsuumeishi))\n(m) Knochen\n"},
        {{"本当", "ほんとう"}, " [ichi1]  本当 /x/,  [ichi1] ほんとう /x/\n(noun (common) (futsuumeishi))\n(f) Wahrheit\n"},
    };
    dict::Dictionary d(testing::WriteDictd(folder(), entries));
    const auto written = [&](std::string_view typed) {
        std::vector<std::string> out;
        for (const auto& s : d.lookup(typed)) out.push_back(s.written);
        return out;
    };
    EXPECT_EQ(written("きょう"), (std::vector<std::string>{"今日", "京", "凶", "教会"}));
    // "hon" still open after ほ: ほん first, then what "n" may still begin; not ほ itself.
    EXPECT_EQ(written("ほn"), (std::vector<std::string>{"本", "骨", "本当"}));
    EXPECT_EQ(written("ほ"), (std::vector<std::string>{"歩", "骨", "本", "本当"}));
    EXPECT_TRUE(d.lookup("n").empty());
}

TEST(DictType, WordClassesBecomeTypeWords) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"noun (common) (futsuumeishi)", "いえ", "Meishi"},
        {"adverbial noun (fukushitekimeishi)", "いま", "Meishi"},
        {"adjective (keiyoushi)", "たかい", "Keiyoushi"},
        {"adjective (keiyoushi) - yoi/ii class", "いい", "Keiyoushi"},
        {"adjectival nouns or quasi-adjectives (keiyodoshi)", "しずか", "Keiyoudoushi"},
        {"adverb (fukushi)", "すぐ", "Fukushi"},
        {"pre-noun adjectival (rentaishi)", "あの", "Rentaishi"},
        {"Ichidan verb", "たべる", "Verb-Vok"},
        {"Godan verb with `ku' ending", "かく", "Verb-Kon"},
        {"Godan verb with `ru' ending (irregular verb)", "ある", "Verb-Unr"},
        {"suru verb - irregular", "する", "Verb-Unr"},
        {"Kuru verb - special class", "くる", "Verb-Unr"},
        {"particle", "は", "Joshi"},
        {"counter", "ほん", "Zähleinheitswort"},
        {"pronoun", "だれ", "Gimonshi"},
        {"pronoun", "わたし", "Sonstiges"},
        {"interjection (kandoushi)", "はい", "Sonstiges"},
        {"expressions (phrases, clauses, etc.)", "どうも", "Sonstiges"},
        {"", "", "Sonstiges"},
    };
    for (const auto& [wordClass, reading, type] : cases)
        EXPECT_EQ(dict::TypeWordFor(wordClass, reading), type) << wordClass;
}

TEST(InstalledDictionary, KnowsEverydayWords) {
    dict::Dictionary d(dict::InstalledDictionary());
    if (!d.available()) GTEST_SKIP() << "dict-freedict-jpn-deu is not installed";
    // いえ is "house" and "no": both common.
    const auto ie = d.lookup("いえ");
    const auto house = std::find_if(ie.begin(), ie.end(), [](const auto& s) { return s.written == "家"; });
    ASSERT_LT(house - ie.begin(), 2);
    EXPECT_TRUE(house->translations.at(0).starts_with("Haus")) << house->translations.at(0);
    const auto taberu = d.lookup("たべる");
    ASSERT_FALSE(taberu.empty());
    EXPECT_EQ(taberu[0].written, "食べる");
    EXPECT_EQ(taberu[0].typeWord, "Verb-Vok");
    EXPECT_TRUE(taberu[0].translations.at(0).starts_with("essen,")) << taberu[0].translations.at(0);
    EXPECT_EQ(d.takeMessage(), std::nullopt);
}


// What a translation field must not receive, judged apart from how the parser
// reads an entry: brackets that do not close, tags and cross references, a
// comma's leftover such as "etw.", English words of the notes, a source word
// glued onto the German ("bonsoirGuten Abend!"). English inside a name ("Bank
// of Japan") or after "engl." is the German side's own.
std::string Fault(const std::string& t) {
    if (t.empty()) return "empty";
    int depth = 0;
    for (char c : t) {
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth < 0) return "bracket";
        if (c == '[' || c == ']' || c == '{' || c == '}') return "tag";
    }
    if (depth != 0) return "bracket";
    if (t.front() == ',' || t.back() == ',' || t.front() == ' ' || t.back() == ' ') return "fragment";
    for (std::string_view lone : {"etw.", "jmd.", "jmdm.", "jmdn.", "jmds."})
        if (t == lone) return "fragment";
    std::vector<std::string_view> words;
    for (std::size_t i = 0, start = std::string::npos; i <= t.size(); ++i) {
        const bool letter = i < t.size() && (std::isalpha(static_cast<unsigned char>(t[i])) ||
                                             static_cast<unsigned char>(t[i]) >= 0x80 || t[i] == '-');
        if (letter && start == std::string::npos) start = i;
        if (!letter && start != std::string::npos) {
            words.push_back(std::string_view(t).substr(start, i - start));
            start = std::string::npos;
        }
    }
    const auto capital = [](std::string_view w) {
        return (!w.empty() && w[0] >= 'A' && w[0] <= 'Z') || w.starts_with("Ä") || w.starts_with("Ö") ||
               w.starts_with("Ü");
    };
    static const std::set<std::string_view> kEnglish = {
        "the", "is", "are", "of", "used", "usu", "esp", "often", "which", "when", "written", "sometimes",
        "usually", "generally", "refers", "than", "only", "from", "with", "may", "terminology", "abbr",
        "orig", "originally", "poss", "that", "this", "being", "someone", "because", "alone", "compounds",
        "blunt", "term"};
    const std::size_t engl = t.find("engl.");
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (!kEnglish.contains(words[i])) continue;
        const bool name = i > 0 && i + 1 < words.size() && capital(words[i - 1]) &&
                          (capital(words[i + 1]) || words[i + 1] == "the");
        const bool nameStart = words[i] == "the" && i + 1 < words.size() && capital(words[i + 1]) &&
                               (i == 0 || capital(words[i - 1]));
        const bool quoted = engl != std::string::npos && engl < static_cast<std::size_t>(words[i].data() - t.data());
        if (!name && !nameStart && !quoted) return "english";
    }
    std::size_t lower = 0;
    while (lower < t.size() && t[lower] >= 'a' && t[lower] <= 'z') ++lower;
    if (lower > 0 && !words.empty() && lower < words.front().size() && capital(t.substr(lower))) return "glued";
    return {};
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

TEST(InstalledDictionary, EveryEntryGivesGermanTranslationsOnly) {
    const dict::DictionaryFiles files = dict::InstalledDictionary();
    if (!dict::Dictionary(files).available()) GTEST_SKIP() << "dict-freedict-jpn-deu is not installed";
    const dict::DictdIndex index(ReadAll(files.index), files.index);
    dict::DictzipFile data(files.dict);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> entries;
    for (const dict::IndexEntry& e : index.withPrefix(""))
        if (!e.headword.starts_with("00-database")) entries.emplace_back(e.offset, e.length);
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());

    // English the German side itself quotes ("Who is who", "The survival of the
    // fittest") is counted apart: a handful is its own.
    std::size_t faulty = 0, english = 0;
    std::string examples;
    for (const auto& [offset, length] : entries) {
        const dict::DictEntry entry = dict::ParseDictEntry(data.read(offset, length));
        for (const std::string& t : dict::Translations(entry, 3)) {
            const std::string fault = Fault(t);
            if (fault.empty()) continue;
            (fault == "english" ? english : faulty) += 1;
            if (examples.size() < 2000) examples += fault + ": " + t + "\n";
            break;
        }
    }
    std::cout << entries.size() << " entries, " << faulty << " with damaged text, " << english
              << " quoting English\n";
    EXPECT_EQ(faulty, 0u) << examples;
    EXPECT_LE(english, 10u) << examples;
}

TEST(InstalledDictionary, EverydayWordsComeFirst) {
    dict::Dictionary d(dict::InstalledDictionary());
    if (!d.available()) GTEST_SKIP() << "dict-freedict-jpn-deu is not installed";
    std::ifstream list(std::string(std::getenv("MORVANTA_TEST_DATA")) + "/core/dictionary/common_words.tsv");
    ASSERT_TRUE(list);
    std::size_t words = 0, first = 0, topThree = 0;
    std::string misses;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::size_t tab = line.find('\t');
        const std::string romaji = line.substr(0, tab), expected = line.substr(tab + 1);
        const auto found = d.lookup(text::RomajiToKana(romaji, true).kana);
        const auto at = std::find_if(found.begin(), found.end(), [&](const auto& s) { return s.written == expected; });
        const auto rank = at - found.begin();
        ++words;
        first += rank == 0;
        topThree += rank < 3;
        if (rank != 0) misses += romaji + " " + expected + " at " + std::to_string(rank + 1) + "\n";
    }
    std::cout << words << " words: " << first << " first, " << topThree << " among the first three\n";
    ASSERT_GE(words, 60u);
    EXPECT_GE(100 * first, 95 * words) << misses;
    EXPECT_GE(100 * topThree, 99 * words) << misses;
}
}  // namespace
}  // namespace morvanta
