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

std::optional<store::DateTime> StoredMoment(std::string_view stored) {
    // "YYYY-MM-DD HH:MM:SS.zzz", as this program writes it, digit by digit.
    constexpr std::string_view kShape = "0000-00-00 00:00:00.000";
    bool plain = stored.size() == kShape.size();
    for (size_t i = 0; plain && i < kShape.size(); ++i)
        plain = kShape[i] == '0' ? stored[i] >= '0' && stored[i] <= '9' : stored[i] == kShape[i];
    if (!plain) return store::DateTime::fromStorage(stored);
    const auto digits = [&](size_t from, size_t count) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) value = value * 10 + (stored[i] - '0');
        return value;
    };
    store::DateTime at;
    at.year = digits(0, 4);
    at.month = digits(5, 2);
    at.day = digits(8, 2);
    at.hour = digits(11, 2);
    at.minute = digits(14, 2);
    at.second = digits(17, 2);
    at.msec = digits(20, 3);
    if (at.month < 1 || at.month > 12 || at.day < 1 || at.day > 31 || at.hour > 23 || at.minute > 59 ||
        at.second > 59)
        return store::DateTime::fromStorage(stored);  // judged there
    return at;
}

std::optional<double> StoredDayTime(std::string_view stored) {
    const auto at = StoredMoment(stored);
    return at ? std::optional<double>(DayTime(*at)) : std::nullopt;
}

std::int64_t MomentMs(const store::DateTime& at) {
    return CalendarDay(at) * 86400000 + ((at.hour * 60 + at.minute) * 60 + at.second) * 1000 + at.msec;
}

store::DateTime FromMomentMs(std::int64_t ms) {
    const std::int64_t day = ms >= 0 ? ms / 86400000 : (ms - 86399999) / 86400000;
    const std::int64_t rest = ms - day * 86400000;
    store::DateTime at;
    CivilFromDays(day, at.year, at.month, at.day);
    at.msec = static_cast<int>(rest % 1000);
    at.second = static_cast<int>(rest / 1000 % 60);
    at.minute = static_cast<int>(rest / 60000 % 60);
    at.hour = static_cast<int>(rest / 3600000);
    return at;
}

std::string StoredText(std::int64_t ms) {
    const store::DateTime at = FromMomentMs(ms);
    if (at.year < 0 || at.year > 9999) return at.toStorage();
    std::string text = "0000-00-00 00:00:00.000";
    const auto put = [&text](size_t from, size_t width, int value) {
        for (size_t i = from + width; i-- > from; value /= 10) text[i] = static_cast<char>('0' + value % 10);
    };
    put(0, 4, at.year);
    put(5, 2, at.month);
    put(8, 2, at.day);
    put(11, 2, at.hour);
    put(14, 2, at.minute);
    put(17, 2, at.second);
    put(20, 3, at.msec);
    return text;
}

store::DateTime FromDayTime(double days) {
    return FromMomentMs(static_cast<std::int64_t>(std::llround(days * 86400000.0)));
}

}  // namespace morvanta::memory
