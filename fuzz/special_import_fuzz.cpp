// The special import's reader and record building on any file: every line is
// read once, the words come out in sevens, and a word either becomes a record
// or is refused with the conversion message.
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "core/exchange/special_import.h"
#include "fuzz_check.h"

using namespace morvanta;

namespace {

class StillClock : public store::Clock {
public:
    store::DateTime now() const override { return {2024, 3, 15, 10, 30, 0, 0}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::istringstream in(input);
    exchange::SpecialImportReader reader(in);
    const StillClock clock;
    std::int64_t lastRead = 0;
    std::size_t words = 0;
    while (!reader.atEnd()) {
        const exchange::SpecialImportLines lines = reader.readWord();
        ++words;
        FUZZ_CHECK(words <= size);  // each word takes at least one byte
        const std::int64_t read = reader.bytesRead();
        FUZZ_CHECK(read > lastRead && read <= static_cast<std::int64_t>(size));
        lastRead = read;
        try {
            const auto record = exchange::SpecialImportRecord(lines, clock);
            if (record) FUZZ_CHECK(!std::get<std::string>((*record)[0]).empty());
        } catch (const exchange::ConversionError& e) {
            // (the message may stop early at a NUL byte of the line)
            FUZZ_CHECK(std::string_view(e.what()).starts_with("'"));
        }
    }
    if (size > 0) FUZZ_CHECK(lastRead == static_cast<std::int64_t>(size));
    return 0;
}
