// Where the executable lies.
#pragma once

// The full path of the running executable, as UTF-16. Returns false when it cannot be had
// or does not fit in capacity units (out then holds what fitted).
[[nodiscard]] bool ExecutablePath(char16_t* out, int capacity);
