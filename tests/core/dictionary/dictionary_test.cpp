#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "core/dictionary/dict_entry.h"
#include "core/dictionary/dict_type.h"
#include "core/dictionary/dictd_index.h"
#include "core/dictionary/dictionary.h"
#include "support/dictd_files.h"

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
    EXPECT_EQ(ie[0].translations, (Translations{"Haus", "Ort", "Haushalt"}));
    // Written in kana alone: the kana stand for the word; the note is no sense.
    EXPECT_EQ(ie[1].written, "いえ");
    EXPECT_EQ(ie[1].translations, (Translations{"nein", "Nein"}));

    const auto ta = d.lookup("た");
    ASSERT_EQ(ta.size(), 1u);
    EXPECT_EQ(ta[0].written, "食べる");
    EXPECT_EQ(ta[0].typeWord, "Verb-Vok");
    EXPECT_EQ(ta[0].translations, (Translations{"essen", "leben von", "speisen"}));

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
    const auto ie = d.lookup("いえ");
    ASSERT_FALSE(ie.empty());
    EXPECT_EQ(ie[0].written, "家");
    EXPECT_EQ(ie[0].translations.at(0), "Haus");
    const auto taberu = d.lookup("たべる");
    ASSERT_FALSE(taberu.empty());
    EXPECT_EQ(taberu[0].written, "食べる");
    EXPECT_EQ(taberu[0].typeWord, "Verb-Vok");
    EXPECT_EQ(taberu[0].translations.at(0), "essen");
    EXPECT_EQ(d.takeMessage(), std::nullopt);
}

}  // namespace
}  // namespace morvanta
