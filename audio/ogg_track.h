// The Ogg Vorbis state of one music track; only the music files see vorbisfile's types.
#pragma once

#include <vorbis/vorbisfile.h>

#include <cstdint>
#include <cstdio>

struct OggTrack {
    OggVorbis_File stream;
    vorbis_info* info;
    int link;
    std::FILE* file;
    int32_t decoded;
    int32_t requested;
    int32_t lastRead;
    int32_t loopHit;
    int64_t position;        // bytes since the stream's start (first pass) or the loop start
    int64_t loopStartBytes;  // 0 on the first pass, LoopStart x 4 after the first jump
    int64_t frames;          // the stream's length in sample frames, taken at the open
    uint8_t open;
    uint8_t deferred;  // its file is another track's, opened on the track's first use
};

[[nodiscard]] OggTrack& OggMusicTrack(int32_t n);
