#pragma once
// Times of answers as day numbers: whole calendar days for the model's elapsed
// days, and days with their fraction for how much has been forgotten by now.
// Local time, as the history keeps it.

#include <cstdint>

#include "store/date_time.h"

namespace morvanta::memory {

// Days since 1970-01-01 of the date, whatever the time.
std::int64_t CalendarDay(const store::DateTime& at);
// The same with the time of day as the fraction.
double DayTime(const store::DateTime& at);
// The moment of a day number with its fraction, to the millisecond.
store::DateTime FromDayTime(double days);

}  // namespace morvanta::memory
