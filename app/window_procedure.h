// The game's window procedure, free of any window system: the few messages the game reacts
// to, and the messages it posts to itself. A backend turns its window system's events into
// these messages, takes at most one per frame and carries out what the procedure decides.
#pragma once

#include <cstdint>

#include "app/window_rules.h"

class System;

enum MessageKind : int32_t {
    kMessageNone,
    kMessageActivate,  // wParam: nonzero when the window became active
    kMessageCommand,   // wParam: the command id
    kMessageClose,
    kMessageDestroy,
    kMessageSizing,  // wParam: the dragged edge; rect: the proposed window rectangle
    kMessageQuit,
    kMessageKey,  // key-down and key-up: keys are polled, the procedure ignores them
};

inline constexpr int32_t kCommandClose = 40;             // Esc
inline constexpr int32_t kCommandToggleScreenMode = 50;  // Alt+Enter

struct WindowMessage {
    int32_t kind;
    int32_t wParam;
    WindowRect rect;
};

class WindowProcedure {
public:
    explicit WindowProcedure(System* system);
    virtual ~WindowProcedure();

    System* system;
    int32_t frameWidth = 0;   // what the frame adds to the client width when resizing
    int32_t frameHeight = 0;  // the caption and frame heights
    bool windowDestroyed = false;

    void Post(const WindowMessage& message);
    // Takes the oldest posted message; false when none waits.
    [[nodiscard]] bool TakePosted(WindowMessage& message);
    // Acts on one message; a sizing message's rectangle is changed in place.
    void Dispatch(WindowMessage& message);

private:
    static constexpr int kQueue = 8;
    WindowMessage posted[kQueue] = {};
    int32_t postedCount = 0;
};
