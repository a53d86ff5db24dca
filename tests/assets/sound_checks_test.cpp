// The sound sets: the format the game plays, effects within what each reader keeps, loop
// points inside their tracks, and loops that join without a click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "tests/assets/data_folder_files.h"

namespace {

constexpr int kRate = 44100;

std::vector<std::u16string> Names(const char* set) {
    std::string list = std::string(set) + "/" + set + "_0000.txt";
    return ReadListRecords(DataFolder() + list, 96);
}

void ExpectGameFormat(const Sound& s, const std::string& what) {
    EXPECT_EQ(s.channels, 2) << what;
    EXPECT_EQ(s.rate, kRate) << what;
    EXPECT_EQ(s.bits, 16) << what;
}

TEST(Effects, PlayWithinOneSecondInBothSets) {
    std::vector<std::u16string> wav = Names("wav"), ogg = Names("ogg");
    ASSERT_EQ(wav.size(), 96u);
    ASSERT_EQ(ogg.size(), 96u);
    std::set<std::vector<int16_t>> distinct;
    for (int n = 0; n < 32; ++n) {
        std::string what = "effect " + std::to_string(n);
        Sound w = ReadWaveFile(OnDisk(wav[64 + n]));
        ASSERT_TRUE(w.ok) << what;
        ExpectGameFormat(w, what);
        EXPECT_EQ(w.formatTag, 1) << what;
        // The WAVE loader keeps one second; the Ogg one three (529200 bytes).
        EXPECT_GT(w.frames, 0) << what;
        EXPECT_LT(w.frames, kRate) << what;
        Sound o = ReadOggInfo(OnDisk(ogg[64 + n]));
        ASSERT_TRUE(o.ok) << what;
        ExpectGameFormat(o, what);
        EXPECT_EQ(o.frames, w.frames) << what;
        EXPECT_LE(o.frames * 4, 529200) << what;
        distinct.insert(w.samples);
    }
    EXPECT_EQ(distinct.size(), 32u) << "every effect is a sound of its own";
}

// The largest step between neighbouring left samples in [from, to).
int LargestStep(const Sound& s, int64_t from, int64_t to) {
    int largest = 0;
    for (int64_t i = std::max<int64_t>(from, 1); i < to; ++i)
        largest = std::max(largest, std::abs(s.samples[2 * i] - s.samples[2 * (i - 1)]));
    return largest;
}

TEST(Music, LoopsLieInsideTheirTracksAndJoin) {
    std::vector<std::u16string> wav = Names("wav"), ogg = Names("ogg");
    ASSERT_EQ(wav.size(), 96u);
    for (int n = 0; n < 64; ++n) {
        std::string what = "track " + std::to_string(n);
        uint32_t start = 0, length = 0;
        ASSERT_TRUE(ReadLoopPoints(OnDisk(wav[n]) + ".sli", &start, &length)) << what;
        uint32_t oggStart = 0, oggLength = 0;
        ASSERT_TRUE(ReadLoopPoints(OnDisk(ogg[n]) + ".sli", &oggStart, &oggLength)) << what;
        EXPECT_EQ(oggStart, start) << what;
        EXPECT_EQ(oggLength, length) << what;
        if (n != 0 && wav[n] == wav[0])
            continue;  // the shared quiet loop, checked as track 0
        Sound w = ReadWaveFile(OnDisk(wav[n]));
        ASSERT_TRUE(w.ok) << what;
        ExpectGameFormat(w, what);
        Sound o = ReadOggInfo(OnDisk(ogg[n]));
        ASSERT_TRUE(o.ok) << what;
        ExpectGameFormat(o, what);
        EXPECT_EQ(o.frames, w.frames) << what;
        // The loop ends exactly at the end of the file, so no reader plays past it.
        EXPECT_GT(length, 0u) << what;
        EXPECT_EQ(static_cast<int64_t>(start) + length, w.frames) << what;
        // Going from the loop's last frame back to its first is no bigger a step than the
        // music takes anywhere near either end.
        int64_t end = static_cast<int64_t>(start) + length;
        int join = std::abs(w.samples[2 * start] - w.samples[2 * (end - 1)]);
        int around = std::max(LargestStep(w, end - 4410, end), LargestStep(w, start, start + 4410));
        EXPECT_LE(join, around) << what;
    }
}

TEST(Music, GameMusicIsALongLoopAndTheRestQuiet) {
    std::vector<std::u16string> wav = Names("wav");
    ASSERT_EQ(wav.size(), 96u);
    uint32_t start = 0, length = 0;
    ASSERT_TRUE(ReadLoopPoints(OnDisk(wav[7]) + ".sli", &start, &length));
    EXPECT_GE(length, 60u * kRate);
    EXPECT_GT(start, 0u) << "the game's music has an intro before its loop";
    Sound quiet = ReadWaveFile(OnDisk(wav[0]));
    ASSERT_TRUE(quiet.ok);
    int peak = 0;
    for (int16_t s : quiet.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 32768 / 4);
    EXPECT_LE(quiet.frames, 10 * kRate);
}

}  // namespace
