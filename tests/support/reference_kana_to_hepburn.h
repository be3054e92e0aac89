#pragma once
// KanaToHepburn done the slow, literal way: one whole-text replace-all pass per
// font switch and per table row, each making a new text. The fast routine must
// agree with it on every input; the benchmark measures against it.

#include <string>
#include <string_view>

namespace morvanta::reference {

std::string KanaToHepburn(std::string_view escapes);

}  // namespace morvanta::reference
