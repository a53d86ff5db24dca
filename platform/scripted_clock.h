// The scripted calendar for tests and tools: the seconds the game reads as "now".
#pragma once

#include <cstdint>

void SetScriptedCalendarSeconds(int64_t seconds);
