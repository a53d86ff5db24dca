// What every message box backend shares: the "%s %s" text and the standard-error line.
#include <cstdio>

#include "platform/message_box.h"
#include "platform/path16.h"

void ShowPathMessage(const char16_t* title, const char16_t* path, const char16_t* reason) {
    char16_t text[kPathUnits];
    // A path too long for the buffer is shown cut, never overflowing it.
    (void)TextCopy(text, kPathUnits, path);
    (void)TextAppend(text, kPathUnits, u" ");
    (void)TextAppend(text, kPathUnits, reason);
    ShowMessage(title, text);
}

void PrintMessageLine(const char16_t* title, const char16_t* text, char* title8, char* text8) {
    TextToUtf8(title8, kMessageBytes, title);
    TextToUtf8(text8, kMessageBytes, text);
    std::fprintf(stderr, "%s: %s\n", title8, text8);
    std::fflush(stderr);
}

void ShowFileNotFound(const char16_t* path) {
    ShowPathMessage(u"Message", path, u"ファイルが見つかりません");
}
