#include "store/engine_error.h"

#include <sqlite3.h>
#include "text/quoted.h"

namespace morvanta::store {

namespace {

// The extended code carries the primary one in its low byte.
int PrimaryCode(int code) { return code & 0xff; }

}  // namespace

bool EngineError::isConstraintViolation() const noexcept {
    return PrimaryCode(code_) == SQLITE_CONSTRAINT;
}
bool EngineError::isCancelled() const noexcept { return PrimaryCode(code_) == SQLITE_INTERRUPT; }
bool EngineError::isRefused() const noexcept { return beyondBound_ || PrimaryCode(code_) == SQLITE_AUTH; }

EngineError EngineError::AtBound(const std::string& message, int code) {
    EngineError error(message, code);
    error.beyondBound_ = true;
    return error;
}

std::string QuotedPath(const std::filesystem::path& path) { return text::Quoted(path.string()); }

std::string WithDetail(std::string_view lead, std::string_view detail) {
    std::string text(lead);
    if (detail.empty()) return text;
    const bool stop = !text.empty() && text.back() == '.';
    if (stop) text.pop_back();
    text += " (";
    text += detail;
    text += ')';
    if (stop) text += '.';
    return text;
}

}  // namespace morvanta::store
