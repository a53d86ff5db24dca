// Clocks for headless runs: the calendar is whatever the script set, the millisecond clock
// and counter advance only as the waits ask, so nothing depends on the machine's speed.
#include "platform/scripted_clock.h"

#include <ctime>

#include "platform/clock.h"

namespace {

int64_t calendarSeconds = 1700000000;
uint64_t nowMicroseconds = 0;

}  // namespace

void SetScriptedCalendarSeconds(int64_t seconds) {
    calendarSeconds = seconds;
}

uint32_t ClockMilliseconds() {
    return static_cast<uint32_t>(nowMicroseconds / 1000);
}
uint32_t ClockCounter() {
    return static_cast<uint32_t>(nowMicroseconds * 1000);
}
uint32_t ClockCounterFrequency() {
    return 1000000000u;
}
void SleepMilliseconds(uint32_t milliseconds) {
    nowMicroseconds += 1000ull * milliseconds;
}
void SleepBriefly() {
    nowMicroseconds += 100;
}
void YieldTimeSlice() {
    nowMicroseconds += 10;
}

int64_t CalendarSeconds() {
    return calendarSeconds;
}

bool LocalCalendar(int64_t seconds, CalendarTime* out) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return false;
    *out = CalendarTime{tm.tm_sec,  tm.tm_min,  tm.tm_hour, tm.tm_mday, tm.tm_mon,
                        tm.tm_year, tm.tm_wday, tm.tm_yday, tm.tm_isdst};
    return true;
}
