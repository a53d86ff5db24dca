// The graphics-device probe on POSIX systems, under any device folder so that tests can lay
// out one of their own.
#pragma once

// True when devFolder ("/dev") holds a render node dri/renderD* that opens read-write, or an
// NVIDIA device node (nvidia0, nvidiactl) that does. The card nodes (dri/card*) do not count:
// opening one for drawing needs the display's master rights, which a game does not have.
[[nodiscard]] bool GraphicsDeviceUnder(const char* devFolder);
