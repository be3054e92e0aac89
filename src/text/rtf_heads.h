#pragma once
// The heads the program's own rich texts begin with: the one the rich-text
// writer puts before a plain text, and the one wrapped around escape runs. The
// reader reads each of them once and starts every document that has one after it.

#include <array>
#include <string_view>

namespace morvanta::text {

inline constexpr std::string_view kPlainTextRtfHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset128 MS UI Gothic;}"
    "{\\f1\\fnil\\fcharset0 Arial;}}\\viewkind4\\uc1\\pard\\f0\\fs24";
inline constexpr std::string_view kEscapeRunRtfHead =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\froman\\fprq1\\fcharset128 MS UI "
    "Gothic;}{\\f1\\fnil\\fcharset0 Arial Unicode MS;}}\\viewkind4\\uc1\\pard\\f0\\fs44";
inline constexpr std::array<std::string_view, 2> kOwnRtfHeads = {kPlainTextRtfHead, kEscapeRunRtfHead};

}  // namespace morvanta::text
