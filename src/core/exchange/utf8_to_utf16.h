#pragma once
// UTF-8 to UTF-16 into a reused buffer, giving exactly what QString::fromUtf8 gives.

#include <string>
#include <string_view>

namespace morvanta::exchange {

// Replaces `out` with the UTF-16 form of `utf8`. Well-formed text is converted
// here without allocating; anything unusual goes through Qt's own decoder.
void Utf8ToUtf16(std::string_view utf8, std::u16string& out);

}  // namespace morvanta::exchange
