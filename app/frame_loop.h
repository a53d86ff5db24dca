// The frame loop: one frame per pass at a nominal 60 frames per second, paced by one of four
// timer methods. Written against a shell, the FrameShell below, that supplies the clocks, the
// waits and the frame's work: the game runs it on the real platform (GameShell) and the tests
// on fake clocks, and the compiler checks every shell against the one list.
#pragma once

#include <concepts>
#include <cstdint>

#include "game/map_scene_entity.h"
#include "game/system.h"

// The clocks and waits. Both clocks wrap at 2^32; the loop compares only differences.
template <class S>
concept FrameClock = requires(S& shell, uint32_t milliseconds) {
    { shell.Milliseconds() } -> std::same_as<uint32_t>;
    { shell.Counter() } -> std::same_as<uint32_t>;  // performance-counter ticks
    shell.SleepMilliseconds(milliseconds);          // at least that long
    shell.SleepBriefly();                           // a fraction of a millisecond
    shell.YieldTimeSlice();
};

// What a frame asks of its shell besides the clocks, in the order it asks.
template <class S>
concept FrameShell = FrameClock<S> && requires(S& shell, int32_t sceneNumber) {
    { shell.PumpOneMessage() } -> std::convertible_to<bool>;  // true: the quit message came
    shell.PollInput();
    shell.RunScene(sceneNumber);
    shell.RenderFrame();
    shell.ServiceEffectVoices();
    shell.CheckDevice();
    { shell.RebuildDevice() } -> std::convertible_to<bool>;  // false: the program must end
    shell.KeepAwake();
};

inline constexpr int kFramePatternLength = 27;
inline constexpr int kShortPatternLength = 3;  // kPatternThreeFrames uses the first three
inline constexpr uint32_t kFrameMilliseconds = 16;

// Loop-local state: lives for the whole loop, part of no object.
struct FrameLoopState {
    uint32_t frameStart = 0;
    uint32_t frameStartMilliseconds = 0;  // kTimerCounter's millisecond start, for the flat wait
    uint32_t ticksPerFrame = 0;
    uint32_t ticksPerMillisecond = 0;
    uint32_t patternIndex = 0;
    int32_t skipNextPresent = 0;
    uint32_t framePatternTable[kFramePatternLength] = {};
};

enum class FrameResult {
    Continue,
    Quit,    // the quit message: the exit path saves the settings
    Failed,  // the device could not be rebuilt: the exit sequence, nothing saved
};

// Fills the pattern table and the counter step; frameStart starts at 0.
void InitFrameLoop(FrameLoopState& s, uint32_t counterFrequency);

// Milliseconds this frame should last under the pattern: 16 plus the table entry.
[[nodiscard]] inline uint32_t FramePeriod(const FrameLoopState& s) {
    return kFrameMilliseconds + s.framePatternTable[s.patternIndex];
}

// True when elapsed exceeds limit by 1 to 2^31 (the wrap-around lateness test).
[[nodiscard]] inline bool Overran(uint32_t elapsed, uint32_t limit) {
    uint32_t over = elapsed - limit;
    return over >= 1 && over <= 0x80000000u;
}

// The waits sleep in one go for as long as cannot pass the deadline, then in short naps: the
// deadline is met within a fraction of a millisecond without spinning a core, and the thread
// wakes a few times a frame rather than once a millisecond.
template <FrameClock Shell>
void WaitFlat(Shell& shell, uint32_t start) {
    // At least one sleep, and sleeps until 16 ms have passed. Elapsed-time comparison keeps
    // working across the 32-bit wrap and never mistakes a start long past for one to come.
    uint32_t elapsed = shell.Milliseconds() - start;
    do {
        shell.SleepMilliseconds(elapsed < kFrameMilliseconds ? kFrameMilliseconds - elapsed : 1);
        elapsed = shell.Milliseconds() - start;
    } while (elapsed < kFrameMilliseconds);
}

template <FrameClock Shell>
void WaitMilliseconds(Shell& shell, uint32_t start, uint32_t period) {
    shell.YieldTimeSlice();
    for (;;) {
        uint32_t elapsed = shell.Milliseconds() - start;
        if (elapsed >= period)
            return;
        if (period - elapsed >= 2) {
            shell.SleepMilliseconds(period - elapsed - 1);  // to the last millisecond
        } else {
            shell.SleepBriefly();
        }
    }
}

template <FrameClock Shell>
void WaitTicks(Shell& shell, uint32_t start, uint32_t ticksPerFrame, uint32_t ticksPerMs) {
    shell.YieldTimeSlice();
    const uint32_t sleepable = ticksPerMs + ticksPerMs / 4;  // a sleep may run a little over
    const uint32_t nappable = ticksPerMs / 5;
    for (;;) {
        uint32_t elapsed = shell.Counter() - start;
        if (elapsed >= ticksPerFrame)
            return;
        uint32_t remaining = ticksPerFrame - elapsed;
        if (remaining > sleepable) {
            // The whole milliseconds that leave no more than `sleepable` to go.
            shell.SleepMilliseconds((remaining - sleepable + ticksPerMs - 1) / ticksPerMs);
        } else if (remaining > nappable) {
            shell.SleepBriefly();
        } else {
            shell.YieldTimeSlice();  // the last fifth of a millisecond, to the tick
        }
    }
}

// The wait for the end of the frame, by the timer method. An inactive window waits the flat
// 16 ms whatever the method.
template <FrameClock Shell>
void WaitForFrameEnd(FrameLoopState& s, const System& system, int32_t method, Shell& shell) {
    if (system.active == 0 || method == kTimerSleep) {
        WaitFlat(shell, method == kTimerCounter ? s.frameStartMilliseconds : s.frameStart);
    } else if (method == kTimerMilliseconds) {
        WaitMilliseconds(shell, s.frameStart, FramePeriod(s));
    } else if (method == kTimerCounter) {
        WaitTicks(shell, s.frameStart, s.ticksPerFrame, s.ticksPerMillisecond);
    }
    // kTimerNoWait does not wait.
}

// The lateness test: with frame skip on, a frame that overran its period drops the next
// present. kTimerNoWait has no period to overrun.
template <FrameClock Shell>
void TestLateness(FrameLoopState& s, const System& system, int32_t method, Shell& shell) {
    if (system.frameSkip != 1)
        return;
    if (method == kTimerCounter) {
        if (Overran(shell.Counter() - s.frameStart, s.ticksPerFrame))
            s.skipNextPresent = 1;
    } else if (method == kTimerMilliseconds || method == kTimerSleep) {
        if (Overran(shell.Milliseconds() - s.frameStart, FramePeriod(s)))
            s.skipNextPresent = 1;
    }
}

// The frame pattern moves on to the next frame's entry; kPatternFlat stays on entry 0.
inline void AdvancePattern(FrameLoopState& s, int32_t framePattern) {
    if (framePattern == kPatternThreeFrames) {
        s.patternIndex = (s.patternIndex + 1) % kShortPatternLength;
    } else if (framePattern == kPatternFullTable) {
        s.patternIndex = (s.patternIndex + 1) % kFramePatternLength;
    }
}

// One frame: at most one window message, the frame's start, input, the scene and its present
// (only while the window is active), the effect voices' upkeep, the device's health and its
// rebuild, the lateness test, the wait for the end of the frame, the pattern, keeping awake.
template <FrameShell Shell>
FrameResult RunFrame(FrameLoopState& s, System& system, const MapSceneEntity& scene, Shell& shell) {
    if (shell.PumpOneMessage())
        return FrameResult::Quit;

    const int32_t method = system.timerMethod;
    const int32_t sceneNumber = scene.sceneNumber;
    if (method == kTimerCounter) {
        s.frameStart = shell.Counter();
        s.frameStartMilliseconds = shell.Milliseconds();
    } else if (method == kTimerMilliseconds || method == kTimerSleep) {
        s.frameStart = shell.Milliseconds();
    }

    shell.PollInput();

    if (system.active == 1) {
        shell.RunScene(sceneNumber);
        if (s.skipNextPresent != 0) {
            s.skipNextPresent = 0;
        } else {
            shell.RenderFrame();
        }
    }

    if (SoundIsOn(system))
        shell.ServiceEffectVoices();

    shell.CheckDevice();
    if (system.deviceRebuildRequest == 1 && !shell.RebuildDevice())
        return FrameResult::Failed;

    TestLateness(s, system, method, shell);
    WaitForFrameEnd(s, system, method, shell);
    AdvancePattern(s, system.framePattern);

    shell.KeepAwake();
    shell.YieldTimeSlice();  // the keep-awake step ends with a yield
    return FrameResult::Continue;
}
