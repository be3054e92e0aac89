#include "core/entry/kana_change.h"

#include "text/escape_runs.h"

namespace morvanta::entry {

std::string HepburnFromKanaRtf(std::string_view rtf) {
    const std::string run = text::IsolateRtfEscapes(rtf.substr(0, kKanaRtfLimit));
    if (run.find("\\'") == std::string::npos) return {};
    return text::KanaToHepburn(run);
}

}  // namespace morvanta::entry
