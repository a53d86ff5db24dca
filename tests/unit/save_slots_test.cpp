// Save slots: the record layout with its shared byte, short and long files, absent slots.
#include "persist/save_slots.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

}  // namespace

TEST(SaveSlots, EntryFieldsComeFromTheirOffsets) {
    std::vector<uint8_t> b(65536, 0);
    size_t e = 608 * 3;  // entry 3
    b[e] = 0x11;
    Put32(b, e + 1 + 4 * 4, 0x01020304);
    b[e + 21 + 15] = 0x99;
    Put32(b, e + 37, 0xCAFEBABE);
    b[e + 57] = 0x22;
    Put32(b, e + 58 + 4, 7);
    Put32(b, e + 66, 0xDEADBEEF);
    Put32(b, e + 70 + 4 * (15 * 7 + 14), 123456);
    Put32(b, 29184 + 4 * 302, 5);
    b[30396 + 302] = 6;
    Put32(b, 30699 + 12, 8);
    b[30715 + 52] = 9;
    Put32(b, 30779 + 4 * 2047, 10);
    auto slot = std::make_unique<SaveSlot>();
    DecodeSlot(b.data(), static_cast<int64_t>(b.size()), *slot);
    const SlotEntry& entry = slot->entries[3];
    EXPECT_EQ(entry.leadByte, 0x11);
    EXPECT_EQ(entry.valuesA[4], 0x01020304);
    EXPECT_EQ(entry.bytes16[15], 0x99);
    EXPECT_EQ(static_cast<uint32_t>(entry.valuesB[0]), 0xCAFEBABEu);
    EXPECT_EQ(entry.midByte, 0x22);
    EXPECT_EQ(entry.valuesC[1], 7);
    EXPECT_EQ(static_cast<uint32_t>(entry.valueD), 0xDEADBEEFu);
    EXPECT_EQ(entry.block[7][14], 123456);
    EXPECT_EQ(entry.untouched, 0);
    EXPECT_EQ(slot->tableA[302], 5);
    EXPECT_EQ(slot->tableB[302], 6);
    EXPECT_EQ(slot->wordsC[3], 8);
    EXPECT_EQ(slot->tableD[52], 9);
    EXPECT_EQ(slot->tableF[2047], 10);
}

TEST(SaveSlots, ThirdWordOfTableEAndFirstOfTableFShareAByte) {
    std::vector<uint8_t> b(65536, 0);
    for (int k = 0; k < 7; ++k) b[30776 + k] = static_cast<uint8_t>(0xA1 + k);
    auto slot = std::make_unique<SaveSlot>();
    DecodeSlot(b.data(), static_cast<int64_t>(b.size()), *slot);
    EXPECT_EQ(static_cast<uint32_t>(slot->wordsE[2]), 0xA4A3A2A1u);
    EXPECT_EQ(static_cast<uint32_t>(slot->tableF[0]), 0xA7A6A5A4u);
    EXPECT_EQ(static_cast<uint32_t>(slot->wordsE[2]) >> 24,
              static_cast<uint32_t>(slot->tableF[0]) & 0xFF);
}

TEST(SaveSlots, ShortFilesReadAsZerosAndLongFilesAreCut) {
    std::vector<uint8_t> b(30780, 0xFF);  // ends one byte into tableF[0]
    auto slot = std::make_unique<SaveSlot>();
    DecodeSlot(b.data(), static_cast<int64_t>(b.size()), *slot);
    EXPECT_EQ(slot->tableF[0], 0xFF);
    EXPECT_EQ(slot->tableF[1], 0);
    EXPECT_EQ(slot->entries[0].untouched, 0);
}

TEST(SaveSlots, OnlySlotsWhoseFilesExistAreFilled) {
    TempFolder dir;
    std::vector<uint8_t> one(100, 0x01);
    std::vector<uint8_t> three(1 << 17, 0x03);  // longer than 64 KiB
    dir.Write("save0001.dat", one);
    dir.Write("save0003.dat", three);
    auto system = std::make_unique<System>();
    auto scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader(system.get(), scene.get());
    ShownMessages().clear();
    ASSERT_TRUE(LoadSaveSlots(loader, dir.Path16("").c_str()));
    EXPECT_EQ(scene->slots[0].entries[0].leadByte, 1);
    EXPECT_EQ(scene->slots[1].entries[0].leadByte, 0);
    EXPECT_EQ(scene->slots[2].tableF[2047], 0x03030303);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(SaveSlots, VanishedFileShowsTheNotFoundMessage) {
    auto system = std::make_unique<System>();
    auto scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader(system.get(), scene.get());
    ShownMessages().clear();
    EXPECT_FALSE(loader.LoadSlot(u"/nonexistent/save0002.dat", 1));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, u"Message");
    EXPECT_EQ(ShownMessages()[0].text, u"/nonexistent/save0002.dat ファイルが見つかりません");
}

TEST(SaveSlots, AFileThatVanishesAfterItWasFoundStopsTheLoadWithItsMessage) {
    TempFolder dir;
    dir.Write("save0001.dat", std::vector<uint8_t>(100, 0x01));
    dir.Write("save0003.dat", std::vector<uint8_t>(100, 0x03));
    auto system = std::make_unique<System>();
    auto scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader(system.get(), scene.get());
    ShownMessages().clear();
    // Slot 1 is found and read, slot 3 is found and then gone.
    theFileFaults.readOpensLeft = 3;
    EXPECT_FALSE(LoadSaveSlots(loader, dir.Path16("").c_str()));
    theFileFaults.readOpensLeft = -1;
    EXPECT_EQ(scene->slots[0].entries[0].leadByte, 1);
    EXPECT_EQ(scene->slots[2].entries[0].leadByte, 0);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, dir.Path16("save0003.dat") + u" ファイルが見つかりません");
}
