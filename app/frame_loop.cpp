// The frame pattern table and the loop's starting state.
#include "app/frame_loop.h"

namespace {

// Milliseconds added to 16 for each frame: 27 frames take 450 ms, 3 frames 50 ms.
constexpr uint32_t kFramePattern[kFramePatternLength] = {0, 1, 1, 1, 0, 1, 1, 1, 0, 1, 0, 1, 1, 1,
                                                         0, 0, 1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 1};

}  // namespace

void InitFrameLoop(FrameLoopState& s, uint32_t counterFrequency) {
    for (int k = 0; k < kFramePatternLength; ++k) s.framePatternTable[k] = kFramePattern[k];
    s.patternIndex = 0;
    s.skipNextPresent = 0;
    s.ticksPerFrame = counterFrequency / 60;
    s.ticksPerMillisecond = counterFrequency / 1000;
    s.frameStart = 0;
    s.frameStartMilliseconds = 0;
}
