#include "tests/assets/data_folder_files.h"

#include <png.h>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "assets/load_sound.h"
#include "assets/wave_stream.h"
#include "game/system.h"
#include "platform/path16.h"

namespace {

std::u16string Utf16(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

}  // namespace

std::string DataFolder() {
    return TESSAROID_DATA_FOLDER;
}

std::vector<std::u16string> ReadListRecords(const std::string& listPath, int records) {
    std::ifstream in(listPath, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::vector<std::u16string> out;
    for (int r = 0; r < records; ++r) {
        size_t at = 2 + 36 * static_cast<size_t>(r);
        if (at + 36 > bytes.size())
            break;
        std::u16string record;
        for (int k = 0; k < 18; ++k)
            record += static_cast<char16_t>(bytes[at + 2 * k] | (bytes[at + 2 * k + 1] << 8));
        if (record[16] == u'\r' && record[17] == u'\n')
            record.resize(16);
        out.push_back(record);
    }
    return out;
}

std::string OnDisk(const std::u16string& name) {
    std::string path = DataFolder();
    for (char16_t c : name) path += c == u'\\' ? '/' : static_cast<char>(c);
    return path;
}

int Sheet::OpaqueIn(int x, int y, int w, int h) const {
    int n = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) n += At(i, j) != 0;
    return n;
}

Sheet ReadSheet(const std::string& path) {
    Sheet s;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return s;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return Sheet{};
    }
    png_init_io(png, f);
    png_read_info(png, info);
    s.width = static_cast<int>(png_get_image_width(png, info));
    s.height = static_cast<int>(png_get_image_height(png, info));
    s.colourType = png_get_color_type(png, info);
    s.bitDepth = png_get_bit_depth(png, info);
    if (s.colourType == PNG_COLOR_TYPE_PALETTE && s.bitDepth <= 8) {
        png_set_packing(png);
        png_colorp colours = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &colours, &count);
        s.palette.assign(256, 0);
        for (int i = 0; i < count; ++i)
            s.palette[i] = (colours[i].red << 16) | (colours[i].green << 8) | colours[i].blue;
        s.index.assign(static_cast<size_t>(s.width) * s.height, 0);
        std::vector<png_bytep> rows(s.height);
        for (int y = 0; y < s.height; ++y) rows[y] = &s.index[static_cast<size_t>(y) * s.width];
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
        s.ok = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return s;
}

Sound ReadWaveFile(const std::string& path) {
    Sound s;
    std::u16string p = Utf16(path);
    WaveStream stream;
    if (OpenWave(p.c_str(), &stream) != kWaveOk)
        return s;
    if (RewindWave(&stream) == kWaveOk) {
        WaveFormat f = FormatOf(stream);
        s.formatTag = f.formatTag;
        s.channels = f.channels;
        s.rate = static_cast<int>(f.samplesPerSecond);
        s.bits = f.bitsPerSample;
        uint32_t bytes = stream.data.size;
        std::vector<uint8_t> raw(bytes);
        uint32_t taken = 0;
        if (ReadWave(&stream, bytes, raw.data(), &taken) == kWaveOk && taken == bytes) {
            s.samples.resize(bytes / 2);
            for (size_t i = 0; i < s.samples.size(); ++i)
                s.samples[i] = static_cast<int16_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
            s.frames = s.channels > 0 ? static_cast<int64_t>(s.samples.size()) / s.channels : 0;
            s.ok = true;
        }
    }
    CloseWave(&stream);
    return s;
}

Sound ReadOggInfo(const std::string& path) {
    Sound s;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0)
        return s;
    vorbis_info* info = ov_info(&vf, -1);
    if (info != nullptr && ov_seekable(&vf)) {
        s.channels = info->channels;
        s.rate = static_cast<int>(info->rate);
        s.bits = 16;
        s.frames = ov_pcm_total(&vf, -1);
        s.ok = true;
    }
    ov_clear(&vf);
    return s;
}

bool ReadLoopPoints(const std::string& path, uint32_t* loopStart, uint32_t* loopLength) {
    static System system;
    CLoadSnd loader(nullptr, &system);
    std::u16string p = Utf16(path);
    if (!loader.ReadLoopFile(p.c_str(), 0))
        return false;
    *loopStart = system.LoopStart[0];
    *loopLength = system.LoopLength[0];
    return true;
}
