// The trace script: one command a line, '#' comments, decimal or 0x numbers. A line is
// parsed into a TraceCommand; a line that is not a command gives an error text instead.
#pragma once

#include <cstdint>
#include <string_view>

enum class TraceOp { None, Clock, Ids, Keys, Pad, PadOff, Active, DrawsOn, DrawsOff, Run };

struct TraceCommand {
    TraceOp op = TraceOp::None;  // None: a blank or comment line
    int64_t number = 0;          // clock seconds, pad word, active flag, frames to run
    uint32_t threadId = 0;
    uint32_t processId = 0;
    int32_t keyCount = 0;
    uint8_t keys[256] = {};  // the held keys, each once
};

inline constexpr int kTraceErrorBytes = 160;

// Parses one line (without its line end). False with a message in error when it is not a
// command the script knows.
[[nodiscard]] bool ParseTraceLine(std::string_view line, TraceCommand& command,
                                  char (&error)[kTraceErrorBytes]);
