// WAVE, Ogg Vorbis and loop file writing.
#include "tools/assetgen/data_folder.h"
#include "tools/assetgen/sound_files.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <vector>

namespace {

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<unsigned char>(v >> (8 * k)));
}
void Put16(std::vector<unsigned char>& out, uint16_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}
void PutTag(std::vector<unsigned char>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}


void TakePages(ogg_stream_state& stream, std::vector<unsigned char>& out, bool flush) {
    ogg_page page;
    while ((flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) != 0) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
}

void EncodeBlocks(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream,
                  std::vector<unsigned char>& out) {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
            ogg_stream_packetin(&stream, &packet);
            TakePages(stream, out, false);
        }
    }
}

}  // namespace

bool WriteWave(const std::string& path, const StereoBuffer& sound) {
    std::vector<int16_t> pcm = sound.Pcm();
    uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
    std::vector<unsigned char> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 2);
    Put32(out, kRate);
    Put32(out, kRate * 4);
    Put16(out, 4);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : pcm) Put16(out, static_cast<uint16_t>(s));
    return WriteBytes(path, out);
}

bool WriteOgg(const std::string& path, const StereoBuffer& sound, float quality, int serial) {
    std::vector<int16_t> pcm = sound.Pcm();
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, kRate, quality) != 0) {
        std::fprintf(stderr, "assetgen: the Vorbis encoder refused quality %.2f\n", quality);
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Tessaroid");
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    std::vector<unsigned char> out;
    TakePages(stream, out, true);
    const int frames = sound.Frames();
    for (int at = 0; at < frames; at += 4096) {
        int chunk = frames - at < 4096 ? frames - at : 4096;
        float** buffer = vorbis_analysis_buffer(&dsp, chunk);
        for (int i = 0; i < chunk; ++i) {
            buffer[0][i] = pcm[2 * (at + i)] / 32768.0f;
            buffer[1][i] = pcm[2 * (at + i) + 1] / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, chunk);
        EncodeBlocks(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);  // the end of the stream
    EncodeBlocks(dsp, block, stream, out);
    TakePages(stream, out, true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return WriteBytes(path, out);
}

bool WriteLoopFile(const std::string& path, const std::string& listName, int loopStart,
                   int loopLength) {
    // The reader skips the line after each key unread, so a blank line follows each.
    char text[256];
    int n = std::snprintf(text, sizeof text,
                          "; loop points of %s, in sample frames\r\nLoopStart=%d\r\n\r\n"
                          "LoopLength=%d\r\n\r\n",
                          listName.c_str(), loopStart, loopLength);
    return WriteBytes(path, std::vector<unsigned char>(text, text + n));
}
