// The "%s %s" message built from a path and a reason, shared by every backend.
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
