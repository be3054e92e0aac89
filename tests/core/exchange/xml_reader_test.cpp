// The word-list XML import's mapping onto the entry fields.
#include <gtest/gtest.h>

#include <QString>
#include <random>
#include <vector>

#include "core/exchange/xml_word_list_reader.h"
#include "support/reference_xml_word_list.h"

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
    EXPECT_EQ(r.fill.kanji, QString::fromUtf8("猫"));
    EXPECT_EQ(r.fill.kana, QString::fromUtf8("ねこ"));
    EXPECT_EQ(r.fill.hepburn, QStringLiteral("neko"));
    EXPECT_EQ(r.fill.translations[0], QStringLiteral("Hund"));
    EXPECT_EQ(r.fill.translations[1], QStringLiteral("Katze"));
    EXPECT_EQ(r.fill.translations[2], QStringLiteral("Mieze"));
    EXPECT_EQ(r.fill.lesson, QStringLiteral("4"));
    EXPECT_EQ(r.fill.type, QStringLiteral("Doushi"));
    EXPECT_EQ(r.fill.accent, QStringLiteral("-2"));
    // The root's own description is not a word's.
    EXPECT_EQ(r.fill.note, QStringLiteral("zweiter"));
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

// Same outcome, message and fill as reading the whole file as a DOM document.
void ExpectAsDom(const QByteArray& bytes) {
    const std::array<QString, 3> taken{QStringLiteral("a"), QString(), QString()};
    const XmlReadResult streamed = ReadWordList(bytes, taken);
    const XmlReadResult dom = test::ReferenceReadWordList(bytes, taken);
    const auto text = [](const std::optional<QString>& v) { return v ? u'=' + *v : QString(); };
    const auto all = [&](const XmlReadResult& r) {
        const XmlEntryFill& f = r.fill;
        return QStringList{QString::number(r.loaded), r.errorMessage, text(f.kanji),
                           text(f.kana), text(f.translations[0]), text(f.translations[1]),
                           text(f.translations[2]), text(f.lesson), text(f.hepburn),
                           text(f.type), text(f.accent), text(f.note)}
            .join(u'|');
    };
    EXPECT_EQ(all(streamed), all(dom)) << bytes.left(300).toStdString();
}

TEST(XmlImport, StreamedReadingLoadsFailsAndFillsAsTheDocumentModelDoes) {
    const char* bodies[] = {
        "<word><word> a &amp; b </word><reading> &amp; </reading><type>x<!--c-->  </type>"
        "<tone>&#x20;</tone><lesson><![CDATA[  ]]></lesson><description><b>in</b> <i>ner</i>"
        "</description><translation><?pi x?> t </translation></word><word/><word>text</word>",
        "<word><?word?><transliteration>\t</transliteration></word><?word x?>",
        "<word><translation>eins</translation></word>\n<!DOCTYPE x>",
        "<word><translation>eins</translation></word></lqw:wordlist><x/>",
    };
    std::vector<QByteArray> docs;
    for (const char* body : bodies) docs.push_back(Doc(body));
    docs.push_back("<!DOCTYPE l [<!ENTITY e \"<x>Hund</x>\">]><l><word><word>&e; x</word></word></l>");
    docs.push_back("<!DOCTYPE l SYSTEM \"l.dtd\"><l><word><word>&e; x</word></word></l>");
    docs.push_back("<!DOCTYPE l><!DOCTYPE l><l/>");
    docs.push_back("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><l><word><word>\xe4</word></word></l>");
    docs.push_back(QByteArray());
    // UTF-16 with the byte-order mark, many words: text, markup and entities
    // cross the reader's buffer boundaries.
    QString many = QStringLiteral("<?xml version=\"1.0\" ?>\r\n<lqw:wordlist>\r\n");
    for (int i = 0; i < 3000; ++i)
        many += QStringLiteral("  <word>\r\n    <word xml:lang=\"ja\" >\u6F22 %1</word>\r\n"
                               "    <translation> T &amp; %1 </translation>\r\n  </word>\r\n").arg(i);
    many += QStringLiteral("</lqw:wordlist>\r\n");
    const QByteArray utf16 = QByteArray("\xFF\xFE") +
                             QByteArray(reinterpret_cast<const char*>(many.utf16()), many.size() * 2);
    docs.push_back(utf16);
    docs.push_back(utf16.left(utf16.size() - 10));  // broken near its end: nothing is filled
    for (const QByteArray& doc : docs) ExpectAsDom(doc);

    // Damaged copies of a small list: whatever the damage, the same verdict.
    const QByteArray sample = Doc(bodies[0]);
    const char pieces[][6] = {"<", ">", "&", "/", "]]>", "<!--", "&#0;", "\"", "<a>", "</a>"};
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        QByteArray damaged = sample;
        const int at = int(random() % damaged.size());
        if (i % 2) damaged.remove(at, int(random() % 4) + 1);
        else damaged.insert(at, pieces[random() % std::size(pieces)]);
        ExpectAsDom(damaged);
    }
}

}  // namespace
}  // namespace morvanta::exchange
