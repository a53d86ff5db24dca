// The frame loop on a fake clock: periods per timer method and pattern, frame skip, the
// inactive window, the order of a frame's steps and the 32-bit wrap of the clocks.
#include "app/frame_loop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

// A frame starts a fraction of a millisecond after the tick that ended the last one, so
// millisecond-clock periods come out within one nap of their length.
constexpr double kTick = 0.15;

// Time runs only when the loop sleeps, yields or works.
struct FakeShell {
    uint64_t nowUs = 0;
    uint32_t millisecondOffset = 0;  // moves the millisecond clock towards its wrap
    uint64_t workUs = 1000;          // what a scene frame costs
    uint64_t overshootUs = 0;        // how much later than asked a sleep ends
    std::vector<uint64_t> frameStarts;
    std::string calls;
    int sleeps = 0;  // calls, each a wake-up
    uint64_t sleptMs = 0;
    int naps = 0;
    int scenes = 0;
    int presents = 0;
    int polls = 0;
    int services = 0;
    bool quitNext = false;
    bool rebuildSucceeds = true;
    System* system = nullptr;

    uint32_t Milliseconds() { return static_cast<uint32_t>(nowUs / 1000) + millisecondOffset; }
    uint32_t Counter() { return static_cast<uint32_t>(nowUs * 1000); }  // nanoseconds
    void SleepMilliseconds(uint32_t milliseconds) {
        nowUs += 1000ull * milliseconds + overshootUs;
        sleptMs += milliseconds;
        ++sleeps;
    }
    void SleepBriefly() {
        nowUs += 100;
        ++naps;
    }
    void YieldTimeSlice() { nowUs += 10; }
    void KeepAwake() { calls += "k"; }
    bool PumpOneMessage() {
        frameStarts.push_back(nowUs);
        calls += "m";
        return quitNext;
    }
    void PollInput() {
        ++polls;
        calls += "i";
    }
    void RunScene(int32_t) {
        ++scenes;
        nowUs += workUs;
        calls += "s";
    }
    void RenderFrame() {
        ++presents;
        calls += "r";
    }
    void ServiceEffectVoices() {
        ++services;
        calls += "e";
    }
    void CheckDevice() { calls += "c"; }
    bool RebuildDevice() {
        calls += "b";
        system->deviceRebuildRequest = 0;
        return rebuildSucceeds;
    }
};

static_assert(FrameShell<FakeShell>);

struct Loop {
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    FrameLoopState state;
    FakeShell shell;

    Loop(int32_t method, int32_t pattern) {
        system->timerMethod = method;
        system->framePattern = pattern;
        shell.system = system.get();
        InitFrameLoop(state, 1000000000u);
    }
    FrameResult Frame() { return RunFrame(state, *system, *scene, shell); }
    void Frames(int n) {
        for (int k = 0; k < n; ++k) ASSERT_EQ(Frame(), FrameResult::Continue);
    }
    // Start-to-start periods in milliseconds, rounded to the nearest tenth.
    std::vector<double> Periods() const {
        std::vector<double> out;
        for (size_t k = 1; k < shell.frameStarts.size(); ++k) {
            double ms = (shell.frameStarts[k] - shell.frameStarts[k - 1]) / 1000.0;
            out.push_back(std::round(ms * 10) / 10);
        }
        return out;
    }
};

}  // namespace

TEST(FrameLoop, PatternZeroGivesSixteenMillisecondsEveryFrame) {
    Loop loop(0, 0);
    loop.Frames(10);
    for (double p : loop.Periods()) EXPECT_NEAR(p, 16.0, kTick);
}

TEST(FrameLoop, PatternOneRunsSixteenSeventeenSeventeen) {
    Loop loop(0, 1);
    loop.Frames(10);
    const double expected[] = {16, 17, 17, 16, 17, 17, 16, 17, 17};
    std::vector<double> periods = loop.Periods();
    for (size_t k = 0; k < periods.size(); ++k) EXPECT_NEAR(periods[k], expected[k], kTick) << k;
}

TEST(FrameLoop, PatternTwoFollowsTheTwentySevenEntryTable) {
    Loop loop(0, 2);
    loop.Frames(55);
    const int table[27] = {0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 0, 1, 1, 1,
                           0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 1};
    std::vector<double> periods = loop.Periods();
    for (size_t k = 0; k < periods.size(); ++k) {
        EXPECT_NEAR(periods[k], 16 + table[k % 27], kTick) << k;
    }
    const std::vector<uint64_t>& starts = loop.shell.frameStarts;
    EXPECT_NEAR((starts[28] - starts[1]) / 1000.0, 450.0, kTick);
}

TEST(FrameLoop, CounterMethodWaitsExactlyOneSixtiethIgnoringThePattern) {
    Loop loop(1, 1);
    loop.Frames(61);
    EXPECT_EQ(loop.state.ticksPerFrame, 16666666u);
    for (double p : loop.Periods()) EXPECT_NEAR(p, 16.667, 0.05);
    double total = (loop.shell.frameStarts.back() - loop.shell.frameStarts.front()) / 1000.0;
    EXPECT_NEAR(total, 1000.0, 1.0);
}

TEST(FrameLoop, SleepMethodWaitsAFlatSixteenWithAtLeastOneSleep) {
    Loop loop(2, 2);
    loop.Frames(10);
    for (double p : loop.Periods()) EXPECT_NEAR(p, 16.0, kTick);
    Loop slow(2, 0);
    slow.shell.workUs = 25000;  // the frame alone overruns
    slow.Frames(3);
    EXPECT_EQ(slow.shell.sleeps, 3);
}

TEST(FrameLoop, NoWaitMethodDoesNotWait) {
    Loop loop(3, 1);
    loop.Frames(5);
    for (double p : loop.Periods()) EXPECT_NEAR(p, 1.0, 0.05);
    EXPECT_EQ(loop.shell.sleeps, 0);
}

// Both precise waits sleep most of a frame in one go, wake a few times, and end on time.
TEST(FrameLoop, PreciseWaitsSleepMostOfTheFrameInOneGoAndMeetTheDeadline) {
    for (int32_t method : {0, 1}) {
        Loop loop(method, 0);
        loop.shell.overshootUs = 300;  // real sleeps end a little late
        loop.Frames(20);
        const double period = method == 0 ? 16.0 : 16.667;
        for (double p : loop.Periods()) EXPECT_NEAR(p, period, kTick) << method;
        EXPECT_GE(loop.shell.sleptMs, 20u * 13) << method;  // of the 15 free milliseconds
        EXPECT_LE(loop.shell.sleeps, 20 * 2) << method;
        EXPECT_LE(loop.shell.naps, 20 * 12) << method;  // the last millisecond in short naps
    }
}

TEST(FrameLoop, FrameSkipDropsExactlyOnePresentAfterAnOverlongFrame) {
    Loop loop(0, 0);
    loop.system->frameSkip = 1;
    loop.Frames(3);
    EXPECT_EQ(loop.shell.presents, 3);
    loop.shell.workUs = 30000;
    loop.Frames(1);  // overruns: presents itself, drops the next present
    loop.shell.workUs = 1000;
    loop.Frames(3);
    EXPECT_EQ(loop.shell.scenes, 7);
    EXPECT_EQ(loop.shell.presents, 6);
}

TEST(FrameLoop, WithoutFrameSkipEveryFramePresents) {
    Loop loop(1, 0);
    loop.shell.workUs = 30000;
    loop.Frames(4);
    EXPECT_EQ(loop.shell.presents, 4);
}

TEST(FrameLoop, InactiveFramesPollAndServiceButNeitherRunNorPresent) {
    Loop loop(0, 1);
    loop.system->audioMode = 2;
    loop.system->active = 0;
    loop.Frames(6);
    EXPECT_EQ(loop.shell.polls, 6);
    EXPECT_EQ(loop.shell.services, 6);
    EXPECT_EQ(loop.shell.scenes, 0);
    EXPECT_EQ(loop.shell.presents, 0);
    for (double p : loop.Periods()) EXPECT_NEAR(p, 16.0, kTick);  // flat, not the pattern
}

TEST(FrameLoop, InactiveKeepsAPendingSkip) {
    Loop loop(0, 0);
    loop.system->frameSkip = 1;
    loop.shell.workUs = 30000;
    loop.Frames(1);
    loop.shell.workUs = 1000;
    loop.system->active = 0;
    loop.Frames(2);
    loop.system->active = 1;
    loop.Frames(2);
    EXPECT_EQ(loop.shell.presents, 2);  // the first and the last frame
}

TEST(FrameLoop, EffectVoicesAreServicedOnlyWithSound) {
    Loop loop(3, 0);
    loop.Frames(2);
    EXPECT_EQ(loop.shell.services, 0);
    loop.system->audioMode = 1;
    loop.system->audioUnavailable = 1;
    loop.Frames(2);
    EXPECT_EQ(loop.shell.services, 0);
    loop.system->audioUnavailable = 0;
    loop.Frames(2);
    EXPECT_EQ(loop.shell.services, 2);
}

TEST(FrameLoop, StepsRunInOrderAndTheRebuildFollowsTheCheck) {
    Loop loop(3, 0);
    loop.system->audioMode = 2;
    loop.Frames(1);
    EXPECT_EQ(loop.shell.calls, "misreck");
    loop.shell.calls.clear();
    loop.system->deviceRebuildRequest = 1;
    loop.Frames(1);
    EXPECT_EQ(loop.shell.calls, "misrecbk");
    loop.system->deviceRebuildRequest = 1;
    loop.shell.rebuildSucceeds = false;
    EXPECT_EQ(loop.Frame(), FrameResult::Failed);
}

TEST(FrameLoop, QuitEndsTheLoopBeforeAnythingElseRuns) {
    Loop loop(0, 0);
    loop.shell.quitNext = true;
    EXPECT_EQ(loop.Frame(), FrameResult::Quit);
    EXPECT_EQ(loop.shell.calls, "m");
}

TEST(FrameLoop, ClocksWrappingPastTwoToTheThirtyTwoKeepThePace) {
    Loop loop(0, 1);
    loop.shell.millisecondOffset = 0xFFFFFFFFu - 40;
    loop.Frames(8);
    const double expected[] = {16, 17, 17, 16, 17, 17, 16};
    std::vector<double> periods = loop.Periods();
    for (size_t k = 0; k < periods.size(); ++k) EXPECT_NEAR(periods[k], expected[k], kTick) << k;

    Loop counter(1, 0);
    counter.shell.nowUs = 4294967u - 20000;  // the nanosecond counter wraps within 2 frames
    counter.Frames(5);
    for (double p : counter.Periods()) EXPECT_NEAR(p, 16.667, 0.05);
}

TEST(FrameLoop, LatenessTestAcceptsOnlyOverrunsUpToHalfTheRange) {
    EXPECT_FALSE(Overran(16, 16));
    EXPECT_TRUE(Overran(17, 16));
    EXPECT_TRUE(Overran(16 + 0x80000000u, 16));
    EXPECT_FALSE(Overran(17 + 0x80000000u, 16));
    EXPECT_FALSE(Overran(3, 16));
}
