#pragma once
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvanta::store {

// Every failure of the engine: carries the engine's message and, where it came
// from SQLite, the extended result code.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& message, int code = 0)
        : std::runtime_error(message), code_(code) {}
    int code() const noexcept { return code_; }
    // The table refused the change by one of its rules (uniqueness, checks).
    bool isConstraintViolation() const noexcept;
    // The learner cancelled a long query.
    bool isCancelled() const noexcept;
    // A statement of the learner's was refused, before it ran or at one of the
    // bounds it runs within; the message says why, and nothing was changed.
    bool isRefused() const noexcept;
    // The learner's statement stopped at one of its bounds (learner_bounds.h).
    static EngineError AtBound(const std::string& message, int code);
    bool isBeyondBound() const noexcept { return beyondBound_; }

private:
    int code_;
    bool beyondBound_ = false;
};

// A file or folder as the engine's messages name it: in German quotes.
std::string QuotedPath(const std::filesystem::path& path);

// A German sentence with the engine's or the system's own words in brackets before
// its closing full stop, for whoever repairs things: "Lead (detail)."
std::string WithDetail(std::string_view lead, std::string_view detail);

}  // namespace morvanta::store
