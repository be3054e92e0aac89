#include "core/dictionary/dictd_index.h"

#include <algorithm>

#include "core/dictionary/dict_error.h"

namespace morvanta::dict {

std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int digit;
        if (c >= 'A' && c <= 'Z') digit = c - 'A';
        else if (c >= 'a' && c <= 'z') digit = c - 'a' + 26;
        else if (c >= '0' && c <= '9') digit = c - '0' + 52;
        else if (c == '+') digit = 62;
        else if (c == '/') digit = 63;
        else return std::nullopt;
        value = value * 64 + static_cast<std::uint64_t>(digit);
    }
    return value;
}

DictdIndex::DictdIndex(std::string text, const std::string& name) : text_(std::move(text)) {
    const std::string_view all(text_);
    std::size_t lineNumber = 0;
    for (std::size_t pos = 0; pos < all.size();) {
        std::size_t end = all.find('\n', pos);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        std::optional<std::uint64_t> offset, length;
        if (tab2 != std::string_view::npos) {
            offset = DecodeDictdNumber(line.substr(tab1 + 1, tab2 - tab1 - 1));
            length = DecodeDictdNumber(line.substr(tab2 + 1));
        }
        if (!offset || !length)
            throw DictError("Das Wörterbuch-Verzeichnis " + name + " ist beschädigt (Zeile " +
                            std::to_string(lineNumber) + ").");
        // dictd's own entries (00-database-info …) have no headword the learner types.
        if (tab1 == 0) continue;
        entries_.push_back({line.substr(0, tab1), *offset, *length});
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.headword < b.headword; });
}

std::span<const IndexEntry> DictdIndex::exact(std::string_view headword) const {
    const auto range = std::equal_range(
        entries_.begin(), entries_.end(), IndexEntry{headword},
        [](const IndexEntry& a, const IndexEntry& b) { return a.headword < b.headword; });
    return {range.first, range.second};
}

std::span<const IndexEntry> DictdIndex::withPrefix(std::string_view prefix) const {
    const auto first = std::lower_bound(
        entries_.begin(), entries_.end(), prefix,
        [](const IndexEntry& a, std::string_view key) { return a.headword < key; });
    const auto last = std::partition_point(first, entries_.end(), [&](const IndexEntry& e) {
        return e.headword.starts_with(prefix);
    });
    return {first, last};
}

}  // namespace morvanta::dict
