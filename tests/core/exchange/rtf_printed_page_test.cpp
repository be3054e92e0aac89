// Both lists as LibreOffice prints them: the page they ask for and what lands on it.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>

#include "core/exchange/rtf_kanji_list.h"
#include "core/exchange/rtf_practice_list.h"
#include "support/pdf_reading.h"
#include "support/rtf_test_support.h"
#include "text/rich_text.h"

namespace morvanta::exchange {
namespace {

using namespace exchangetest;
using pdftest::Output;

// "portrait" or "landscape" for an A4 page, else what pdfinfo says.
std::string A4Page(const std::filesystem::path& pdf) {
    return pdftest::A4Page(pdftest::Info(pdf, "Page size"));
}

TEST(PrintedLists, EveryColumnOnItsA4Page) {
    for (const std::string tool : {"soffice", "pdftotext", "pdfinfo"})
        if (Output("command -v " + tool).empty()) GTEST_SKIP() << tool << " is not installed";
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    std::ostringstream practice, kanji;
    PracticeListWriter writer(practice);
    writer.addWord(StoredRtf("大きさ"), StoredRtf("おおきさ"), "Größe");
    writer.addWord(StoredRtf("橋"), StoredRtf("はし"), "Brücke");
    writer.finish();
    WriteFile(folder / "practice.rtf", practice.str());
    KnownCharacters known;
    std::istringstream kana(ReadFile(SourceDir() / "data" / "hirakata.txt"));
    known.loadKanaList(kana);
    known.addKanjiText(text::PlainTextToRtf("森鷗外"));
    WriteKanjiList(kanji, known);
    WriteFile(folder / "kanji.rtf", kanji.str());

    // A profile of its own, so that parallel runs do not wait for each other.
    const std::string f = folder.string();
    ASSERT_EQ(std::system(("timeout 600 soffice -env:UserInstallation=file://" + f +
                           "/profile --headless --convert-to pdf --outdir '" + f + "' '" + f +
                           "/practice.rtf' '" + f + "/kanji.rtf' >/dev/null 2>&1")
                              .c_str()),
              0);

    // pdftotext gives only what lies on the page.
    EXPECT_EQ(A4Page(folder / "practice.pdf"), "landscape");
    const std::string list = Output("pdftotext -layout '" + f + "/practice.pdf' -");
    for (const char* shown : {"大きさ", "おおきさ", "Größe", "Brücke"})
        EXPECT_NE(list.find(shown), std::string::npos) << shown << " not on the page:\n" << list;
    EXPECT_EQ(A4Page(folder / "kanji.pdf"), "portrait");
    const std::string rows = Output("pdftotext -layout '" + f + "/kanji.pdf' -");
    for (const char* shown : {"森", "鷗", "外"})
        EXPECT_NE(rows.find(shown), std::string::npos) << shown << " not on the page:\n" << rows;
}

}  // namespace
}  // namespace morvanta::exchange
