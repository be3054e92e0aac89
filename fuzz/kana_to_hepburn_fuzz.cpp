// KanaToHepburn against the literal replace-all algorithm; the literal one is
// slow, so long inputs only have to come through without a fault.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "support/reference_kana_to_hepburn.h"
#include "text/escape_runs.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string fast = text::KanaToHepburn(input);
    if (size <= 512) FUZZ_CHECK(fast == reference::KanaToHepburn(input));
    // What the entry page feeds it: the escape run cut out of a document.
    const std::string isolated = text::IsolateRtfEscapes(input);
    const std::string fromRun = text::KanaToHepburn(isolated);
    if (isolated.size() <= 512) FUZZ_CHECK(fromRun == reference::KanaToHepburn(isolated));
    return 0;
}
