// Decoding one Ogg Vorbis effect file into memory. An ordinary effect (one logical stream,
// whole, ending where its last granule position says) is decoded packet by packet with the
// stream information of the file before it where the headers are the same; anything else is
// left to vorbisfile, whose output the quick way reproduces sample for sample.
#include "audio/ogg_effect.h"

#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/files.h"

namespace {

// The stream's length in bytes, counted only as far as the limit: a stream of hours would
// not fit an int.
int32_t BytesToKeep(int64_t frames, int32_t channels) {
    const int64_t bytes = (frames < kOggEffectBytes ? frames : kOggEffectBytes) * channels * 2;
    return static_cast<int32_t>(bytes < kOggEffectBytes ? bytes : kOggEffectBytes);
}

int32_t DecodeOgg(OggVorbis_File& stream, uint8_t* data) {
    const vorbis_info* info = ov_info(&stream, -1);
    const int32_t total = BytesToKeep(ov_pcm_total(&stream, -1), info->channels);
    int32_t decoded = 0;
    int link = 0;
    for (;;) {
        int32_t want = total - decoded;
        if (want > kOggEffectBytes - decoded)
            want = kOggEffectBytes - decoded;
        if (want <= 0)
            break;
        long r = ov_read(&stream, reinterpret_cast<char*>(data + decoded), want, 0, 2, 1, &link);
        if (r <= 0)
            break;
        decoded += static_cast<int32_t>(r);
    }
    return decoded;
}

int32_t DecodeWithVorbisfile(const char16_t* path, uint8_t* data, int32_t* bytes) {
    *bytes = 0;
    std::FILE* file = FileOpenStream(path, "rb");
    if (file == nullptr)
        return kOggEffectCannotOpen;
    OggVorbis_File stream;
    if (ov_open(file, &stream, nullptr, 0) != 0) {
        std::fclose(file);
        return kOggEffectNotVorbis;
    }
    if (ov_info(&stream, -1) == nullptr) {
        ov_clear(&stream);
        return kOggEffectNoInfo;
    }
    *bytes = DecodeOgg(stream, data);
    ov_clear(&stream);  // closes the file too
    return kOggEffectDecoded;
}

// The packets of the file's one logical stream, read page by page. unusual is set by
// anything the quick way does not take: damaged bytes, a hole, a second stream, pages after
// the end.
struct PacketReader {
    std::FILE* file = nullptr;
    ogg_sync_state sync{};
    ogg_stream_state stream{};
    bool streamOpen = false;
    bool unusual = false;
    bool ended = false;        // the last page read says the stream ends there
    int64_t lastGranule = -1;  // the last granule position a page gave
};

bool TakePage(PacketReader& r, ogg_page& page) {
    if (!r.streamOpen) {
        r.streamOpen = ogg_stream_init(&r.stream, ogg_page_serialno(&page)) == 0;
        r.unusual = !r.streamOpen || ogg_page_bos(&page) == 0;
    } else if (ogg_page_bos(&page) != 0 || ogg_page_serialno(&page) != r.stream.serialno ||
               r.ended) {
        r.unusual = true;
    }
    if (r.unusual || ogg_stream_pagein(&r.stream, &page) != 0) {
        r.unusual = true;
        return false;
    }
    if (ogg_page_granulepos(&page) != -1)
        r.lastGranule = ogg_page_granulepos(&page);
    r.ended = ogg_page_eos(&page) != 0;
    return true;
}

// The next packet; false at the end of the file or at anything unusual.
bool NextPacket(PacketReader& r, ogg_packet& packet) {
    for (;;) {
        if (r.streamOpen) {
            const int got = ogg_stream_packetout(&r.stream, &packet);
            if (got == 1)
                return true;
            if (got < 0) {
                r.unusual = true;
                return false;
            }
        }
        ogg_page page;
        const int paged = ogg_sync_pageout(&r.sync, &page);
        if (paged < 0) {
            r.unusual = true;
            return false;
        }
        if (paged == 0) {
            constexpr long kChunk = 4096;
            char* buffer = ogg_sync_buffer(&r.sync, kChunk);
            const size_t read = buffer == nullptr ? 0 : std::fread(buffer, 1, kChunk, r.file);
            if (read == 0 || ogg_sync_wrote(&r.sync, static_cast<long>(read)) != 0)
                return false;
        } else if (!TakePage(r, page)) {
            return false;
        }
    }
}

bool SameHeaders(const OggEffectSetup& s, const ogg_packet& ident, const ogg_packet& setup) {
    return s.made && ident.bytes == OggEffectSetup::kIdentBytes && setup.bytes == s.setupBytes &&
           std::memcmp(s.ident, ident.packet, OggEffectSetup::kIdentBytes) == 0 &&
           std::memcmp(s.setup, setup.packet, static_cast<size_t>(setup.bytes)) == 0;
}

// Reads the three headers into fresh; returns the information to decode with: the kept one
// where the headers match it (fresh is then cleared), fresh moved into keep where it can be
// kept, else fresh itself. Null when the headers do not make a stream.
vorbis_info* ReadHeaders(PacketReader& r, vorbis_info& fresh, OggEffectSetup* keep) {
    vorbis_comment comments;
    vorbis_comment_init(&comments);
    uint8_t ident[OggEffectSetup::kIdentBytes];
    ogg_packet identPacket{};
    ogg_packet packet;
    int32_t read = 0;
    for (; read < 3 && NextPacket(r, packet); ++read) {
        if (vorbis_synthesis_headerin(&fresh, &comments, &packet) != 0)
            break;
        if (read == 0 && packet.bytes == OggEffectSetup::kIdentBytes) {
            std::memcpy(ident, packet.packet, sizeof ident);
            identPacket = packet;
            identPacket.packet = ident;
        }
    }
    vorbis_comment_clear(&comments);
    if (read < 3)
        return nullptr;
    if (keep == nullptr)
        return &fresh;
    if (SameHeaders(*keep, identPacket, packet)) {
        vorbis_info_clear(&fresh);
        return &keep->info;
    }
    if (identPacket.packet == nullptr || packet.bytes > OggEffectSetup::kSetupBytes)
        return &fresh;
    ReleaseOggEffectSetup(*keep);
    keep->info = fresh;
    std::memcpy(keep->ident, ident, sizeof ident);
    std::memcpy(keep->setup, packet.packet, static_cast<size_t>(packet.bytes));
    keep->setupBytes = static_cast<int32_t>(packet.bytes);
    keep->made = true;
    return &keep->info;
}

// Samples as vorbisfile gives them: rounded to the nearest (even on a tie), clipped to 16 bits,
// the channels interleaved. False for a sample beyond any int, and for a stream longer than an
// effect may be (vorbisfile stops at the limit; this would decode the whole stream first):
// both are left to vorbisfile.
bool PutSamples(float* const* pcm, int32_t frames, int32_t channels, uint8_t* data,
                int32_t& written) {
    for (int32_t f = 0; f < frames; ++f) {
        for (int32_t c = 0; c < channels; ++c) {
            const float x = pcm[c][f] * 32768.f;
            if (!(std::fabs(x) < 2147483648.f))
                return false;
            long v = std::lrintf(x);
            v = v > 32767 ? 32767 : (v < -32768 ? -32768 : v);
            if (written + 2 > kOggEffectBytes)
                return false;
            const uint16_t bits = static_cast<uint16_t>(static_cast<int16_t>(v));
            data[written] = static_cast<uint8_t>(bits & 0xFF);
            data[written + 1] = static_cast<uint8_t>(bits >> 8);
            written += 2;
        }
    }
    return true;
}

// The packets after the headers through the decoder; the frames they make in frames.
bool DecodePackets(PacketReader& r, vorbis_info& info, uint8_t* data, int64_t& frames,
                   int32_t& written) {
    vorbis_dsp_state dsp;
    if (vorbis_synthesis_init(&dsp, &info) != 0)
        return false;
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    bool fine = true;
    ogg_packet packet;
    while (fine && NextPacket(r, packet)) {
        fine =
            vorbis_synthesis(&block, &packet) == 0 && vorbis_synthesis_blockin(&dsp, &block) == 0;
        float** pcm = nullptr;
        int made = 0;
        while (fine && (made = vorbis_synthesis_pcmout(&dsp, &pcm)) > 0) {
            fine = PutSamples(pcm, made, info.channels, data, written);
            frames += made;
            vorbis_synthesis_read(&dsp, made);
        }
    }
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    return fine;
}

// True when the file was an ordinary effect and data holds it; false leaves it to vorbisfile.
bool DecodeQuickly(std::FILE* file, uint8_t* data, int32_t* bytes, OggEffectSetup* keep) {
    PacketReader r;
    r.file = file;
    ogg_sync_init(&r.sync);
    vorbis_info fresh;
    vorbis_info_init(&fresh);
    vorbis_info* info = ReadHeaders(r, fresh, keep);
    int64_t frames = 0;
    int32_t written = 0;
    bool whole = info != nullptr && DecodePackets(r, *info, data, frames, written);
    whole = whole && !r.unusual && r.ended && frames == r.lastGranule;
    if (info == nullptr || info == &fresh)
        vorbis_info_clear(&fresh);
    if (r.streamOpen)
        ogg_stream_clear(&r.stream);
    ogg_sync_clear(&r.sync);
    if (whole)
        *bytes = written;  // every frame
    return whole;
}

}  // namespace

int32_t DecodeOggEffect(const char16_t* path, uint8_t* data, int32_t* bytes,
                        OggEffectSetup* setup) {
    *bytes = 0;
    std::FILE* file = FileOpenStream(path, "rb");
    if (file == nullptr)
        return kOggEffectCannotOpen;
    const bool decoded = DecodeQuickly(file, data, bytes, setup);
    std::fclose(file);
    if (decoded)
        return kOggEffectDecoded;
    return DecodeWithVorbisfile(path, data, bytes);
}

void ReleaseOggEffectSetup(OggEffectSetup& setup) {
    if (setup.made)
        vorbis_info_clear(&setup.info);
    setup.made = false;
    setup.setupBytes = 0;
}
