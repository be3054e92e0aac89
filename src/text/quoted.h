#pragma once
// A name or value set in German quotation marks: „…“.

#include <string>
#include <string_view>

namespace morvanta::text {

std::string Quoted(std::string_view name);

}  // namespace morvanta::text
