#include "store/file_saver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <streambuf>
#include <system_error>
#include <vector>

#include "store/engine_error.h"
#include "store/system_reason.h"

namespace morvanta::store {

namespace fs = std::filesystem;
using Step = FileSaveError::Step;

namespace {

constexpr int kMaxLinks = 40;           // the kernel's own limit on a chain of links
constexpr std::size_t kNameBytes = 16;  // of the target's name in the temporary name
constexpr int kNameTries = 100;

std::string Message(Step step, const fs::path& file, const std::string& reason) {
    return WithDetail("Die Datei " + QuotedPath(file) + " konnte nicht " +
                          (step == Step::Create ? "angelegt" : "geschrieben") + " werden.",
                      reason);
}

// ".<up to 16 bytes of the name>.<8 random letters>.tmp": far below NAME_MAX
// whatever the target's length, and never a cut UTF-8 character.
std::string TempName(const std::string& name, std::mt19937_64& random) {
    std::size_t keep = std::min(name.size(), kNameBytes);
    if (keep < name.size())
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string temp(1, '.');
    temp.append(name, 0, keep);
    temp += '.';
    std::uint64_t bits = random();
    for (int i = 0; i < 8; ++i, bits /= 62) temp += kLetters[bits % 62];
    temp += ".tmp";
    return temp;
}

// After the rename the new content is in place; an error here only means it
// may not survive a power cut. Folders that cannot be opened or synced at all
// (no read right, a file system without directory sync) are no such error.
int SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    return rc == 0 || error == EINVAL || error == EROFS ? 0 : error;
}

}  // namespace

FileSaveError::FileSaveError(Step step, fs::path file, std::string reason)
    : std::runtime_error(Message(step, file, reason)),
      step_(step),
      file_(std::move(file)),
      reason_(std::move(reason)) {}

// Gathers small stream writes into large ones; the saver itself is unbuffered.
class FileSaver::StreamBuffer : public std::streambuf {
public:
    explicit StreamBuffer(FileSaver& saver) : saver_(saver), buffer_(64 * 1024) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    void drain() {
        const std::ptrdiff_t held = pptr() - pbase();
        if (held == 0) return;
        pbump(-static_cast<int>(held));
        saver_.write(pbase(), static_cast<std::size_t>(held));
    }

protected:
    int_type overflow(int_type ch) override {
        drain();
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
        return ch;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (n > epptr() - pptr()) {
            drain();
            if (n >= epptr() - pbase()) {
                saver_.write(s, static_cast<std::size_t>(n));
                return n;
            }
        }
        std::memcpy(pptr(), s, static_cast<std::size_t>(n));
        pbump(static_cast<int>(n));
        return n;
    }
    int sync() override {
        drain();
        return 0;
    }

private:
    FileSaver& saver_;
    std::vector<char> buffer_;
};

FileSaver::FileSaver(fs::path target) : target_(std::move(target)), final_(target_) {
    // Follow the chain of links ourselves: the temporary file must sit beside
    // the file that is finally replaced, and the links must stay links.
    struct stat st {};
    bool exists = false;
    for (int hops = 0;; ++hops) {
        if (::lstat(final_.c_str(), &st) != 0) {
            if (errno != ENOENT) fail(Step::Create, errno);
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            break;
        }
        if (hops == kMaxLinks) fail(Step::Create, ELOOP);
        std::error_code ec;
        const fs::path next = fs::read_symlink(final_, ec);
        if (ec) fail(Step::Create, ec.value());
        final_ = next.is_absolute() ? next : final_.parent_path() / next;
    }
    if (exists && S_ISDIR(st.st_mode)) fail(Step::Create, EISDIR);
    // A rename would put a plain file where a device or pipe was.
    if (exists && !S_ISREG(st.st_mode)) fail(Step::Create, "Keine gewöhnliche Datei");
    if (exists) {
        keepMode_ = true;
        mode_ = st.st_mode & 07777;
        uid_ = st.st_uid;
        gid_ = st.st_gid;
    }

    const fs::path folder = final_.has_parent_path() ? final_.parent_path() : fs::path(".");
    const std::string name = final_.filename().string();
    std::mt19937_64 random(std::random_device{}());
    // A replaced file's content is readable by the owner only until commit()
    // gives it the old file's rights; a new file is created as open() would.
    const mode_t createMode = exists ? 0600 : 0666;
    for (int tries = 0; fd_ < 0; ++tries) {
        temp_ = folder / TempName(name, random);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd_ < 0 && (errno != EEXIST || tries == kNameTries)) {
            const int error = errno;
            temp_.clear();
            fail(Step::Create, error);
        }
    }
}

FileSaver::~FileSaver() {
    if (!committed_) discard();
}

void FileSaver::discard() noexcept {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void FileSaver::fail(Step step, int error) { fail(step, SystemReason(error)); }

void FileSaver::fail(Step step, std::string reason) {
    failure_ = std::make_unique<FileSaveError>(step, target_, std::move(reason));
    discard();
    throw FileSaveError(*failure_);
}

void FileSaver::write(const char* data, std::size_t size) {
    if (failure_) throw FileSaveError(*failure_);
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(Step::Write, errno);
        if (n == 0) fail(Step::Write, EIO);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

std::ostream& FileSaver::stream() {
    if (!stream_) {
        buffer_ = std::make_unique<StreamBuffer>(*this);
        stream_ = std::make_unique<std::ostream>(buffer_.get());
        stream_->exceptions(std::ios::badbit);
    }
    return *stream_;
}

void FileSaver::commit() {
    if (failure_) throw FileSaveError(*failure_);
    if (committed_) return;
    if (buffer_) buffer_->drain();
    if (keepMode_) {
        // Owner first: chown clears set-id bits. Only root may give the file away.
        if (::fchown(fd_, uid_, gid_) != 0) (void)::fchown(fd_, static_cast<uid_t>(-1), gid_);
        // Some file systems (FAT) have no modes to keep; that is no reason to fail.
        if (::fchmod(fd_, mode_) != 0 && errno != EPERM && errno != EOPNOTSUPP)
            fail(Step::Write, errno);
    }
    if (::fsync(fd_) != 0) fail(Step::Write, errno);
    const int fd = fd_;
    fd_ = -1;
    // The descriptor is gone after close() even when it reports EINTR.
    if (::close(fd) != 0 && errno != EINTR) fail(Step::Write, errno);
    if (::rename(temp_.c_str(), final_.c_str()) != 0) fail(Step::Write, errno);
    const fs::path folder = temp_.parent_path();
    temp_.clear();
    committed_ = true;
    if (const int error = SyncFolder(folder.empty() ? fs::path(".") : folder))
        fail(Step::Write, error);
}

void SaveFile(const fs::path& target, std::string_view bytes) {
    FileSaver saver(target);
    saver.write(bytes);
    saver.commit();
}

}  // namespace morvanta::store
