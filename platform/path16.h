// UTF-16 text and paths in fixed buffers. Every copy is bounded by the destination's
// capacity and always leaves a terminating zero; a text that does not fit is cut and the
// call says so, so callers can refuse a cut path instead of opening the wrong file.
#pragma once

#include <cstddef>
#include <cstdint>

// Capacity of every path buffer, in UTF-16 units, terminating zero included.
inline constexpr int kPathUnits = 520;

// Units before the first zero, looking at no more than capacity units.
[[nodiscard]] int TextLength(const char16_t* text, int capacity);

// True when both texts are the same within capacity units (and end within them).
[[nodiscard]] bool TextEquals(const char16_t* a, const char16_t* b, int capacity);

// Copies src into dst (capacity units). Returns false when src had to be cut.
[[nodiscard]] bool TextCopy(char16_t* dst, int capacity, const char16_t* src);

// Appends src to the text already in dst. Returns false when the result had to be cut.
[[nodiscard]] bool TextAppend(char16_t* dst, int capacity, const char16_t* src);

// Appends UTF-8 or ASCII text, converted to UTF-16.
[[nodiscard]] bool TextAppendUtf8(char16_t* dst, int capacity, const char* src);

// Converts a UTF-16 path to UTF-8 for the operating system, mapping '\' to '/'.
// Returns false when it does not fit, or has no terminating zero within kPathUnits units
// (dst is then an empty string).
[[nodiscard]] bool PathToNative(char* dst, size_t capacity, const char16_t* path);

// Converts UTF-16 text to UTF-8 without changing separators (for messages); reads no more
// of text than dst could hold.
void TextToUtf8(char* dst, size_t capacity, const char16_t* text);

// Converts UTF-8 to UTF-16 into dst; bytes that are not well-formed UTF-8 become U+FFFD.
// Returns false when it had to be cut.
[[nodiscard]] bool TextFromUtf8(char16_t* dst, int capacity, const char* src);

// Removes "." and ".." segments in place; both '/' and '\' count as separators.
// A ".." above the root is dropped. A trailing separator is kept.
void PathCanonicalize(char16_t* path, int capacity);

// Keeps everything up to and including the last separator ('/' or '\'): the folder.
void PathKeepFolder(char16_t* path, int capacity);
