// Identifiers of the running thread and process, which the piece generator adds to its seed.
#pragma once

#include <cstdint>

[[nodiscard]] uint32_t CurrentThreadId();
[[nodiscard]] uint32_t CurrentProcessId();
