// Resource list files: fixed 16-character records, with every quirk of the fixed layout.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

std::vector<uint8_t> List(const std::u16string& text, bool mark = true) {
    std::vector<uint8_t> b;
    if (mark)
        b = {0xFF, 0xFE};
    for (char16_t c : text) {
        b.push_back(static_cast<uint8_t>(c));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

struct Lists {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader{system.get(), scene.get()};
    bool Read(const std::vector<uint8_t>& bytes) {
        dir.Write("list.txt", bytes);
        return loader.ReadPictureList(dir.Path16("list.txt").c_str());
    }
    std::u16string Name(int k) const { return scene->pictureNames[k]; }
};

}  // namespace

TEST(ListFiles, SixteenCharacterLinesGiveExactlyTheirNames) {
    Lists l;
    ASSERT_TRUE(l.Read(List(u"grp\\grp_0000.png\r\ngrp\\grp_0001.png\r\n")));
    EXPECT_EQ(l.Name(0), u"grp\\grp_0000.png");
    EXPECT_EQ(l.Name(1), u"grp\\grp_0001.png");
    EXPECT_EQ(l.Name(2), u"");  // past the end: untouched
}

TEST(ListFiles, ALineOfFifteenOrSeventeenShiftsEveryLaterName) {
    Lists l;
    ASSERT_TRUE(l.Read(List(u"grp\\grp_000.png\r\ngrp\\grp_0001.png\r\n")));
    EXPECT_EQ(l.Name(0), u"grp\\grp_000.png\r\ng");  // no CR LF where it is looked for
    EXPECT_EQ(l.Name(1).substr(0, 15), u"rp\\grp_0001.png");
    Lists m;
    ASSERT_TRUE(m.Read(List(u"grp\\grp_00000.png\r\ngrp\\grp_0001.png\r\n")));
    EXPECT_EQ(m.Name(0), std::u16string(u"grp\\grp_00000.pn") + u"g\r");
    EXPECT_EQ(m.Name(1).substr(0, 2), u"\ng");
}

TEST(ListFiles, WithoutAMarkTheFirstCharacterIsLost) {
    Lists l;
    ASSERT_TRUE(l.Read(List(u"grp\\grp_0000.png\r\n", false)));
    EXPECT_EQ(l.Name(0).substr(0, 15), u"rp\\grp_0000.png");
}

TEST(ListFiles, AShortLastRecordKeepsWhatItRead) {
    Lists l;
    l.scene->pictureNames[0][10] = u'Z';
    ASSERT_TRUE(l.Read(List(u"abc")));
    EXPECT_EQ(l.scene->pictureNames[0][0], u'a');
    EXPECT_EQ(l.scene->pictureNames[0][2], u'c');
    EXPECT_EQ(l.scene->pictureNames[0][10], u'Z');
}

TEST(ListFiles, MissingListShowsTheNotFoundMessage) {
    Lists l;
    ShownMessages().clear();
    EXPECT_FALSE(l.loader.ReadSoundList(u"/nonexistent/ogg\\ogg_0000.txt"));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, u"/nonexistent/ogg\\ogg_0000.txt ファイルが見つかりません");
}

TEST(ListFiles, SoundListFillsAll960Slots) {
    Lists l;
    std::u16string text;
    for (int k = 0; k < 970; ++k) text += u"ogg\\track_00.ogg\r\n";
    l.dir.Write("s.txt", List(text));
    ASSERT_TRUE(l.loader.ReadSoundList(l.dir.Path16("s.txt").c_str()));
    EXPECT_EQ(std::u16string(l.scene->soundNames[959]), u"ogg\\track_00.ogg");
}
