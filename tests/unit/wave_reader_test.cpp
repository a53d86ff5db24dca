// The RIFF/WAVE reader: chunks found by id wherever they stand, format bytes kept, the data
// chunk counted down, and every malformed file refused without reading past its end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/wave_stream.h"
#include "platform/files.h"
#include "tests/unit/temp_folder.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
}
void Put32(Bytes& b, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(v >> (8 * k)));
}
void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

Bytes Chunk(const std::string& id, const Bytes& body) {
    Bytes b;
    Put(b, id);
    Put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 == 1)
        b.push_back(0);
    return b;
}

Bytes PcmFormat() {
    Bytes f;
    Put16(f, 1);
    Put16(f, 2);
    Put32(f, 44100);
    Put32(f, 176400);
    Put16(f, 4);
    Put16(f, 16);
    return f;
}

Bytes Riff(const std::string& form, const std::vector<Bytes>& chunks) {
    Bytes body;
    Put(body, form);
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return Chunk("RIFF", body);
}

Bytes Samples(int n) {
    Bytes s;
    for (int k = 0; k < n; ++k) s.push_back(static_cast<uint8_t>(k * 7));
    return s;
}

struct Opened {
    TempFolder dir;
    WaveStream stream;
    int32_t result = kWaveFail;
    explicit Opened(const Bytes& file) {
        dir.Write("a.wav", file);
        result = OpenWave(dir.Path16("a.wav").c_str(), &stream);
    }
    ~Opened() { CloseWave(&stream); }
};

}  // namespace

TEST(WaveReader, FindsFormatAndDataAmongOtherChunks) {
    Opened w(Riff("WAVE",
                  {Chunk("LIST", Samples(5)), Chunk("fmt ", PcmFormat()), Chunk("junk", Samples(3)),
                   Chunk("data", Samples(10)), Chunk("cue ", Samples(4))}));
    ASSERT_EQ(w.result, kWaveOk);
    WaveFormat f = FormatOf(w.stream);
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samplesPerSecond, 44100u);
    EXPECT_EQ(f.blockAlign, 4);
    EXPECT_EQ(w.stream.formatBytes, 18);
    ASSERT_EQ(RewindWave(&w.stream), kWaveOk);
    EXPECT_EQ(w.stream.data.size, 10u);
    uint8_t buffer[16] = {};
    uint32_t taken = 0;
    ASSERT_EQ(ReadWave(&w.stream, 4, buffer, &taken), kWaveOk);
    EXPECT_EQ(taken, 4u);
    EXPECT_EQ(buffer[3], 21);
    ASSERT_EQ(ReadWave(&w.stream, 16, buffer, &taken), kWaveOk);
    EXPECT_EQ(taken, 6u);  // only what is left of the data chunk, never the cue chunk
    EXPECT_EQ(buffer[0], 28);
    EXPECT_EQ(w.stream.data.size, 0u);
    ASSERT_EQ(ReadWave(&w.stream, 16, buffer, &taken), kWaveOk);
    EXPECT_EQ(taken, 0u);
}

TEST(WaveReader, DataBeforeFormatAndRewindAgain) {
    Opened w(Riff("WAVE", {Chunk("data", Samples(8)), Chunk("fmt ", PcmFormat())}));
    ASSERT_EQ(w.result, kWaveOk);
    ASSERT_EQ(RewindWave(&w.stream), kWaveOk);
    uint8_t buffer[8];
    uint32_t taken = 0;
    ASSERT_EQ(ReadWave(&w.stream, 8, buffer, &taken), kWaveOk);
    ASSERT_EQ(RewindWave(&w.stream), kWaveOk);
    EXPECT_EQ(w.stream.data.size, 8u);
    ASSERT_TRUE(SeekWaveData(&w.stream, 4));
    ASSERT_EQ(ReadWave(&w.stream, 1, buffer, &taken), kWaveOk);
    EXPECT_EQ(buffer[0], 28);
}

TEST(WaveReader, OtherFormatsKeepTheirExtraBytes) {
    Bytes fmt = PcmFormat();
    fmt[0] = 2;  // not PCM
    Put16(fmt, 3);
    fmt.push_back(0xAA);
    fmt.push_back(0xBB);
    fmt.push_back(0xCC);
    Opened w(Riff("WAVE", {Chunk("fmt ", fmt), Chunk("data", Samples(4))}));
    ASSERT_EQ(w.result, kWaveOk);
    ASSERT_EQ(w.stream.formatBytes, 21);
    EXPECT_EQ(FormatOf(w.stream).extraSize, 3);
    EXPECT_EQ(w.stream.format[20], 0xCC);
    EXPECT_EQ(RewindWave(&w.stream), kWaveOk);
}

TEST(WaveReader, MalformedFilesAreRefused) {
    Bytes shortFmt = PcmFormat();
    shortFmt.resize(14);
    Bytes extraMissing = PcmFormat();
    extraMissing[0] = 3;
    Put16(extraMissing, 100);  // says 100 extra bytes, has none
    Bytes hugeChunk;
    Put(hugeChunk, "RIFF");
    Put32(hugeChunk, 0xFFFFFFF0u);
    Put(hugeChunk, "WAVE");
    Put(hugeChunk, "junk");
    Put32(hugeChunk, 0xFFFFFFF0u);
    const std::vector<Bytes> files = {
        Riff("AVI ", {Chunk("fmt ", PcmFormat()), Chunk("data", Samples(4))}),
        Riff("WAVE", {Chunk("fmt ", shortFmt), Chunk("data", Samples(4))}),
        Riff("WAVE", {Chunk("data", Samples(4))}),
        Riff("WAVE", {Chunk("fmt ", extraMissing)}),
        Chunk("LIST", Samples(20)),
        hugeChunk,
        Bytes{'R', 'I', 'F'},
        Bytes{},
    };
    for (size_t k = 0; k < files.size(); ++k) {
        Opened w(files[k]);
        EXPECT_EQ(w.result, kWaveFail) << "file " << k;
        EXPECT_EQ(w.stream.format, nullptr);
        EXPECT_EQ(w.stream.file, -1);
    }
    WaveStream none;
    EXPECT_EQ(OpenWave(u"/nonexistent/a.wav", &none), kWaveFail);
}

TEST(WaveReader, MissingDataChunkOrTruncatedSamplesFail) {
    Opened noData(Riff("WAVE", {Chunk("fmt ", PcmFormat())}));
    ASSERT_EQ(noData.result, kWaveOk);
    EXPECT_EQ(RewindWave(&noData.stream), kWaveFail);

    Bytes file = Riff("WAVE", {Chunk("fmt ", PcmFormat()), Chunk("data", Samples(100))});
    file.resize(file.size() - 60);  // the data chunk claims more than the file holds
    Opened cut(file);
    ASSERT_EQ(cut.result, kWaveOk);
    ASSERT_EQ(RewindWave(&cut.stream), kWaveOk);
    uint8_t buffer[100];
    uint32_t taken = 0;
    EXPECT_EQ(ReadWave(&cut.stream, 100, buffer, &taken), kWaveFail);
    EXPECT_EQ(taken, 0u);
}

TEST(WaveReader, EveryMusicTrackStaysOpenBesideOtherFiles) {
    // Sound mode 1 keeps all 64 tracks open for the whole run, an effect is opened beside
    // them, and Game.ini must still be writable at the end.
    Opened first(Riff("WAVE", {Chunk("fmt ", PcmFormat()), Chunk("data", Samples(4))}));
    ASSERT_EQ(first.result, kWaveOk);
    std::vector<WaveStream> tracks(65);
    for (WaveStream& s : tracks) {
        ASSERT_EQ(OpenWave(first.dir.Path16("a.wav").c_str(), &s), kWaveOk);
    }
    int32_t other = FileOpenPath(first.dir.Path16("Game.ini").c_str(), FileOpen::CreateAlways);
    EXPECT_GE(other, 0);
    EXPECT_TRUE(FileClose(other));
    for (WaveStream& s : tracks) CloseWave(&s);
}
