// The test build's message box: records instead of showing.
#include "tests/unit/recording_messages.h"

#include "platform/message_box.h"

std::vector<ShownMessage>& ShownMessages() {
    static std::vector<ShownMessage> shown;
    return shown;
}

void ShowMessage(const char16_t* title, const char16_t* text) {
    ShownMessages().push_back({title, text});
}
