// Clocks and waits: the millisecond clock and the high-resolution counter, both as 32-bit
// values that wrap around (callers compare them by wrap-around differences), the short
// sleeps the frame loop and the music thread wait with, and the calendar.
#pragma once

#include <cstdint>

// Milliseconds since an arbitrary start, wrapping at 2^32.
[[nodiscard]] uint32_t ClockMilliseconds();

// Low 32 bits of the high-resolution counter, and of its ticks per second.
[[nodiscard]] uint32_t ClockCounter();
[[nodiscard]] uint32_t ClockCounterFrequency();

// The system timer at its finest period for the whole run, so that a short sleep
// and the millisecond clock keep to the millisecond; End restores what Begin changed.
void BeginTimerPeriod();
void EndTimerPeriod();

// Sleeps for about this many milliseconds: the bulk of a frame's wait, and the music thread's
// wait between its top-ups.
void SleepMilliseconds(uint32_t milliseconds);

// Sleeps for about a tenth of a millisecond: the last steps of a precise wait.
void SleepBriefly();

// Gives the rest of the time slice to other threads.
void YieldTimeSlice();

// A calendar time in the layout of the C library's broken-down time.
struct CalendarTime {
    int32_t second;
    int32_t minute;
    int32_t hour;
    int32_t day;      // day of the month, 1..31
    int32_t month;    // 0..11
    int32_t year;     // years since 1900
    int32_t weekday;  // 0..6, Sunday first
    int32_t yearDay;  // 0..365
    int32_t daylightSaving;
};

// Seconds since the epoch.
[[nodiscard]] int64_t CalendarSeconds();

// Converts seconds since the epoch to local calendar time. Returns false when the time
// cannot be represented (the record is then left as it was).
[[nodiscard]] bool LocalCalendar(int64_t seconds, CalendarTime* out);
