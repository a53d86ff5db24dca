// The C library's broken-down local time as the game's CalendarTime, for every clock backend.
#pragma once

#include <ctime>

#include "platform/clock.h"

inline void CalendarFromTm(const std::tm& tm, CalendarTime* out) {
    out->second = tm.tm_sec;
    out->minute = tm.tm_min;
    out->hour = tm.tm_hour;
    out->day = tm.tm_mday;
    out->month = tm.tm_mon;
    out->year = tm.tm_year;
    out->weekday = tm.tm_wday;
    out->yearDay = tm.tm_yday;
    out->daylightSaving = tm.tm_isdst;
}
