#include "tests/unit/ogg_test_file.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

void WritePages(ogg_stream_state& os, std::FILE* f, bool flush) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&os, &page) : ogg_stream_pageout(&os, &page)) != 0) {
        std::fwrite(page.header, 1, page.header_len, f);
        std::fwrite(page.body, 1, page.body_len, f);
    }
}

}  // namespace

namespace {

float Tone(int frame) {
    return 0.5f * std::sin(2.0f * 3.14159265f * 440.0f * frame / 44100.0f);
}

}  // namespace

bool WriteOggTone(const std::string& path, int frames, int channels) {
    return WriteOggSignal(path, frames, channels, Tone);
}

bool WriteOggSignal(const std::string& path, int frames, int channels, float (*signal)(int frame)) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, channels, 44100, 0.3f) != 0)
        return false;
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 1);
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    WritePages(os, f, true);
    int written = 0;
    bool done = false;
    while (!done) {
        int chunk = frames - written < 1024 ? frames - written : 1024;
        if (chunk > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, chunk);
            for (int i = 0; i < chunk; ++i) {
                float v = signal(written + i);
                for (int c = 0; c < channels; ++c) buffer[c][i] = v;
            }
            written += chunk;
        }
        vorbis_analysis_wrote(&vd, chunk);
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
                ogg_stream_packetin(&os, &packet);
                WritePages(os, f, false);
            }
        }
        if (chunk == 0)
            done = true;
    }
    WritePages(os, f, true);
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    std::fclose(f);
    return true;
}
