#include "exchange/japanese_run.h"

#include "text/escape_runs.h"

namespace morvanta::exchange {

std::string EscapeRunOf(std::string_view storedRtf) {
    if (storedRtf.find("\\'") == std::string_view::npos) return {};
    return text::IsolateRtfEscapes(storedRtf);
}

}  // namespace morvanta::exchange
