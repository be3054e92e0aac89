// A dictionary entry's text on any bytes: the parser keeps to the text it was
// given (every form and meaning is a piece of it, without the marks it drops)
// and three leading meanings come from the senses.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/dictionary/dict_entry.h"
#include "core/dictionary/dict_type.h"
#include "fuzz_check.h"

using namespace morvanta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const dict::DictEntry entry = dict::ParseDictEntry(input);
    for (const dict::DictForm& form : entry.forms) {
        FUZZ_CHECK(!form.text.empty() && input.find(form.text) != std::string_view::npos);
        FUZZ_CHECK(form.text.find_first_of("/,") == std::string::npos);
    }
    FUZZ_CHECK(input.find(entry.wordClass) != std::string_view::npos);
    std::size_t meanings = 0;
    for (const auto& group : entry.senses) {
        FUZZ_CHECK(!group.empty());
        for (const std::string& m : group) {
            FUZZ_CHECK(!m.empty() && m.size() <= size);
            FUZZ_CHECK(m.find('\n') == std::string::npos);
            ++meanings;
        }
    }
    const auto leading = dict::LeadingMeanings(entry, 3);
    FUZZ_CHECK(leading.size() <= 3 && leading.size() <= meanings);
    const std::string_view type = dict::TypeWordFor(entry.wordClass, input);
    FUZZ_CHECK(!type.empty());
    return 0;
}
