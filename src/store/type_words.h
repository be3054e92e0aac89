#pragma once
// The twelve word types, in the order the entry page and the quiz selection offer them.

#include <array>
#include <string_view>

namespace morvanta::store {

inline constexpr std::array<std::string_view, 12> kTypeWords = {
    "Meishi",   "Keiyoushi", "Keiyoudoushi", "Fukushi",          "Rentaishi", "Verb-Vok",
    "Verb-Kon", "Verb-Unr",  "Joshi",        "Zähleinheitswort", "Gimonshi",  "Sonstiges",
};

}  // namespace morvanta::store
