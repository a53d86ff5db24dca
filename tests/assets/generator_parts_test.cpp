// The generator's own pieces where a fault would not show in one look at the output: the
// loop wrap that makes music join, the palette reduction, and the list file records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/assets/data_folder_files.h"
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/data_folder.h"
#include "tools/assetgen/music.h"
#include "tools/assetgen/sheet_png.h"

namespace {

std::string TempPath(const char* name) {
    return testing::TempDir() + name;
}

TEST(LoopWrap, SoundPastTheLoopEndSoundsAtItsStart) {
    StereoBuffer b(300);
    b.loopStart = 100;
    b.loopEnd = 300;
    b.Add(250, 1, 2);
    b.Add(320, 3, 4);  // 20 past the end: 20 after the start
    b.Add(530, 5, 6);  // wraps more than once
    EXPECT_EQ(b.left[250], 1);
    EXPECT_EQ(b.right[120], 4);
    EXPECT_EQ(b.left[130], 5);
    StereoBuffer plain(10);
    plain.Add(10, 1, 1);  // no loop: dropped, not wrapped
    for (float s : plain.left) EXPECT_EQ(s, 0);
}

// A one-bar song whose only note rings from its last step on.
Song OneNote(int introBars, int noteStep) {
    Song song{1000, introBars, 1, 0.8f, {}};
    Part bell{Instrument::Bell, 1.0f, 0.0f, 0.0f, {{noteStep, 1, 69, 1.0f}}};
    song.parts = {bell};
    return song;
}

TEST(LoopWrap, ALoopNoteRingsOnIntoTheLoopStartAndAnIntroNoteDoesNot) {
    // The note at the loop's last step rings on past the loop end into its start.
    Song looped = OneNote(1, 31);
    StereoBuffer a = RenderSong(looped);
    ASSERT_EQ(a.Frames(), looped.LoopStart() + looped.LoopLength());
    float atStart = 0;
    for (int i = looped.LoopStart(); i < looped.LoopStart() + 500; ++i)
        atStart += std::fabs(a.left[i]);
    EXPECT_GT(atStart, 1.0f);
    // The same note at the intro's last step must not reach into the loop, or it would
    // sound again at every repeat.
    Song intro = OneNote(1, 15);
    StereoBuffer b = RenderSong(intro);
    for (int i = intro.LoopStart(); i < b.Frames(); ++i) ASSERT_EQ(b.left[i], 0) << i;
}

TEST(SheetPng, KeepsSmallVividDetailsBesideLargeGradientsAndIndexZeroForTransparency) {
    Canvas c;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 400; ++x) c.Set(x, y, Rgb{static_cast<float>(x * 255 / 400), 40, 90});
    const uint32_t vivid[4] = {0xFF0000, 0x00FF00, 0xFFFF00, 0xFFFFFF};
    for (int k = 0; k < 4; ++k) c.FillRect(450 + 10 * k, 10, 2, 2, Hex(vivid[k]));
    ASSERT_TRUE(WriteSheetPng(c, TempPath("vivid.png")));
    Sheet s = ReadSheet(TempPath("vivid.png"));
    ASSERT_TRUE(s.ok);
    EXPECT_EQ(s.colourType, 3);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(s.palette[s.At(450 + 10 * k, 10)], vivid[k]) << k;
    EXPECT_EQ(s.At(420, 300), 0) << "not drawn: transparent";
    for (int x = 0; x < 400; ++x) ASSERT_NE(s.At(x, 7), 0) << "drawn pixels never take index 0";
    // A picture of few colours keeps every one exactly, black included.
    Canvas few;
    few.FillRect(0, 0, 8, 8, Hex(0x000000));
    few.FillRect(8, 0, 8, 8, Hex(0x123456));
    ASSERT_TRUE(WriteSheetPng(few, TempPath("few.png")));
    Sheet f = ReadSheet(TempPath("few.png"));
    EXPECT_NE(f.At(0, 0), 0);
    EXPECT_EQ(f.palette[f.At(0, 0)], 0x000000u);
    EXPECT_EQ(f.palette[f.At(8, 0)], 0x123456u);
}

TEST(ListFile, WritesFixedRecordsAndRefusesOtherLengths) {
    const std::string names[2] = {"wav\\se_00000.wav", "wav\\se_00001.wav"};
    ASSERT_TRUE(WriteListFile(TempPath("list.txt"), names, 2));
    std::ifstream in(TempPath("list.txt"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 2u + 2 * 36);
    EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE"));
    EXPECT_EQ(bytes.substr(2 + 32, 4), std::string("\r\0\n\0", 4));
    std::vector<std::u16string> records = ReadListRecords(TempPath("list.txt"), 96);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], u"wav\\se_00001.wav");
    const std::string shortName[1] = {"wav\\se_0000.wav"};
    EXPECT_FALSE(WriteListFile(TempPath("short.txt"), shortName, 1));
}

}  // namespace
