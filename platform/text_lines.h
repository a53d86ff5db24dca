// Text files read a line at a time, as the game reads its loop files: UTF-16LE or UTF-8 by
// their byte-order mark, otherwise bytes taken as Latin-1; CR LF read as LF; each read
// returns at most capacity - 1 units, so a long line comes back in pieces.
#pragma once

#include <cstdint>

struct TextLineFile;

// Null when the file cannot be opened.
[[nodiscard]] TextLineFile* TextLinesOpen(const char16_t* path);

// Reads up to capacity - 1 units, stopping after a line feed; the text is terminated.
// False at the end of the file (nothing read).
[[nodiscard]] bool TextLinesRead(TextLineFile* file, char16_t* line, int32_t capacity);

void TextLinesClose(TextLineFile* file);
