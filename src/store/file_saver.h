#pragma once
// Every file the program writes is written whole or not at all: the bytes go
// to a temporary file beside the final target, which is synced and renamed
// over the target only on commit(). Without commit() (an error, a cancel, an
// exception from whatever produces the bytes) the old file stays as it was
// and no temporary file is left behind.
//
// A symbolic link is written through: the file it finally points at is
// replaced, the link stays. An existing file keeps its permission bits (and
// its owner where allowed); a new one gets 0666 less the umask.

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvanta::store {

// What went wrong, for whom, and the system's reason (German where it is a common
// one). what() reads `Die Datei „<file>“ konnte nicht angelegt werden (<reason>).`,
// or `… geschrieben werden …`.
class FileSaveError : public std::runtime_error {
public:
    enum class Step { Create, Write };
    FileSaveError(Step step, std::filesystem::path file, std::string reason);
    Step step() const { return step_; }
    // The name the caller gave, not the resolved one.
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    Step step_;
    std::filesystem::path file_;
    std::string reason_;
};

class FileSaver {
public:
    // Creates the temporary file. Throws FileSaveError (Step::Create).
    explicit FileSaver(std::filesystem::path target);
    // Discards the temporary file unless committed; never throws.
    ~FileSaver();
    FileSaver(const FileSaver&) = delete;
    FileSaver& operator=(const FileSaver&) = delete;

    // Unbuffered: each call goes to the file at once, so hand over large chunks
    // (or use stream()). Throws FileSaveError (Step::Write); after a failure the
    // temporary file is gone and every later call throws the same error.
    void write(const char* data, std::size_t size);
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    // A buffered stream into the file. A failed write throws FileSaveError out
    // of the stream operation (badbit is in its exceptions mask).
    std::ostream& stream();

    // Flushes the stream, syncs, gives the file the target's permissions,
    // renames it over the target and syncs the folder. Throws FileSaveError.
    void commit();

    const std::filesystem::path& target() const { return target_; }

private:
    class StreamBuffer;
    [[noreturn]] void fail(FileSaveError::Step step, int error);
    [[noreturn]] void fail(FileSaveError::Step step, std::string reason);
    void discard() noexcept;

    std::filesystem::path target_;  // as given
    std::filesystem::path final_;   // after following symbolic links
    std::filesystem::path temp_;
    int fd_ = -1;
    bool keepMode_ = false;  // the target exists: its mode and owner carry over
    mode_t mode_ = 0;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    bool committed_ = false;
    std::unique_ptr<FileSaveError> failure_;
    std::unique_ptr<StreamBuffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
};

// The whole content at once.
void SaveFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace morvanta::store
