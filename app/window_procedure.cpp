// What the game does with its window messages: activation, the two accelerator commands,
// closing, destruction and the 16:9 resize rule.
#include "app/window_procedure.h"

#include "game/system.h"

WindowProcedure::WindowProcedure(System* s) : system(s) {}
WindowProcedure::~WindowProcedure() = default;

void WindowProcedure::Post(const WindowMessage& message) {
    if (postedCount == kQueue)
        return;  // the queue never grows; the game posts at most two
    posted[postedCount++] = message;
}

bool WindowProcedure::TakePosted(WindowMessage& message) {
    if (postedCount == 0)
        return false;
    message = posted[0];
    for (int k = 1; k < postedCount; ++k) posted[k - 1] = posted[k];
    --postedCount;
    return true;
}

void WindowProcedure::Dispatch(WindowMessage& message) {
    switch (message.kind) {
        case kMessageActivate:
            system->active = message.wParam != 0 ? 1 : 0;
            break;
        case kMessageCommand:
            if (message.wParam == kCommandClose) {
                Post(WindowMessage{kMessageClose, 0, {}});
            } else if (message.wParam == kCommandToggleScreenMode) {
                system->fullScreen = system->fullScreen == 0 ? 1 : 0;
            }
            break;
        case kMessageClose: {
            // No confirmation: the window goes, and destroying it posts the quit message.
            windowDestroyed = true;
            WindowMessage destroy{kMessageDestroy, 0, {}};
            Dispatch(destroy);
            break;
        }
        case kMessageDestroy:
            Post(WindowMessage{kMessageQuit, 0, {}});
            break;
        case kMessageSizing:
            ConstrainSizing(message.wParam, message.rect, frameWidth, frameHeight);
            break;
        default:
            break;
    }
}
