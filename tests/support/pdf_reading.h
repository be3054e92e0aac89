#pragma once
// Reads a PDF back with poppler's tools: pages, page size, fonts, text per page.

#include <gtest/gtest.h>

#include <QString>
#include <cstdio>
#include <filesystem>
#include <string>

namespace morvanta::pdftest {

inline std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    while (const std::size_t n = pipe ? std::fread(buffer, 1, sizeof buffer, pipe) : 0)
        out.append(buffer, n);
    if (pipe) ::pclose(pipe);
    return out;
}

// The missing tool, or the empty text when pdfinfo, pdftotext and pdffonts are there.
inline std::string MissingTool() {
    for (const std::string tool : {"pdfinfo", "pdftotext", "pdffonts"})
        if (Output("command -v " + tool).empty()) return tool;
    return {};
}

inline std::string Quote(const std::filesystem::path& file) { return "'" + file.string() + "'"; }

// pdfinfo's field, e.g. "Pages" or "Page size".
inline std::string Info(const std::filesystem::path& pdf, const std::string& field) {
    const std::string info = Output("pdfinfo " + Quote(pdf));
    const std::size_t at = info.find(field + ":");
    if (at == std::string::npos) return {};
    std::size_t start = info.find_first_not_of(' ', at + field.size() + 1);
    return info.substr(start, info.find('\n', start) - start);
}

inline int Pages(const std::filesystem::path& pdf) { return std::atoi(Info(pdf, "Pages").c_str()); }

// Text of one page (1-based), in reading order. Qt's PDF writer maps a glyph
// that a font shares between a kanji and its Kangxi radical (日 and ⽇) to the
// radical; NFKC gives the kanji back.
inline std::string PageText(const std::filesystem::path& pdf, int page) {
    const std::string n = std::to_string(page);
    return QString::fromStdString(
               Output("pdftotext -layout -f " + n + " -l " + n + " " + Quote(pdf) + " -"))
        .normalized(QString::NormalizationForm_KC)
        .toStdString();
}

// "842 x 595 pts (A4)" -> "landscape", or what pdfinfo says when it is no A4 page.
inline std::string A4Page(const std::string& pageSize) {
    double width = 0, height = 0;
    if (std::sscanf(pageSize.c_str(), "%lf x %lf", &width, &height) != 2 ||
        pageSize.find("(A4)") == std::string::npos)
        return pageSize;
    return width < height ? "portrait" : "landscape";
}

inline std::string Fonts(const std::filesystem::path& pdf) {
    return Output("pdffonts " + Quote(pdf));
}

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace morvanta::pdftest
