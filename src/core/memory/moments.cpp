#include "core/memory/moments.h"

#include <cmath>

namespace morvanta::memory {

namespace {

// Howard Hinnant's days-from-civil and its inverse, for the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

constexpr double kMsecPerDay = 86400000.0;

}  // namespace

std::int64_t CalendarDay(const store::DateTime& at) { return DaysFromCivil(at.year, at.month, at.day); }

double DayTime(const store::DateTime& at) {
    const double msec = ((at.hour * 60.0 + at.minute) * 60.0 + at.second) * 1000.0 + at.msec;
    return static_cast<double>(CalendarDay(at)) + msec / kMsecPerDay;
}

store::DateTime FromDayTime(double days) {
    const double whole = std::floor(days);
    auto msec = static_cast<std::int64_t>(std::llround((days - whole) * kMsecPerDay));
    auto day = static_cast<std::int64_t>(whole);
    if (msec >= static_cast<std::int64_t>(kMsecPerDay)) {
        msec -= static_cast<std::int64_t>(kMsecPerDay);
        ++day;
    }
    store::DateTime at;
    CivilFromDays(day, at.year, at.month, at.day);
    at.msec = static_cast<int>(msec % 1000);
    at.second = static_cast<int>(msec / 1000 % 60);
    at.minute = static_cast<int>(msec / 60000 % 60);
    at.hour = static_cast<int>(msec / 3600000);
    return at;
}

}  // namespace morvanta::memory
