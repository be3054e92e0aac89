// The fast KanaToHepburn against the literal replace-all algorithm on many
// generated texts: whole keys, cut keys, stray escapes, font switches, letters.
#include <gtest/gtest.h>

#include <random>

#include "support/reference_kana_to_hepburn.h"
#include "text/escape_runs.h"
#include "text/kana_key_replacer.h"
#include "text/kana_table.h"

namespace morvanta::text {
namespace {

class TextGenerator {
public:
    explicit TextGenerator(std::uint32_t seed) : rng_(seed) {}

    // Mostly well-formed runs of kana escapes, or a rough mix of anything.
    std::string Next() {
        const bool rough = Pick(3) == 0;
        std::string s;
        const int pieces = static_cast<int>(Pick(12));
        for (int k = 0; k < pieces; ++k) rough ? AddRough(s) : AddKana(s);
        return s;
    }

private:
    std::size_t Pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

    std::string_view AnyKey() { return KanaTable()[Pick(kKanaRowCount)].key; }

    void AddKana(std::string& s) {
        static constexpr std::string_view kExtras[] = {
            "\\'82\\'c1", "\\'83\\'62", "\\'81\\'5b", "\\'82\\'e1", "\\'83\\'83", "\\'83\\'40",
            "\\'8a\\'bf", "\\'83\\'94", "\\f0",       "\\f1",       " ",          "\\'82\\'A0"};
        switch (Pick(6)) {
            case 0: s += kExtras[Pick(std::size(kExtras))]; break;
            default: s += AnyKey();
        }
    }

    void AddRough(std::string& s) {
        static constexpr std::string_view kPieces[] = {
            "\\f0", "\\f1", "\\f", "0", "1", "\\", "'", "\\'", "a", "e", "b", "f", "8", "2", "3",
            " ",    "\t",   "x",   "\\par ", "\\'82\\'", "\\'83\\'", "\\'8", "\\'82\\'c1", "\\'83\\'62", "\\'A0"};
        switch (Pick(4)) {
            case 0: s += kPieces[Pick(std::size(kPieces))]; break;
            case 1: {  // the front or back of a key
                const std::string_view key = AnyKey();
                const std::size_t cut = 1 + Pick(key.size() - 1);
                s += Pick(2) == 0 ? key.substr(0, cut) : key.substr(cut);
                break;
            }
            case 2: {  // some escape, maybe with upper-case digits
                static constexpr char kHex[] = "0123456789abcdefABCDEF";
                s += "\\'";
                s += kHex[Pick(22)];
                s += kHex[Pick(22)];
                break;
            }
            default: s += AnyKey();
        }
    }

    std::mt19937 rng_;
};

TEST(KanaToHepburnDifferential, AgreesWithLiteralAlgorithm) {
    TextGenerator gen(20240607);
    int direct = 0;
    int stepwise = 0;
    int failures = 0;
    for (int i = 0; i < 100'000 && failures < 10; ++i) {
        const std::string input = gen.Next();
        const std::string expected = reference::KanaToHepburn(input);
        const std::string actual = KanaToHepburn(input);
        if (actual != expected) {
            ++failures;
            ADD_FAILURE() << "input: " << input << "\n  fast: " << actual << "\n  literal: " << expected;
        }
        // Both ways of replacing keys must agree where the quick one applies.
        if (const auto quick = ReplaceKanaKeysDirect(input)) {
            ++direct;
            if (*quick != ReplaceKanaKeysStepwise(input)) {
                ++failures;
                ADD_FAILURE() << "stepwise and direct disagree on: " << input;
            }
        } else {
            ++stepwise;
        }
    }
    // The generator must keep exercising both ways.
    EXPECT_GT(direct, 50'000);
    EXPECT_GT(stepwise, 5'000);
}

TEST(KanaToHepburnDifferential, AgreesOnLongMixedRun) {
    TextGenerator gen(7);
    std::string run;
    while (run.size() < 20'000) run += gen.Next();
    EXPECT_EQ(reference::KanaToHepburn(run), KanaToHepburn(run));
}

}  // namespace
}  // namespace morvanta::text
