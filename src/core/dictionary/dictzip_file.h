#pragma once
// A dictzip file (gzip whose "RA" extra field lists independently deflated
// chunks): reads a stretch of the uncompressed text by inflating only the chunks
// it touches. The last few chunks stay in memory, as neighbouring look-ups
// usually need them again.

#include <cstdint>
#include <fstream>
#include <list>
#include <string>
#include <utility>
#include <vector>

namespace morvanta::dict {

class DictzipFile {
public:
    // Reads the header; throws DictError when it is not a dictzip file.
    explicit DictzipFile(const std::string& path);

    // The uncompressed bytes [offset, offset + length); throws DictError when the
    // stretch lies beyond the file or a chunk does not inflate.
    std::string read(std::uint64_t offset, std::uint64_t length);

private:
    const std::string& chunk(std::size_t number);
    [[noreturn]] void damaged(const std::string& what) const;

    std::string path_;
    std::ifstream in_;
    std::uint32_t chunkLength_ = 0;
    std::vector<std::uint64_t> chunkStarts_;  // file positions; one more than chunks
    std::list<std::pair<std::size_t, std::string>> cache_;  // most recent first
};

}  // namespace morvanta::dict
