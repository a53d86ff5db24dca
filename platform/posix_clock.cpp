// Clocks and waits on POSIX systems: CLOCK_MONOTONIC for both clocks, nanosleep, sched_yield.
#include <sched.h>

#include <ctime>

#include "platform/calendar_fields.h"
#include "platform/clock.h"

namespace {

uint64_t MonotonicNanoseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

}  // namespace

uint32_t ClockMilliseconds() {
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000u);
}

uint32_t ClockCounter() {
    return static_cast<uint32_t>(MonotonicNanoseconds());
}

uint32_t ClockCounterFrequency() {
    return 1000000000u;
}

void SleepMilliseconds(uint32_t milliseconds) {
    timespec ts{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000};
    nanosleep(&ts, nullptr);
}

void SleepBriefly() {
    timespec ts{0, 100000};
    nanosleep(&ts, nullptr);
}

void YieldTimeSlice() {
    sched_yield();
}

// The sleeps above already keep to well under a millisecond here.
void BeginTimerPeriod() {}
void EndTimerPeriod() {}

int64_t CalendarSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

bool LocalCalendar(int64_t seconds, CalendarTime* out) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr)
        return false;
    CalendarFromTm(tm, out);
    return true;
}
