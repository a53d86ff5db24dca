// The headless game: the start state that a successful start-up leaves, one frame as the
// frame loop runs it without the platform, and the frame printed as one JSON line.
#pragma once

#include <cstdint>

#include "audio/audio.h"
#include "render/draw_command.h"
#include "tools/trace/trace_writer.h"

struct TraceRun {
    int64_t frame = 0;  // frames run so far
    bool draws = false;
    EffectLog effects = {};
};

// Builds the Game and brings it to the state before the first frame. iniPath (UTF-8, may be
// null) is loaded as start-up loads Game.ini; without it the defaults derivation runs.
// False when the settings file cannot be opened.
[[nodiscard]] bool StartTraceGame(const char* iniPath, TraceRun& run);

// Writes Game.ini through the game's own writer to path (UTF-8). False on failure.
[[nodiscard]] bool SaveTraceSettings(const char* path);

// Deletes the Game again.
void EndTraceGame();

// The input poll and, while the window is active, the frame of the current scene.
void RunTraceFrame(TraceRun& run);

// The state at the end of the frame, one line.
void WriteTraceFrame(TraceWriter& out, const TraceRun& run);

// The identifiers the piece generator adds to its seed (the script's `ids`).
void SetTraceIds(uint32_t threadId, uint32_t processId);

// The window-active flag (the script's `active`).
void SetTraceActive(int32_t active);
