// Ogg Vorbis music (sound mode 2): opening the tracks, decoding blocks with the loop jump,
// rewinding, and closing them at shutdown.
#include <cstdio>

#include "assets/wave_stream.h"
#include "audio/music.h"
#include "audio/music_tracks.h"
#include "audio/ogg_track.h"
#include "game/system.h"
#include "platform/files.h"
#include "platform/path16.h"

namespace {

OggTrack theTracks[kMusicTracks];
char16_t thePaths[kMusicTracks][kPathUnits];  // each open or deferred track's file

// An earlier track that opened this very file, or -1.
int32_t OpenedTwin(const char16_t* path, int32_t n) {
    for (int32_t m = 0; m < n; ++m) {
        if (theTracks[m].open != 0 && TextEquals(thePaths[m], path, kPathUnits))
            return m;
    }
    return -1;
}

int32_t OpenStream(OggTrack& t, const char16_t* path) {
    t.file = FileOpenStream(path, "rb");
    if (t.file == nullptr)
        return kOggCannotOpen;
    if (ov_open(t.file, &t.stream, nullptr, 0) != 0) {
        std::fclose(t.file);
        t.file = nullptr;
        return kOggNotVorbis;
    }
    t.open = 1;  // from here ov_clear closes the file
    return kOggOpened;
}

// A deferred track is opened here, in the streaming thread, on its first read; it then stands
// at its first sample as a track opened and rewound at start-up does. False: nothing to read.
bool ReadyTrack(OggTrack& t, int32_t n) {
    if (t.deferred != 0) {
        t.deferred = 0;
        if (OpenStream(t, thePaths[n]) == kOggOpened)
            t.info = ov_info(&t.stream, -1);
    }
    return t.open != 0;
}

// One ov_read into the block: little-endian, 16-bit, signed.
int32_t Decode(OggTrack& t, uint8_t* destination, int32_t size) {
    long r = ov_read(&t.stream, reinterpret_cast<char*>(destination), size, 0, 2, 1, &t.link);
    t.lastRead = static_cast<int32_t>(r);
    return t.lastRead;
}

}  // namespace

OggTrack& OggMusicTrack(int32_t n) {
    return theTracks[n & (kMusicTracks - 1)];
}

int32_t OpenOggTrack(const char16_t* path, int32_t n) {
    n &= kMusicTracks - 1;
    OggTrack& t = theTracks[n];
    t.loopHit = 0;
    t.position = 0;
    t.loopStartBytes = 0;
    const int32_t twin = OpenedTwin(path, n);
    if (twin >= 0) {
        (void)TextCopy(thePaths[n], kPathUnits, path);
        t.frames = theTracks[twin].frames;
        t.deferred = 1;
        return kOggOpened;
    }
    const int32_t opened = OpenStream(t, path);
    if (opened != kOggOpened)
        return opened;
    if (ov_seekable(&t.stream) == 0) {
        for (int link = 0; link < ov_streams(&t.stream); ++link) {
            vorbis_info* info = ov_info(&t.stream, link);
            if (info == nullptr || info->channels != 2)
                return kOggNotStereo;
        }
    }
    t.info = ov_info(&t.stream, -1);
    if (t.info == nullptr)
        return kOggNoInfo;
    const ogg_int64_t total = ov_pcm_total(&t.stream, -1);
    t.frames = total > 0 ? static_cast<int64_t>(total) : 0;
    // A path too long to keep is simply never shared.
    if (!TextCopy(thePaths[n], kPathUnits, path))
        thePaths[n][0] = 0;
    return kOggOpened;
}

int64_t TrackFrames(int32_t audioMode, int32_t n) {
    if (audioMode == kAudioWave) {
        const WaveStream& s = WaveTrack(n);
        return s.file >= 0 ? s.data.size / 4 : 0;
    }
    const OggTrack& t = OggMusicTrack(n);
    return t.open != 0 || t.deferred != 0 ? t.frames : 0;
}

// Called from the streaming thread. The loop end is tested after each decode, so the bytes
// that decode brought past it stay in the block: the jump comes up to one packet late.
bool ReadOggBlock(System& system, int32_t n, uint8_t* destination, int32_t size) {
    n &= kMusicTracks - 1;
    OggTrack& t = theTracks[n];
    if (!ReadyTrack(t, n))
        return false;  // the block keeps what it held
    const int64_t loopEnd =
        (static_cast<int64_t>(system.LoopStart[n]) + system.LoopLength[n]) * 4 - t.loopStartBytes;
    t.requested = size;
    t.decoded = 0;
    for (;;) {
        int32_t r = Decode(t, destination + t.decoded, t.requested - t.decoded);
        if (r < 1)
            break;
        t.decoded += r;
        if (t.position + t.decoded >= loopEnd) {
            t.loopHit = 1;
            break;
        }
    }
    t.position += t.decoded;
    if (t.loopHit == 0)
        return true;

    ov_pcm_seek(&t.stream, system.LoopStart[n]);
    t.requested -= t.decoded;
    t.position = 0;
    int32_t got = 0;
    for (;;) {
        int32_t r = Decode(t, destination + t.decoded, t.requested - got);
        if (r < 1)
            break;
        t.decoded += r;
        got += r;
        t.loopHit = 0;
    }
    t.requested = size;
    t.loopStartBytes = static_cast<int64_t>(system.LoopStart[n]) * 4;
    t.position = got;
    return true;
}

void RewindTrack(System& system, int32_t n) {
    if (system.audioMode == kAudioWave) {
        WaveStream& s = WaveTrack(n);
        if (RewindWave(&s) == kWaveOk) {
            s.data.size = (system.LoopStart[n] + system.LoopLength[n]) * 4;
        }
    } else if (system.audioMode == kAudioOgg) {
        OggTrack& t = OggMusicTrack(n);
        t.lastRead = 0;
        t.loopHit = 0;
        t.position = 0;
        t.loopStartBytes = 0;
        t.decoded = 0;
        if (t.open != 0)
            ov_pcm_seek(&t.stream, 0);
    }
}

void ClearMusicOpenFlags() {
    for (OggTrack& t : theTracks) {
        t.open = 0;
        t.deferred = 0;
    }
}

void CloseMusicTracks(int32_t audioMode) {
    if (audioMode == kAudioWave) {
        for (int n = 0; n < kMusicTracks; ++n) CloseWave(&WaveTrack(n));
    } else if (audioMode == kAudioOgg) {
        for (OggTrack& t : theTracks) {
            t.deferred = 0;
            if (t.open == 0)
                continue;
            ov_clear(&t.stream);  // closes the file too
            t.open = 0;
            t.file = nullptr;
        }
    }
}
