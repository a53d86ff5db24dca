// Message boxes: no owner window, one OK button, a fixed title ("Message" or "Error") and
// text. The same "Title: text" line also goes to standard error, so a run without a display
// still says what happened. The game links the windowed version, tools and tests a quiet one.
#pragma once

void ShowMessage(const char16_t* title, const char16_t* text);

// A backend may show its boxes through a fresh copy of the program started for just that.
// In such a copy (told by its arguments) this shows the box and gives the copy's exit
// status; in any other run, -1.
[[nodiscard]] int ServeMessageBox(int argc, char** argv);

// Writes "Title: text" to standard error and leaves both as UTF-8 in the buffers given
// (each kMessageBytes long), for the backends that show the box as well.
inline constexpr int kMessageBytes = 520 * 3 + 1;
void PrintMessageLine(const char16_t* title, const char16_t* text, char* title8, char* text8);

// "path ファイルが見つかりません" titled "Message": the game's message for a file that is not
// there.
void ShowFileNotFound(const char16_t* path);

// Builds "path reason" (the game's "%s %s" messages) in a bounded buffer and shows it.
void ShowPathMessage(const char16_t* title, const char16_t* path, const char16_t* reason);
