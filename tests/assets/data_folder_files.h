// Reading the generated data folder for the checks: the list files record by record, the
// sheets as palette indices, the sounds through the game's own WAVE reader and vorbisfile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The data folder the build generated, ending in '/'.
std::string DataFolder();

// A list file's records as the loader reads them: after the 2-byte mark, 18-unit records
// whose CR LF ending is cut off. Units past the end of the file are not returned.
std::vector<std::u16string> ReadListRecords(const std::string& listPath, int records);
// A list name as a path on disk ('\' becomes '/').
std::string OnDisk(const std::u16string& name);

struct Sheet {
    bool ok = false;
    int width = 0, height = 0, colourType = -1, bitDepth = 0;
    std::vector<uint8_t> index;     // width x height palette indices
    std::vector<uint32_t> palette;  // 0xRRGGBB
    uint8_t At(int x, int y) const { return index[static_cast<size_t>(y) * width + x]; }
    int OpaqueIn(int x, int y, int w, int h) const;  // pixels other than index 0
};
Sheet ReadSheet(const std::string& path);

struct Sound {
    bool ok = false;
    int channels = 0, rate = 0, bits = 0, formatTag = 0;
    int64_t frames = 0;
    std::vector<int16_t> samples;  // interleaved
};
// Through OpenWave and RewindWave: the format chunk and the whole data chunk.
Sound ReadWaveFile(const std::string& path);
// Through vorbisfile: the stream's format and its length in frames (samples not decoded).
Sound ReadOggInfo(const std::string& path);

// LoopStart and LoopLength as the game's loop-file reader takes them; false if it failed.
bool ReadLoopPoints(const std::string& path, uint32_t* loopStart, uint32_t* loopLength);
