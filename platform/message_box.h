// Message boxes: no owner window, one OK button, a fixed title ("Message" or "Error") and
// text. The same "Title: text" line also goes to standard error, so a run without a display
// still says what happened. The game links the windowed version, tools and tests a quiet one.
#pragma once

void ShowMessage(const char16_t* title, const char16_t* text);

// Builds "path reason" (the game's "%s %s" messages) in a bounded buffer and shows it.
void ShowPathMessage(const char16_t* title, const char16_t* path, const char16_t* reason);
