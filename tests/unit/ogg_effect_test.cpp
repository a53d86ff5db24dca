#include "audio/ogg_effect.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/unit/ogg_test_file.h"
#include "tests/unit/temp_folder.h"

namespace {

// The effect as vorbisfile alone gives it: the bytes of the whole stream, as far as the limit;
// nothing when it does not open the file.
std::vector<uint8_t> ByVorbisfile(const std::string& path, int32_t* result) {
    OggVorbis_File stream;
    *result = ov_fopen(path.c_str(), &stream) == 0 ? kOggEffectDecoded : kOggEffectNotVorbis;
    if (*result != kOggEffectDecoded)
        return {};
    std::vector<uint8_t> out(kOggEffectBytes);
    const int64_t frames = ov_pcm_total(&stream, -1);
    const int64_t total = std::min<int64_t>(
        std::min<int64_t>(frames, kOggEffectBytes) * ov_info(&stream, -1)->channels * 2,
        kOggEffectBytes);
    int64_t got = 0;
    int link = 0;
    while (got < total) {
        const long r = ov_read(&stream, reinterpret_cast<char*>(out.data() + got),
                               static_cast<int>(total - got), 0, 2, 1, &link);
        if (r <= 0)
            break;
        got += r;
    }
    ov_clear(&stream);
    out.resize(static_cast<size_t>(got));
    return out;
}

std::vector<uint8_t> Joined(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    std::vector<uint8_t> out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

}  // namespace

// Effects decoded one after another with one kept setup give what vorbisfile gives: files
// with the same headers (which reuse the setup), other headers (mono), and the files the quick
// way leaves to vorbisfile: two streams in one file, a cut file, bytes after the end, a
// damaged page, a stream longer than an effect may be.
TEST(OggEffect, DecodesEveryFileAsVorbisfileDoes) {
    TempFolder dir;
    ASSERT_TRUE(WriteOggTone(dir.path + "a.ogg", 4000));
    ASSERT_TRUE(WriteOggTone(dir.path + "b.ogg", 9000));
    ASSERT_TRUE(WriteOggTone(dir.path + "mono.ogg", 3000, 1));
    ASSERT_TRUE(WriteOggTone(dir.path + "long.ogg", 140000));  // past the three seconds
    const std::vector<uint8_t> a = dir.Read("a.ogg");
    const std::vector<uint8_t> b = dir.Read("b.ogg");
    dir.Write("chained.ogg", Joined(a, b));
    dir.Write("cut.ogg", std::vector<uint8_t>(a.begin(), a.begin() + a.size() * 3 / 5));
    dir.Write("trailing.ogg", Joined(a, std::vector<uint8_t>(100, 0x5A)));
    std::vector<uint8_t> damaged = b;
    damaged[damaged.size() / 2] ^= 0x40;
    dir.Write("damaged.ogg", damaged);

    OggEffectSetup setup;
    static uint8_t data[kOggEffectBytes];
    for (const char* name : {"a.ogg", "b.ogg", "mono.ogg", "a.ogg", "chained.ogg", "cut.ogg",
                             "trailing.ogg", "damaged.ogg", "long.ogg", "b.ogg"}) {
        SCOPED_TRACE(name);
        int32_t result = 0;
        const std::vector<uint8_t> expected = ByVorbisfile(dir.path + name, &result);
        int32_t bytes = -1;
        ASSERT_EQ(DecodeOggEffect(dir.Path16(name).c_str(), data, &bytes, &setup), result);
        ASSERT_EQ(bytes, static_cast<int32_t>(expected.size()));
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), data));
    }
    EXPECT_TRUE(setup.made);
    ReleaseOggEffectSetup(setup);
    EXPECT_FALSE(setup.made);
}
