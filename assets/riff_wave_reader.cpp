// The RIFF/WAVE reader over the game's own file operations. Every size from the file is
// checked in 64-bit arithmetic against the enclosing chunk and the bytes actually read.

#include "assets/wave_stream.h"
#include "platform/bytes.h"
#include "platform/files.h"

namespace {

constexpr uint32_t FourCc(const char (&s)[5]) {
    return static_cast<uint32_t>(s[0]) | (static_cast<uint32_t>(s[1]) << 8) |
           (static_cast<uint32_t>(s[2]) << 16) | (static_cast<uint32_t>(s[3]) << 24);
}

constexpr uint32_t kRiff = FourCc("RIFF");
constexpr uint32_t kWave = FourCc("WAVE");
constexpr uint32_t kFmt = FourCc("fmt ");
constexpr uint32_t kData = FourCc("data");

bool ReadAt(WaveStream& s, int64_t at, void* buffer, int64_t size) {
    if (!FileSeek(s.file, at))
        return false;
    int64_t got = FileRead(s.file, buffer, size);
    s.position = at + (got > 0 ? got : 0);
    return got == size;
}

// Looks for chunk id among the chunks from the current position to the end of the RIFF
// chunk; on success the stream stands at the found chunk's contents.
bool FindChunk(WaveStream& s, uint32_t id, RiffChunk& found) {
    const int64_t end = s.riff.dataOffset + static_cast<int64_t>(s.riff.size);
    int64_t at = s.position;
    while (at + 8 <= end) {
        uint8_t header[8];
        if (!ReadAt(s, at, header, 8))
            return false;
        ByteView h{header, 8};
        uint32_t size = h.U32(4);
        if (h.U32(0) == id) {
            found = RiffChunk{id, size, 0, at + 8};
            return true;
        }
        at += 8 + static_cast<int64_t>(size) + (size & 1);  // chunks are word-aligned
    }
    return false;
}

int32_t Fail(WaveStream& s) {
    CloseWave(&s);
    return kWaveFail;
}

// Reads the format chunk the stream stands on: 16 bytes, then for other than PCM the extra
// size and that many bytes.
bool ReadFormat(WaveStream& s, const RiffChunk& fmt) {
    if (fmt.size < 16)
        return false;
    uint8_t head[16];
    if (!ReadAt(s, fmt.dataOffset, head, 16))
        return false;
    uint16_t tag = ByteView{head, 16}.U16(0);
    uint16_t extra = 0;
    if (tag != 1) {
        uint8_t size[2];
        if (!ReadAt(s, fmt.dataOffset + 16, size, 2))
            return false;
        extra = ByteView{size, 2}.U16(0);
    }
    uint8_t* extraBytes = KeepFormat(s, head, extra);
    return extra == 0 || ReadAt(s, fmt.dataOffset + 18, extraBytes, extra);
}

}  // namespace

int32_t OpenWave(const char16_t* path, WaveStream* stream) {
    WaveStream& s = *stream;
    s = WaveStream{};
    s.file = FileOpenPath(path, FileOpen::ReadExisting);
    if (s.file < 0)
        return kWaveFail;
    uint8_t header[12];
    if (!ReadAt(s, 0, header, 12))
        return Fail(s);
    ByteView h{header, 12};
    if (h.U32(0) != kRiff || h.U32(8) != kWave)
        return Fail(s);
    s.riff = RiffChunk{kRiff, h.U32(4), kWave, 8};
    RiffChunk fmt{};
    if (!FindChunk(s, kFmt, fmt) || !ReadFormat(s, fmt))
        return Fail(s);
    // Ascend: stand just past the format chunk.
    s.position = fmt.dataOffset + static_cast<int64_t>(fmt.size) + (fmt.size & 1);
    return kWaveOk;
}

int32_t RewindWave(WaveStream* stream) {
    WaveStream& s = *stream;
    if (s.file < 0)
        return kWaveFail;
    s.position = s.riff.dataOffset + 4;  // just past the form type
    if (!FindChunk(s, kData, s.data))
        return kWaveFail;
    s.position = s.data.dataOffset;
    return kWaveOk;
}

int32_t ReadWave(WaveStream* stream, uint32_t size, uint8_t* buffer, uint32_t* taken) {
    WaveStream& s = *stream;
    *taken = 0;
    if (s.file < 0)
        return kWaveFail;
    uint32_t take = size < s.data.size ? size : s.data.size;
    s.data.size -= take;
    if (take == 0)
        return kWaveOk;
    if (!FileSeek(s.file, s.position))
        return kWaveFail;
    int64_t got = FileRead(s.file, buffer, take);
    if (got > 0)
        s.position += got;
    if (got != take)
        return kWaveFail;
    *taken = take;
    return kWaveOk;
}

uint32_t ReadWaveAvailable(WaveStream* stream, uint32_t size, uint8_t* buffer) {
    WaveStream& s = *stream;
    uint32_t take = size < s.data.size ? size : s.data.size;
    if (s.file < 0 || take == 0 || !FileSeek(s.file, s.position))
        return 0;
    int64_t got = FileRead(s.file, buffer, take);
    if (got <= 0)
        return 0;
    s.position += got;
    s.data.size -= static_cast<uint32_t>(got);
    return static_cast<uint32_t>(got);
}

bool SeekWaveData(WaveStream* stream, int64_t offset) {
    if (stream->file < 0 || offset < 0)
        return false;
    stream->position = stream->data.dataOffset + offset;
    return true;
}

void CloseWave(WaveStream* stream) {
    if (stream->file >= 0)
        FileClose(stream->file);
    stream->file = -1;
    delete[] stream->format;
    stream->format = nullptr;
    stream->formatBytes = 0;
}
