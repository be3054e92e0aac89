#pragma once
// Times of answers as day numbers: whole calendar days for the model's elapsed
// days, and days with their fraction for how much has been forgotten by now.
// Local time, as the history keeps it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/date_time.h"

namespace morvanta::memory {

// Days since 1970-01-01 of the date, whatever the time.
std::int64_t CalendarDay(const store::DateTime& at);
// The same with the time of day as the fraction.
double DayTime(const store::DateTime& at);
// A time in the stored date form ("2026-12-07 09:15:00.000", or any form the
// table's dates take), the program's own form read quickly; nullopt when it does not read.
std::optional<store::DateTime> StoredMoment(std::string_view stored);
// DayTime() of such a time.
std::optional<double> StoredDayTime(std::string_view stored);
// Milliseconds since 1970-01-01 00:00 of the same calendar, and back.
std::int64_t MomentMs(const store::DateTime& at);
store::DateTime FromMomentMs(std::int64_t ms);
// The stored date form of such a moment, written digit by digit.
std::string StoredText(std::int64_t ms);
// The moment of a day number with its fraction, to the millisecond.
store::DateTime FromDayTime(double days);

}  // namespace morvanta::memory
