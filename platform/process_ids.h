// Identifiers of the running thread and process, which the piece generator adds to its seed,
// and the name a thread shows in debuggers and process lists.
#pragma once

#include <cstdint>

[[nodiscard]] uint32_t CurrentThreadId();
[[nodiscard]] uint32_t CurrentProcessId();

// Names the calling thread (at most 15 characters show on Linux).
void NameCurrentThread(const char* name);
