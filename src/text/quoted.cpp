#include "text/quoted.h"

namespace morvanta::text {

std::string Quoted(std::string_view name) {
    // Appended, not concatenated: g++ 12 warns falsely (-Wrestrict) on "„" + text + "“".
    std::string text = "„";
    text += name;
    text += "“";
    return text;
}

}  // namespace morvanta::text
