// The RIFF/WAVE reader on Windows, over the multimedia file I/O (mmio): chunks found by id
// with mmioDescend inside the RIFF/WAVE chunk, the format bytes kept, the data chunk counted
// down while it is copied out of mmio's own I/O buffer. The stream's file number indexes a
// fixed table of mmio handles; all 64 music tracks stay open in it for the whole run.
#include <windows.h>
// After windows.h: the multimedia file I/O.
#include <mmsystem.h>

#include "assets/wave_stream.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/handle_table.h"
#include "platform/path16.h"

namespace {

constexpr int32_t kWaveFiles = 80;  // the 64 music tracks, an effect being loaded, tests

// Opened and closed on the main thread; the music streaming thread looks its tracks up.
HandleTable<HMMIO, kWaveFiles> theWaveFiles;

const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

RiffChunk Chunk(const MMCKINFO& info, int64_t dataOffset) {
    return RiffChunk{info.ckid, info.cksize, info.fccType, dataOffset};
}

// Looks for chunk id among the chunks from mmio's position to the end of the parent chunk,
// one mmioDescend at a time: every step must move forward and stay inside the parent, so a
// chunk size that would wrap the 32-bit file offsets ends the search instead of looping.
// On success mmio stands at the found chunk's contents.
bool FindChunk(HMMIO h, const RiffChunk& parent, FOURCC id, RiffChunk& found) {
    const int64_t end = parent.dataOffset + static_cast<int64_t>(parent.size);
    int64_t at = mmioSeek(h, 0, SEEK_CUR);
    while (at >= 0 && at + 8 <= end) {
        MMCKINFO chunk{};
        if (mmioDescend(h, &chunk, nullptr, 0) != MMSYSERR_NOERROR)
            return false;
        if (chunk.ckid == id) {
            found = Chunk(chunk, at + 8);
            return mmioSeek(h, static_cast<LONG>(at + 8), SEEK_SET) != -1;
        }
        at += 8 + static_cast<int64_t>(chunk.cksize) + (chunk.cksize & 1);  // word-aligned
        if (at > end || mmioSeek(h, static_cast<LONG>(at), SEEK_SET) == -1)
            return false;
    }
    return false;
}

bool ReadExactly(HMMIO h, void* buffer, LONG size) {
    return mmioRead(h, static_cast<HPSTR>(buffer), size) == size;
}

// Reads the format chunk mmio stands in: 16 bytes, then for other than PCM the extra size
// and that many bytes.
bool ReadFormat(HMMIO h, const RiffChunk& fmt, WaveStream& s) {
    uint8_t head[16];
    if (fmt.size < 16 || !ReadExactly(h, head, 16))
        return false;
    uint16_t extra = 0;
    if (ByteView{head, 16}.U16(0) != 1) {
        uint8_t size[2];
        if (!ReadExactly(h, size, 2))
            return false;
        extra = ByteView{size, 2}.U16(0);
    }
    uint8_t* extraBytes = KeepFormat(s, head, extra);
    return extra == 0 || ReadExactly(h, extraBytes, extra);
}

int32_t Fail(WaveStream& s, HMMIO h) {
    mmioClose(h, 0);
    delete[] s.format;
    s = WaveStream{};
    return kWaveFail;
}

}  // namespace

int32_t OpenWave(const char16_t* path, WaveStream* stream) {
    WaveStream& s = *stream;
    s = WaveStream{};
    wchar_t wide[kPathUnits];
    if (!TextCopy(reinterpret_cast<char16_t*>(wide), kPathUnits, path) || wide[0] == 0)
        return kWaveFail;
    HMMIO h = mmioOpenW(wide, nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (h == nullptr)
        return kWaveFail;
    if (!FileStaysThere())
        return Fail(s, h);
    MMCKINFO riff{};
    if (mmioDescend(h, &riff, nullptr, 0) != MMSYSERR_NOERROR || riff.ckid != FOURCC_RIFF ||
        riff.fccType != kWave)
        return Fail(s, h);
    s.riff = Chunk(riff, 8);
    RiffChunk fmt{};
    if (!FindChunk(h, s.riff, kFmt, fmt) || !ReadFormat(h, fmt, s))
        return Fail(s, h);
    MMCKINFO format{};
    format.ckid = kFmt;
    format.cksize = fmt.size;
    format.dwDataOffset = static_cast<DWORD>(fmt.dataOffset);
    if (mmioAscend(h, &format, 0) != MMSYSERR_NOERROR)
        return Fail(s, h);
    s.file = theWaveFiles.Claim(h);
    if (s.file < 0)
        return Fail(s, h);
    return kWaveOk;
}

int32_t RewindWave(WaveStream* stream) {
    WaveStream& s = *stream;
    HMMIO h = theWaveFiles.Lookup(s.file);
    if (h == nullptr)
        return kWaveFail;
    if (mmioSeek(h, static_cast<LONG>(s.riff.dataOffset + 4), SEEK_SET) == -1)
        return kWaveFail;  // just past the form type
    if (!FindChunk(h, s.riff, kData, s.data))
        return kWaveFail;
    s.position = s.data.dataOffset;
    return kWaveOk;
}

// Called from the music streaming thread for tracks, from the main thread for effects.
int32_t ReadWave(WaveStream* stream, uint32_t size, uint8_t* buffer, uint32_t* taken) {
    WaveStream& s = *stream;
    *taken = 0;
    HMMIO h = theWaveFiles.Lookup(s.file);
    if (h == nullptr)
        return kWaveFail;
    MMIOINFO info{};
    if (mmioGetInfo(h, &info, 0) != MMSYSERR_NOERROR)
        return kWaveFail;
    uint32_t take = size < s.data.size ? size : s.data.size;
    s.data.size -= take;
    for (uint32_t k = 0; k < take; ++k) {
        if (info.pchNext == info.pchEndRead) {
            if (mmioAdvance(h, &info, MMIO_READ) != MMSYSERR_NOERROR ||
                info.pchNext == info.pchEndRead) {
                (void)mmioSetInfo(h, &info, 0);
                return kWaveFail;
            }
        }
        buffer[k] = static_cast<uint8_t>(*info.pchNext++);
    }
    if (mmioSetInfo(h, &info, 0) != MMSYSERR_NOERROR)
        return kWaveFail;
    s.position += take;
    *taken = take;
    return kWaveOk;
}

uint32_t ReadWaveAvailable(WaveStream* stream, uint32_t size, uint8_t* buffer) {
    WaveStream& s = *stream;
    HMMIO h = theWaveFiles.Lookup(s.file);
    uint32_t take = size < s.data.size ? size : s.data.size;
    if (h == nullptr || take == 0)
        return 0;
    LONG got = mmioRead(h, reinterpret_cast<HPSTR>(buffer), static_cast<LONG>(take));
    if (got <= 0)
        return 0;
    s.position += got;
    s.data.size -= static_cast<uint32_t>(got);
    return static_cast<uint32_t>(got);
}

bool SeekWaveData(WaveStream* stream, int64_t offset) {
    HMMIO h = theWaveFiles.Lookup(stream->file);
    const int64_t at = stream->data.dataOffset + offset;
    if (h == nullptr || offset < 0 || at > 0x7FFFFFFF)
        return false;
    if (mmioSeek(h, static_cast<LONG>(at), SEEK_SET) == -1)
        return false;
    stream->position = at;
    return true;
}

void CloseWave(WaveStream* stream) {
    HMMIO h = theWaveFiles.Release(stream->file);
    if (h != nullptr)
        mmioClose(h, 0);
    stream->file = -1;
    delete[] stream->format;
    stream->format = nullptr;
    stream->formatBytes = 0;
}
