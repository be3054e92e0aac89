#pragma once
// A file written completely or not at all: the content goes to a temporary
// file in the same folder, which replaces the target only on commit().
// Without commit() (an error, a cancel) the target stays as it was.

#include <filesystem>
#include <fstream>

namespace morvanta::exchange {

class AtomicFile {
public:
    // Throws std::runtime_error when the temporary file cannot be created.
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::ostream& stream() { return out_; }
    // Flushes, syncs and renames over the target; throws on any write failure.
    void commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::ofstream out_;
    bool committed_ = false;
};

}  // namespace morvanta::exchange
