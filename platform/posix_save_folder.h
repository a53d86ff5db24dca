// The rule that names the player's save folder on POSIX systems, apart from the environment
// so that it can be tested.
#pragma once

#include "platform/path16.h"

// dataHome + "/tessaroid/" when dataHome (XDG_DATA_HOME) is an absolute path, else home +
// "/.local/share/tessaroid/" when home is; a relative path in either is ignored, as the XDG
// base directories ask. False (out empty) when neither names one, or the result leaves no
// room for the longest file name kept there.
[[nodiscard]] bool PlayerSaveFolder(const char* dataHome, const char* home,
                                    char16_t (&out)[kPathUnits]);
