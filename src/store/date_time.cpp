#include "store/date_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "text/fast_strings.h"

namespace morvanta::store {

namespace {

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && LeapYear(y) ? 29 : days[m - 1];
}

bool Valid(const DateTime& d) {
    return d.year >= 1 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
           d.day <= DaysInMonth(d.year, d.month) && d.hour >= 0 && d.hour <= 23 &&
           d.minute >= 0 && d.minute <= 59 && d.second >= 0 && d.second <= 59 && d.msec >= 0 &&
           d.msec <= 999;
}

// Reads 1..maxDigits digits at pos.
bool Number(std::string_view s, size_t& pos, int minDigits, int maxDigits, int& out) {
    int digits = 0, value = 0;
    while (pos < s.size() && digits < maxDigits && s[pos] >= '0' && s[pos] <= '9') {
        value = value * 10 + (s[pos++] - '0');
        ++digits;
    }
    out = value;
    return digits >= minDigits;
}

bool Expect(std::string_view s, size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

std::string_view Trim(std::string_view s) { return text::TrimBlanks(s, " \t"); }

// " h:mm[:ss[.zzz]]" after a date; an empty rest is midnight.
bool ReadTime(std::string_view s, size_t pos, DateTime& d, bool allowMsec) {
    if (pos == s.size()) return true;
    if (!Expect(s, pos, ' ') && !(allowMsec && Expect(s, pos, 'T'))) return false;
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (!Number(s, pos, 1, 2, d.hour) || !Expect(s, pos, ':') || !Number(s, pos, 2, 2, d.minute))
        return false;
    if (Expect(s, pos, ':') && !Number(s, pos, 2, 2, d.second)) return false;
    if (allowMsec && Expect(s, pos, '.') && !Number(s, pos, 1, 3, d.msec)) return false;
    return pos == s.size();
}

}  // namespace

std::string DateTime::toStorage() const {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", year, month, day,
                  hour, minute, second, msec);
    return buffer;
}

std::optional<DateTime> DateTime::fromStorage(std::string_view text) {
    text = Trim(text);
    DateTime d;
    d.hour = d.minute = d.second = d.msec = 0;
    size_t pos = 0;
    if (!Number(text, pos, 4, 4, d.year) || !Expect(text, pos, '-') ||
        !Number(text, pos, 2, 2, d.month) || !Expect(text, pos, '-') ||
        !Number(text, pos, 2, 2, d.day) || !ReadTime(text, pos, d, true) || !Valid(d))
        return std::nullopt;
    return d;
}

std::string DateTime::shortDate() const {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", day, month, year);
    return buffer;
}

std::string DateTime::toGermanText() const {
    if (hour == 0 && minute == 0 && second == 0 && msec == 0) return shortDate();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", hour, minute, second);
    return shortDate() + buffer;
}

std::optional<DateTime> DateTime::fromGermanText(std::string_view text) {
    text = Trim(text);
    DateTime d;
    d.hour = d.minute = d.second = d.msec = 0;
    size_t pos = 0;
    if (!Number(text, pos, 1, 2, d.day) || !Expect(text, pos, '.') ||
        !Number(text, pos, 1, 2, d.month) || !Expect(text, pos, '.') ||
        !Number(text, pos, 4, 4, d.year) || !ReadTime(text, pos, d, false) || !Valid(d))
        return std::nullopt;
    return d;
}

DateTime SystemClock::now() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    DateTime d;
    d.year = local.tm_year + 1900;
    d.month = local.tm_mon + 1;
    d.day = local.tm_mday;
    d.hour = local.tm_hour;
    d.minute = local.tm_min;
    d.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // leap second
    d.msec = static_cast<int>(ms < 0 ? ms + 1000 : ms);
    return d;
}

}  // namespace morvanta::store
