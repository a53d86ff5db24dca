// Message boxes on Windows: MessageBoxW with no owner and one OK button, after the same
// "Title: text" line on standard error that every backend writes.
#include <windows.h>

#include "platform/message_box.h"
#include "platform/path16.h"

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kMessageBytes];
    char text8[kMessageBytes];
    PrintMessageLine(title, text, title8, text8);
    wchar_t wideTitle[kPathUnits];
    wchar_t wideText[kPathUnits];
    char16_t copy[kPathUnits];
    (void)TextCopy(copy, kPathUnits, title);
    for (int i = 0; i < kPathUnits; ++i) wideTitle[i] = static_cast<wchar_t>(copy[i]);
    (void)TextCopy(copy, kPathUnits, text);
    for (int i = 0; i < kPathUnits; ++i) wideText[i] = static_cast<wchar_t>(copy[i]);
    MessageBoxW(nullptr, wideText, wideTitle, MB_OK);
}

// MessageBoxW is shown by the game's own process: no copy is ever started for it.
int ServeMessageBox(int, char**) {
    return -1;
}
