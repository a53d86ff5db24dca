// Message boxes for headless tools: only the "Title: text" line on standard error.
#include <cstdio>

#include "platform/message_box.h"
#include "platform/path16.h"

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kPathUnits * 3 + 1];
    char text8[kPathUnits * 3 + 1];
    TextToUtf8(title8, sizeof title8, title);
    TextToUtf8(text8, sizeof text8, text);
    std::fprintf(stderr, "%s: %s\n", title8, text8);
    std::fflush(stderr);
}
