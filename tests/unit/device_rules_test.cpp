// The rules both graphics backends share: the size a device is created at, and what a
// picture slot takes.
#include <gtest/gtest.h>

#include <vector>

#include "render/device_rules.h"
#include "render/picture_bits.h"
#include "render/sprite_batch_rules.h"

TEST(DeviceRules, FullScreenRecreationsKeepTheFirstSize) {
    CreationSize first;
    CreationSize s = ChooseCreationSize(first, 1280, 720, 0);
    EXPECT_EQ(s.width, 1280);
    EXPECT_EQ(s.height, 720);
    s = ChooseCreationSize(first, 1920, 1080, 1);  // full screen: the game's own resolution
    EXPECT_EQ(s.width, 1280);
    EXPECT_EQ(s.height, 720);
    s = ChooseCreationSize(first, 960, 540, 0);  // a window: its client size
    EXPECT_EQ(s.width, 960);
    EXPECT_EQ(s.height, 540);
    CreationSize minimised;
    s = ChooseCreationSize(minimised, 0, 0, 0);
    EXPECT_EQ(s.width, 1);
    EXPECT_EQ(s.height, 1);
}

TEST(DeviceRules, OnlyWholeSheetsInRealSlotsBecomeTexels) {
    std::vector<uint8_t> rows(kPictureTexels, 2);
    PictureBits sheet;
    sheet.bits = rows.data();
    sheet.colors[2][2] = 255;  // red
    const auto texels = SheetTexels(kPictureSlots - 1, &sheet);
    ASSERT_NE(texels, nullptr);
    EXPECT_EQ(texels[0], 0xFC00);
    EXPECT_EQ(SheetTexels(kPictureSlots, &sheet), nullptr);
    EXPECT_EQ(SheetTexels(-1, &sheet), nullptr);
    EXPECT_EQ(SheetTexels(0, nullptr), nullptr);
    sheet.height = 256;
    EXPECT_EQ(SheetTexels(0, &sheet), nullptr);
}
