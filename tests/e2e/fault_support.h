#pragma once
// Helpers for the fault tests: the table as another program sees it, a thread
// without root's permission override, a small full file system, and a copy of
// this test program run as a separate process that can be killed.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "store/database.h"
#include "store/engine_error.h"

namespace morvanta::fault {

inline std::vector<char> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// One number from the table through a connection of its own; -1 when the
// table cannot be read at this moment.
inline long long TableNumber(const std::filesystem::path& table, const std::string& sql) {
    try {
        auto db = store::Database::open(table);
        store::Statement s = db->prepare(sql);
        return s.step() ? s.columnInt(0) : -1;
    } catch (const store::EngineError&) {
        return -1;
    }
}

inline long long WordCount(const std::filesystem::path& table) {
    return TableNumber(table, "SELECT count(*) FROM Vokabel");
}

// The table file opens and SQLite finds nothing wrong in it.
inline bool TableIsSound(const std::filesystem::path& table) {
    try {
        auto db = store::Database::open(table);
        store::Statement s = db->prepare("PRAGMA integrity_check");
        return s.step() && s.columnText(0) == "ok";
    } catch (const store::EngineError&) {
        return false;
    }
}

// Root writes through read-only permissions; this takes the override away from
// the calling thread (the one the program's handlers and SQLite run on).
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        if (geteuid() != 0) return;
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutPermissionOverride() {
        if (dropped_) syscall(SYS_capset, &header_, saved_);
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

// True when a file can be made in the folder (so a permission test would prove nothing).
inline bool CanCreateIn(const std::filesystem::path& folder) {
    const auto probe = folder / ".probe";
    const int fd = ::open(probe.c_str(), O_CREAT | O_WRONLY, 0644);
    if (fd < 0) return false;
    ::close(fd);
    std::filesystem::remove(probe);
    return true;
}

// A tmpfs of a few kilobytes mounted on a folder for the life of the object.
class SmallFileSystem {
public:
    SmallFileSystem(std::filesystem::path folder, int kilobytes) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return mounted_; }
    // Fills the file system up to `leave` bytes.
    void fill(std::size_t leave) {
        std::ofstream out(folder_ / "filler", std::ios::binary);
        const std::string block(512, 'x');
        const auto free = std::filesystem::space(folder_).available;
        for (std::size_t written = 0; written + leave + block.size() <= free; written += block.size())
            out << block;
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

// This test program started again to run one disabled child test with the
// given environment; the parent may kill it at any moment.
class ChildRun {
public:
    ChildRun(const std::string& test, const std::vector<std::string>& environment) {
        // Everything is made before fork(): the child of a threaded program may only exec.
        std::vector<std::string> strings(environment);
        for (char** e = environ; *e != nullptr; ++e) strings.emplace_back(*e);
        std::vector<char*> envp;
        for (std::string& e : strings) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string filter = "--gtest_filter=" + test;
        std::string disabled = "--gtest_also_run_disabled_tests";
        std::string name = "child";
        char* argv[] = {name.data(), filter.data(), disabled.data(), nullptr};
        pid_ = fork();
        if (pid_ == 0) {
            execve("/proc/self/exe", argv, envp.data());
            _exit(127);
        }
    }
    ~ChildRun() { kill(); }
    ChildRun(const ChildRun&) = delete;
    ChildRun& operator=(const ChildRun&) = delete;

    // Waits until `ready` holds or the child ends; false on timeout or early end.
    bool waitFor(const std::function<bool()>& ready, std::chrono::seconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            if (ready()) return true;
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return ready();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

}  // namespace morvanta::fault
