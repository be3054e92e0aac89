#pragma once
// The system's reason for a failed file operation, as the learner reads it: the
// reasons met in everyday use in German words, any other in the system's own.

#include <string>
#include <string_view>

namespace morvanta::store {

// For an errno value (or the value of a std::error_code of the system).
std::string SystemReason(int error);
// For a reason the system gave as text (strerror's words, as QFile reports them).
std::string SystemReason(std::string_view systemText);

}  // namespace morvanta::store
