#pragma once
// Progress of a long run: called now and then with the work done so far;
// returning false asks the run to stop.

#include <cstdint>
#include <functional>

namespace morvanta::exchange {

using ProgressFn = std::function<bool(std::int64_t done)>;

// True when the run may go on (no callback means it always may).
inline bool Proceed(const ProgressFn& progress, std::int64_t done) {
    return !progress || progress(done);
}

}  // namespace morvanta::exchange
