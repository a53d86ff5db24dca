// WaveStream: a RIFF/WAVE file opened for its sample data. The reader finds the "fmt " and
// "data" chunks by id inside the RIFF/WAVE chunk, keeps a copy of the format bytes and
// counts the data chunk down as it is read. Two readers, chosen by the build: our own over
// the platform's files, and mmio on Windows.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/bytes.h"

inline constexpr int32_t kWaveOk = 0;
inline constexpr int32_t kWaveFail = static_cast<int32_t>(0x80004005u);

struct RiffChunk {
    uint32_t id;
    uint32_t size;  // for the data chunk: the bytes still to be read
    uint32_t formType;
    int64_t dataOffset;  // file offset of the chunk's contents
};

struct WaveStream {
    // The format chunk's first 16 bytes, the extra size and any extra bytes: 18 bytes for
    // PCM, 18 + extra size otherwise. Null while closed.
    uint8_t* format = nullptr;
    int32_t formatBytes = 0;
    int32_t file = -1;
    int64_t position = 0;  // the file position the next read starts from
    RiffChunk data = {};
    RiffChunk riff = {};
};

// The format fields, read from the stream's format block.
struct WaveFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSecond;
    uint32_t averageBytesPerSecond;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;
};
[[nodiscard]] inline WaveFormat FormatOf(const WaveStream& stream) {
    ByteView f{stream.format, stream.format != nullptr ? stream.formatBytes : 0};
    return WaveFormat{f.U16(0), f.U16(2), f.U32(4), f.U32(8), f.U16(12), f.U16(14), f.U16(16)};
}

// Both readers' format block: the format chunk's first 16 bytes (head) and the extra size,
// room for the extra bytes after them. Returns where those go.
[[nodiscard]] inline uint8_t* KeepFormat(WaveStream& s, const uint8_t* head, uint16_t extra) {
    s.formatBytes = 18 + extra;
    s.format = new uint8_t[s.formatBytes];
    std::memcpy(s.format, head, 16);
    s.format[16] = static_cast<uint8_t>(extra & 0xFF);
    s.format[17] = static_cast<uint8_t>(extra >> 8);
    return s.format + 18;
}

// Opens path: its RIFF chunk must have the form type "WAVE" and hold a "fmt " chunk of at
// least 16 bytes. kWaveOk or kWaveFail (then nothing stays open).
[[nodiscard]] int32_t OpenWave(const char16_t* path, WaveStream* stream);

// Positions the stream on its first sample byte; data.size becomes the sample byte count.
[[nodiscard]] int32_t RewindWave(WaveStream* stream);

// Copies up to size bytes, never more than data.size, and counts data.size down by what it
// took; *taken says how many. kWaveFail when the file ends before them.
[[nodiscard]] int32_t ReadWave(WaveStream* stream, uint32_t size, uint8_t* buffer, uint32_t* taken);

// Copies up to size bytes of the sample data, never more than data.size and never past the
// end of the file, counting data.size down by what it copied. Returns that count.
[[nodiscard]] uint32_t ReadWaveAvailable(WaveStream* stream, uint32_t size, uint8_t* buffer);

// Moves the read position to offset bytes past the start of the sample data.
[[nodiscard]] bool SeekWaveData(WaveStream* stream, int64_t offset);

void CloseWave(WaveStream* stream);
