#include "text/tolerant_match.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>

namespace morvanta::text {

void PrintTo(const ToleranceResult& r, std::ostream* os) {
    static constexpr const char* kKinds[] = {"None", "Exact", "Tolerant"};
    *os << kKinds[static_cast<int>(r.kind)] << " #" << r.translation << " \"" << r.rule << '"';
}

namespace {

constexpr std::string_view kWrong;

// Each answer against one stored translation; the rule that lets it pass, or kWrong.
void Expect(std::string_view stored, std::string_view rule,
            std::initializer_list<std::string_view> answers, const IsRealWord& isRealWord = {}) {
    const ToleranceResult expected =
        rule.empty() ? ToleranceResult{} : ToleranceResult{MatchKind::Tolerant, 0, rule};
    for (const std::string_view answer : answers) {
        SCOPED_TRACE("stored \"" + std::string(stored) + "\", typed \"" + std::string(answer) +
                     '"');
        EXPECT_EQ(expected, MatchTolerantly(answer, {stored, {}, {}}, isRealWord));
    }
}

TEST(TolerantMatch, BlanksAndCase) {
    Expect("Hund", "Leerzeichen", {" Hund ", "Hund\t"});
    Expect("zu  Hause", "Leerzeichen", {"zu Hause", " zu \t Hause"});
    Expect("Hund", "Großschreibung", {"hund", "HUND"});
    Expect("Hund", kWrong, {"Hun d", "Hunde"});
}

TEST(TolerantMatch, UmlautSpellings) {
    Expect("Mädchen", "Umschrift", {"Maedchen", "maedchen", "MAEDCHEN"});
    Expect("Maedchen", "Umschrift", {"Mädchen"});
    Expect("Straße", "Umschrift", {"Strasse", "STRASSE"});
    Expect("Crème", "Umschrift", {"creme", "CREME"});
    Expect("schön", kWrong, {"schon", "schoen!"});
    Expect("Bär", kWrong, {"Bar", "Bear"});
}

TEST(TolerantMatch, ArticlesOnEitherSide) {
    Expect("der Hund", "Artikel", {"Hund", "die Hund", "ein hund"});
    Expect("Hund", "Artikel", {"der Hund", "Der  Hund", "einen Hund"});
    Expect("Hund", kWrong, {"der", "derHund", "der der Hund"});
    Expect("der", kWrong, {"die"});
}

TEST(TolerantMatch, SichAndZuOnlyBeforeVerbs) {
    Expect("sich freuen", "Verbform", {"freuen", "Freuen"});
    Expect("ärgern", "Verbform", {"sich ärgern", "Sich aergern"});
    Expect("zu ändern", "Verbform", {"ändern", "aendern"});
    Expect("tun", "Verbform", {"zu tun"});
    Expect("sich freuen", kWrong, {"sich"});
    Expect("zu Hause", kWrong, {"Hause", "Haus"});
    Expect("zu spät", kWrong, {"spät"});
    Expect("zu gern", kWrong, {"gern"});
}

TEST(TolerantMatch, ParenthesesAndSemicolonOnlyOnStoredSide) {
    Expect("Bank (Sitz)", "Zusatz", {"Bank", "bank"});
    Expect("Bank (Sitz)", "Großschreibung", {"bank (sitz)"});
    Expect("(sich) freuen", "Zusatz", {"freuen"});
    Expect("Geld (Schein", "Zusatz", {"Geld"});
    Expect("laufen; rennen", "Großschreibung", {"Laufen ", "RENNEN"});
    Expect("Bank", kWrong, {"Bank (Sitz)"});
    Expect("laufen", kWrong, {"laufen; rennen"});
    Expect("(Tier)", kWrong, {"Tier"});
}

TEST(TolerantMatch, OneTypoInLongWords) {
    Expect("Schmetterling", "Tippfehler",
           {"chmetterling", "Xchmetterling", "aSchmetterling", "cShmetterling", "Schmeterling",
            "Schmettterling", "Schmetetrling", "Schmetterlin", "Schmetterlinq", "Schmetterlingg",
            "Schmetterlign"});
    Expect("Schmetterling", kWrong, {"Schmeterlinng", "Schmettrelign", "chmetterlin"});
    Expect("Garten", "Tippfehler", {"Gartn", "Garden"});
    Expect("Brücke", "Tippfehler", {"Brükce", "Brucke", "Brüke"});
    Expect("zu Hause", "Tippfehler", {"zuhause"});
    Expect("Straße", kWrong, {"Strabe"});
}

TEST(TolerantMatch, RealWordIsNoTypo) {
    const IsRealWord german = [](std::string_view key) {
        return key == "KIRCHE" || key == "KUECHEN" || key == "HASE" || key == "GUTEN" || key == "ZUHAUSE";
    };
    Expect("Kirsche", kWrong, {"Kirche", "die KIRCHE"}, german);
    Expect("der Kuchen (Gebäck)", kWrong, {"die Küchen", "kuechen"}, german);
    Expect("zu Hause", kWrong, {"zu Hase"}, german);
    // Stored words, a blank more or less, words outside the list: typos still.
    Expect("Guten Morgen", "Tippfehler", {"guten Morgn"}, german);
    Expect("zu Hause", "Tippfehler", {"zuhause", "zu Hasue"}, german);
}

TEST(TolerantMatch, ShortWordsNeverTolerateTypos) {
    Expect("Hund", kWrong, {"Hand", "Hnud", "Hun", "Hundd"});
    Expect("Katze", kWrong, {"Kazte"});
    Expect("Bäume", kWrong, {"Baume"});  // five letters, though "BAEUME" has six
    Expect("der Hund", kWrong, {"der Hand"});
    Expect("Hund (Tier)", kWrong, {"Hand"});
    Expect("Ja, ja!", kWrong, {"Ja, ha!"});
}

TEST(TolerantMatch, RulesCombine) {
    Expect("der Schmetterling (Insekt)", "Tippfehler", {"  schmeterling "});
    Expect("das Mädchen (Kind)", "Tippfehler", {"madchen"});
    Expect("sich freuen; sich erfreuen", "Verbform", {"Freuen", "erfreuen"});
    Expect("die Straße (Weg)", "Zusatz", {"strasse"});
    Expect("Mädchen", "Artikel", {"Das  MAEDCHEN"});
}

// Each alternative after ";" and either form of "X(in)" is a translation of its own,
// each with its own typo guard.
TEST(TolerantMatch, AlternativesAndEndingsInParentheses) {
    for (const auto& [typed, stored] : {std::pair{"Beutel", "Tasche; Beutel"}, {"Tasche", "Tasche ;Beutel"},
                                        {"Lehrerin", "Lehrer(in)"}, {"Lehrer", "Lehrer(in)"},
                                        {"Schüler (Schule)", "Kind; Schüler(in) (Schule)"}}) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(MatchKind::Exact, MatchTolerantly(typed, {"Hund", stored, {}}).kind);
        EXPECT_EQ(1, MatchTolerantly(typed, {"Hund", stored, {}}).translation);
    }
    Expect("Tasche; Beutel", "Großschreibung", {"beutel"});
    Expect("Tasche; Beutel", "Artikel", {"der Beutel"});
    Expect("Lehrer(in)", "Großschreibung", {"LEHRERIN", "lehrer"});
    Expect("Kind; Schüler(in) (Schule)", "Zusatz", {"Schülerin", "Schueler"});
    Expect("Tasche; Beutel", kWrong, {"Tasche Beutel", "Beutelin"});
    Expect("Lehrer(in)", kWrong, {"Lehrerinnen", "in"});
    Expect("Bank (Sitz; Geld)", kWrong, {"Geld"});
    const IsRealWord german = [](std::string_view key) { return key == "KIRCHE" || key == "LEHRERN"; };
    Expect("Obst; Kirsche", "Tippfehler", {"Kirsch"}, german);
    Expect("Obst; Kirsche", kWrong, {"Kirche"}, german);
    Expect("Kind; Lehrer(in)", "Tippfehler", {"Lehrerni"}, german);
    Expect("Kind; Lehrer(in)", kWrong, {"Lehrern"}, german);
}

TEST(TolerantMatch, ExactFirstThenMildestRuleThenFirstTranslation) {
    EXPECT_EQ((ToleranceResult{MatchKind::Exact, 1, {}}),
              MatchTolerantly("hund", {"Hund", "hund", ""}));
    EXPECT_EQ((ToleranceResult{MatchKind::Exact, 2, {}}),
              MatchTolerantly("Hund", {"Katze", "", "Hund"}));
    EXPECT_EQ((ToleranceResult{MatchKind::Tolerant, 1, "Umschrift"}),
              MatchTolerantly("maedchen", {"das Mädchen", "Mädchen", ""}));
    EXPECT_EQ((ToleranceResult{MatchKind::Tolerant, 1, "Großschreibung"}),
              MatchTolerantly("katze", {"", "Katze", "Katze"}));
}

TEST(TolerantMatch, EmptyInputsNeverMatch) {
    EXPECT_EQ(ToleranceResult{}, MatchTolerantly("Hund", {"", "", ""}));
    for (const std::string_view blank : {"", " ", " \t "}) {
        SCOPED_TRACE('"' + std::string(blank) + '"');
        EXPECT_EQ(ToleranceResult{}, MatchTolerantly(blank, {"Hund", blank, " "}));
    }
}

TEST(TolerantMatch, DiffersOnlyInForm) {
    EXPECT_TRUE(DiffersOnlyInForm("maedchen", "Mädchen"));
    EXPECT_TRUE(DiffersOnlyInForm(" Hund ", "Hund"));
    EXPECT_TRUE(DiffersOnlyInForm("STRASSE", "Straße"));
    EXPECT_FALSE(DiffersOnlyInForm("Hund", "Hund"));
    EXPECT_FALSE(DiffersOnlyInForm("Hund", "der Hund"));
    EXPECT_FALSE(DiffersOnlyInForm("Bank", "Bank (Sitz)"));
    EXPECT_FALSE(DiffersOnlyInForm(" ", "  "));  // nothing typed
}

}  // namespace
}  // namespace morvanta::text
