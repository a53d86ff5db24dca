// The single-instance guard: one running copy per user session.
#pragma once

// Takes the lock for this process's lifetime. Returns false only when another running copy
// holds it; if no lock can be made at all, the game runs unguarded.
[[nodiscard]] bool AcquireInstanceLock();
