// The whole run: start-up in its fixed order, the frame loop, and the exit path.
#pragma once

// Returns the process exit code.
int RunGame();
