#pragma once
// Date and time values of the table, their stored form and their German text form.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace morvanta::store {

struct DateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, msec = 0;

    auto operator<=>(const DateTime&) const = default;

    // "YYYY-MM-DD HH:MM:SS.zzz": sorts as text, kept in the table file.
    std::string toStorage() const;
    static std::optional<DateTime> fromStorage(std::string_view text);

    // German short date "dd.MM.yyyy".
    std::string shortDate() const;
    // "dd.MM.yyyy hh:mm:ss"; the time is left out at exactly midnight.
    std::string toGermanText() const;
    // Reads "d.M.yyyy" with an optional " h:mm[:ss]"; nullopt when it does not read.
    static std::optional<DateTime> fromGermanText(std::string_view text);
};

// The clock, passed in so tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

// Local time from the system clock.
class SystemClock : public Clock {
public:
    DateTime now() const override;
};

}  // namespace morvanta::store
