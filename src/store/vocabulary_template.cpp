#include "store/vocabulary_template.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "store/engine_error.h"
#include "store/system_reason.h"

namespace morvanta::store {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void NotCreated(const fs::path& file, int error) {
    throw EngineError(WithDetail(
        "Die Vokabeldatei " + QuotedPath(file) + " kann nicht angelegt werden.", SystemReason(error)));
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Moves temp to file unless file exists; false when it does.
bool MoveIntoPlace(const fs::path& temp, const fs::path& file) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST) return false;
    if (errno != EINVAL) NotCreated(file, errno);
    // A file system without the no-replace rename: a hard link refuses an existing name too.
    if (::link(temp.c_str(), file.c_str()) != 0) {
        if (errno == EEXIST) return false;
        NotCreated(file, errno);
    }
    return true;
}

}  // namespace

bool CopyVocabularyTemplate(const fs::path& templateFile, const fs::path& file) {
    std::error_code ec;
    if (fs::exists(file, ec)) return false;
    std::ifstream in(templateFile, std::ios::binary);
    if (!in)
        throw EngineError(WithDetail("Die leere Vokabeldatei " + QuotedPath(templateFile) +
                                         " des Programms kann nicht gelesen werden.",
                                     SystemReason(errno)));
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (in.bad())
        throw EngineError("Die leere Vokabeldatei " + QuotedPath(templateFile) +
                          " des Programms kann nicht gelesen werden.");

    // A new name beside the target; 0666 less the umask, as any new file of the learner's.
    std::mt19937 random(std::random_device{}());
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 20; ++attempt) {
        temp = file.parent_path() / (".Vokabel-" + std::to_string(random() % 1000000) + ".tmp");
        fd = ::open(temp.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) NotCreated(file, errno);
    }
    if (fd < 0) NotCreated(file, EEXIST);
    bool moved = false;
    try {
        const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
        const int error = errno;
        ::close(fd);
        fd = -1;
        if (!written) NotCreated(file, error);
        moved = MoveIntoPlace(temp, file);
    } catch (...) {
        if (fd >= 0) ::close(fd);
        fs::remove(temp, ec);
        throw;
    }
    fs::remove(temp, ec);  // left only where a hard link stood in for the rename
    return moved;
}

}  // namespace morvanta::store
