// Clocks and waits on Windows: the multimedia timer's milliseconds, the performance
// counter, Sleep. The game raises the timer resolution for its run (timeBeginPeriod) so
// that Sleep(1) and timeGetTime() keep to the millisecond.
#include <windows.h>
// After windows.h: the multimedia timer.
#include <mmsystem.h>

#include <ctime>

#include "platform/calendar_fields.h"
#include "platform/clock.h"

namespace {

UINT theTimerPeriod = 0;  // the period begun, 0 when none

}  // namespace

void BeginTimerPeriod() {
    TIMECAPS caps{};
    if (theTimerPeriod != 0 || timeGetDevCaps(&caps, sizeof caps) != MMSYSERR_NOERROR)
        return;
    if (timeBeginPeriod(caps.wPeriodMin) == TIMERR_NOERROR)
        theTimerPeriod = caps.wPeriodMin;
}

void EndTimerPeriod() {
    if (theTimerPeriod != 0)
        (void)timeEndPeriod(theTimerPeriod);
    theTimerPeriod = 0;
}

uint32_t ClockMilliseconds() {
    return static_cast<uint32_t>(timeGetTime());
}

uint32_t ClockCounter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<uint32_t>(now.QuadPart);
}

uint32_t ClockCounterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<uint32_t>(frequency.QuadPart);
}

void SleepMilliseconds(uint32_t milliseconds) {
    Sleep(milliseconds);
}

// Windows has no sleep shorter than its timer period: the last part of a precise wait
// gives up the time slice instead, as the game's own waits do with Sleep(0).
void SleepBriefly() {
    Sleep(0);
}

void YieldTimeSlice() {
    Sleep(0);
}

int64_t CalendarSeconds() {
    return static_cast<int64_t>(_time64(nullptr));
}

bool LocalCalendar(int64_t seconds, CalendarTime* out) {
    __time64_t t = static_cast<__time64_t>(seconds);
    std::tm tm{};
    if (_localtime64_s(&tm, &t) != 0)
        return false;
    CalendarFromTm(tm, out);
    return true;
}
