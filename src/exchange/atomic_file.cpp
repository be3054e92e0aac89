#include "exchange/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace morvanta::exchange {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const std::string& what, const fs::path& file, int error) {
    throw std::runtime_error(what + " \"" + file.string() + "\": " + std::strerror(error));
}

// Creates a fresh, uniquely named file beside the target.
fs::path CreateTemp(const fs::path& target) {
    std::string name = target.filename().string();
    name.insert(0, 1, '.');
    name.append(".XXXXXX");
    std::string pattern = (target.parent_path() / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) Fail("Cannot create file", target, errno);
    ::close(fd);
    return pattern;
}

void SyncFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Fail("Cannot write file", file, errno);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0) Fail("Cannot write file", file, error);
}

}  // namespace

AtomicFile::AtomicFile(fs::path target) : target_(std::move(target)) {
    if (target_.parent_path().empty()) target_ = fs::current_path() / target_;
    temp_ = CreateTemp(target_);
    out_.open(temp_, std::ios::binary | std::ios::trunc);
    if (!out_) {
        const int error = errno;
        std::error_code ec;
        fs::remove(temp_, ec);
        Fail("Cannot create file", target_, error);
    }
}

AtomicFile::~AtomicFile() {
    if (committed_) return;
    out_.close();
    std::error_code ec;
    fs::remove(temp_, ec);
}

void AtomicFile::commit() {
    out_.flush();
    if (!out_) Fail("Cannot write file", target_, errno ? errno : EIO);
    out_.close();
    if (out_.fail()) Fail("Cannot write file", target_, errno ? errno : EIO);
    SyncFile(temp_);
    // mkstemp creates the file for the owner only; give it the rights a new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(temp_.c_str(), 0666 & ~mask);
    if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail("Cannot write file", target_, errno);
    committed_ = true;
}

}  // namespace morvanta::exchange
