// Message boxes for headless tools: only the "Title: text" line on standard error.
#include "platform/message_box.h"

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kMessageBytes];
    char text8[kMessageBytes];
    PrintMessageLine(title, text, title8, text8);
}

// Only the line is ever written: no copy is started to show a box.
int ServeMessageBox(int, char**) {
    return -1;
}
