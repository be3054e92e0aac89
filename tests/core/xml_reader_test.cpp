// The word-list XML import's mapping onto the entry fields.
#include <gtest/gtest.h>

#include <QString>

#include "core/xml_word_list_reader.h"

namespace morvanta::exchange {
namespace {

QByteArray Doc(const char* body) {
    return QByteArray(
               "<?xml version=\"1.0\" ?>\n<lqw:wordlist xmlns:lqw=\"http://morvanta.example/wordlist\""
               " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n") +
           body + "</lqw:wordlist>\n";
}

TEST(XmlImport, FourTranslationsFillT1T2AndTheLastReplacesT3) {
    const auto r = ReadWordList(Doc(R"(<word xsi:type="lqw:japaneseword">
        <translation priority="3">eins</translation>
        <translation>zwei</translation>
        <translation>drei</translation>
        <translation>vier</translation>
      </word>)"),
                                {});
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.fill.translations[0], QStringLiteral("eins"));
    EXPECT_EQ(r.fill.translations[1], QStringLiteral("zwei"));
    EXPECT_EQ(r.fill.translations[2], QStringLiteral("vier"));
}

TEST(XmlImport, TranslationsGoToFieldsStillEmptyOnThePage) {
    const auto r = ReadWordList(Doc("<word><translation>neu</translation>"
                                    "<translation>noch</translation></word>"),
                                {QStringLiteral("alt"), QString(), QStringLiteral("drei")});
    EXPECT_FALSE(r.fill.translations[0]);
    EXPECT_EQ(r.fill.translations[1], QStringLiteral("neu"));
    EXPECT_EQ(r.fill.translations[2], QStringLiteral("noch"));
}

TEST(XmlImport, SecondWordReplacesFirstAndItsTranslationsFillEmptyFields) {
    const auto r = ReadWordList(Doc(R"(
      <description xml:lang="de">Die Liste</description>
      <word><word>犬</word><reading>いぬ</reading><transliteration>inu</transliteration>
        <translation>Hund</translation><lesson>3</lesson><type>Meishi</type><tone>1</tone>
        <description>erster</description></word>
      <word><word>猫</word><reading>ねこ</reading><transliteration>neko</transliteration>
        <translation>Katze</translation><translation>Mieze</translation>
        <lesson>4</lesson><type>Doushi</type><tone>-2</tone><description>zweiter</description>
        <dateentered>2024-01-01T00:00:00Z</dateentered><countasked>5</countasked></word>)"),
                                {});
    ASSERT_TRUE(r.loaded);
    EXPECT_EQ(r.fill.KanjiEdit, QString::fromUtf8("猫"));
    EXPECT_EQ(r.fill.HiraKataEdit, QString::fromUtf8("ねこ"));
    EXPECT_EQ(r.fill.HepburnEdit, QStringLiteral("neko"));
    EXPECT_EQ(r.fill.translations[0], QStringLiteral("Hund"));
    EXPECT_EQ(r.fill.translations[1], QStringLiteral("Katze"));
    EXPECT_EQ(r.fill.translations[2], QStringLiteral("Mieze"));
    EXPECT_EQ(r.fill.Lesson, QStringLiteral("4"));
    EXPECT_EQ(r.fill.TypEdit, QStringLiteral("Doushi"));
    EXPECT_EQ(r.fill.Accent, QStringLiteral("-2"));
    // The root's own description is not a word's.
    EXPECT_EQ(r.fill.NoteEdit, QStringLiteral("zweiter"));
}

TEST(XmlImport, PrefixedOrOtherwiseNamedElementsChangeNothing) {
    const auto r = ReadWordList(Doc(R"(
      <lqw:word><word>犬</word><translation>Hund</translation></lqw:word>
      <Word><translation>Hund</translation></Word>
      <word><lqw:translation>Hund</lqw:translation><Translation>x</Translation>
        <!-- <translation>Kommentar</translation> --></word>)"),
                                {});
    ASSERT_TRUE(r.loaded);
    EXPECT_TRUE(r.fill.changesNothing());
}

TEST(XmlImport, EntitiesAreResolvedInTheText) {
    const auto r = ReadWordList(
        Doc("<word><translation>Tom &amp; Jerry &lt;3 &#x72AC;</translation></word>"), {});
    EXPECT_EQ(r.fill.translations[0], QString::fromUtf8("Tom & Jerry <3 犬"));
}

TEST(XmlImport, MalformedFileGivesTheLoadErrorWithLineAndColumn) {
    const auto r = ReadWordList(QByteArray("<?xml version=\"1.0\" ?>\n<list>\n  <word>\n</list>\n"), {});
    EXPECT_FALSE(r.loaded);
    EXPECT_TRUE(r.fill.changesNothing());
    EXPECT_TRUE(r.errorMessage.startsWith(
        QStringLiteral("Error loading XML document.\rError number: ")))
        << r.errorMessage.toStdString();
    EXPECT_TRUE(r.errorMessage.endsWith(QStringLiteral("\rLine: 4\rColumn: 7")))
        << r.errorMessage.toStdString();
    EXPECT_EQ(XmlLoadErrorMessage(-5, QStringLiteral("%1 bad"), 2, 3),
              QStringLiteral("Error loading XML document.\rError number: -5\rReason: %1 bad\rLine: "
                             "2\rColumn: 3"));

    const auto empty = ReadWordList(QByteArray(), {});
    EXPECT_FALSE(empty.loaded);
}

}  // namespace
}  // namespace morvanta::exchange
