#pragma once
// The headword list of a dictd dictionary (lines "headword TAB offset TAB length",
// the numbers in dictd's base-64 digits), held sorted by the headword's bytes so
// exact and prefix look-ups are binary searches.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvanta::dict {

struct IndexEntry {
    std::string_view headword;  // points into the index's own text
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// A dictd number ("A" = 0, "/" = 63, most significant digit first); nothing for
// an empty text, a stray character or a value beyond 2^48.
std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits);

class DictdIndex {
public:
    // Throws DictError naming `name` when a line is not headword, offset, length.
    DictdIndex(std::string text, const std::string& name);

    std::span<const IndexEntry> exact(std::string_view headword) const;
    // Every headword that starts with `prefix`, the exact ones first.
    std::span<const IndexEntry> withPrefix(std::string_view prefix) const;
    std::size_t size() const { return entries_.size(); }

private:
    std::string text_;
    std::vector<IndexEntry> entries_;
};

}  // namespace morvanta::dict
