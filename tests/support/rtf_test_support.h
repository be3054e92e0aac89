#pragma once
// Helpers shared by the RTF list, special import and word dump tests.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "text/codepage.h"
#include "text/escape_runs.h"

namespace morvanta::exchangetest {

// UTF-8 Japanese text as the lower-case Shift-JIS escapes the table stores.
inline std::string Sjis(std::string_view utf8) {
    std::string out;
    for (char32_t cp : text::Utf8ToCodePoints(utf8)) {
        const auto bytes = text::CodePointToCp932(cp);
        if (!bytes) {
            ADD_FAILURE() << "no Shift-JIS code";
            continue;
        }
        for (unsigned char b : *bytes) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\'%02x", b);
            out += escape;
        }
    }
    return out;
}

// A stored Kanji or Hira-Kata document holding the Japanese text.
inline std::string StoredRtf(std::string_view utf8) { return text::WrapJapaneseRtf(Sjis(utf8)); }

inline std::filesystem::path SourceDir() {
    const char* root = std::getenv("MORVANTA_SOURCE_DIR");
    return root ? root : ".";
}
inline std::filesystem::path GoldenDir(const std::string& name) {
    return SourceDir() / "tests" / "exchange" / "data" / name;
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
inline void WriteFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Compares with tests/exchange/data/<name>/<file>; MORVANTA_UPDATE_GOLDEN=1 rewrites it.
inline void ExpectGolden(const std::string& name, const std::string& file, const std::string& actual) {
    const auto path = GoldenDir(name) / file;
    if (std::getenv("MORVANTA_UPDATE_GOLDEN")) WriteFile(path, actual);
    ASSERT_TRUE(std::filesystem::exists(path)) << path;
    EXPECT_EQ(ReadFile(path), actual) << "differs from " << path;
}

// Decodes the entities unrtf's HTML output uses.
inline std::string DecodeEntities(const std::string& html) {
    static const std::pair<const char*, const char*> kNamed[] = {
        {"amp", "&"},      {"lt", "<"},       {"gt", ">"},       {"quot", "\""},
        {"auml", "ä"},     {"ouml", "ö"},     {"uuml", "ü"},     {"Auml", "Ä"},
        {"Ouml", "Ö"},     {"Uuml", "Ü"},     {"szlig", "ß"},    {"eacute", "é"},
        {"nbsp", " "},      {"Omega", "Ω"}};
    std::string out;
    for (std::size_t i = 0; i < html.size(); ++i) {
        const std::size_t semi = html[i] == '&' ? html.find(';', i) : std::string::npos;
        if (semi == std::string::npos || semi - i > 10) {
            out += html[i];
            continue;
        }
        const std::string name = html.substr(i + 1, semi - i - 1);
        std::string replacement;
        if (!name.empty() && name[0] == '#') {
            replacement = text::CodePointsToUtf8(
                std::u32string(1, static_cast<char32_t>(std::stoul(name.substr(1)))));
        } else {
            for (const auto& [n, r] : kNamed)
                if (name == n) replacement = r;
        }
        if (replacement.empty()) {
            out += html[i];
            continue;
        }
        out += replacement;
        i = semi;
    }
    return out;
}

// The document's text as a real RTF reader (unrtf) understands it, UTF-8.
// What a shell command prints, or nullopt when a tool it names is not installed.
inline std::optional<std::string> CommandOutput(const std::string& tools, const std::string& command) {
    if (std::system(("for t in " + tools + "; do command -v $t >/dev/null 2>&1 || exit 1; done").c_str()) != 0)
        return std::nullopt;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string text;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return text;
}

// A file as LibreOffice reads it, converted to `format` ("pdf" read back as text
// with pdftotext, "fods" as its XML); `filter` is the import filter's options.
// nullopt where LibreOffice is not installed.
inline std::optional<std::string> ReadWithLibreOffice(const std::filesystem::path& file,
                                                      const std::string& format = "pdf",
                                                      const std::string& filter = {}) {
    const std::string folder = file.parent_path().string();
    const std::string converted = std::filesystem::path(file).replace_extension("." + format).string();
    return CommandOutput(format == "pdf" ? "soffice pdftotext" : "soffice",
                         "cd '" + folder + "' && HOME='" + folder + "' timeout 180 soffice --headless " +
                             (filter.empty() ? "" : "--infilter='" + filter + "' ") + "--convert-to " + format +
                             " '" + file.string() + "' >/dev/null 2>&1 && " +
                             (format == "pdf" ? "pdftotext '" + converted + "' - 2>/dev/null"
                                              : "cat '" + converted + "'"));
}

inline std::string ReadWithUnrtf(const std::filesystem::path& file) {
    const std::string command = "unrtf --html '" + file.string() + "' 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string html;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) html.append(buffer, n);
    const int status = ::pclose(pipe);
    EXPECT_EQ(status, 0) << "unrtf failed on " << file;
    // unrtf's HTML keeps the text inside <body>; tags do not matter here.
    std::string textOnly;
    bool inTag = false;
    for (char c : html.substr(std::min(html.find("<body"), html.size()))) {
        if (c == '<') inTag = true;
        else if (c == '>') inTag = false;
        else if (!inTag) textOnly += c;
    }
    return DecodeEntities(textOnly);
}

}  // namespace morvanta::exchangetest
