#include "audio/effect_prefetch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/ogg_effect.h"
#include "game/system.h"
#include "platform/files.h"
#include "platform/path16.h"
#include "tests/unit/ogg_test_file.h"
#include "tests/unit/temp_folder.h"

namespace {

// A sound list whose effect entries (64 on) name se_00000.ogg, se_00001.ogg, ...
std::vector<uint8_t> SoundList() {
    std::vector<std::string> names;
    for (int r = 0; r < 96; ++r) {
        char name[17];
        std::snprintf(name, sizeof name, "ogg\\se_%05d.ogg", r >= 64 ? r - 64 : 0);
        names.emplace_back(name);
    }
    return NameListBytes(names);
}

struct PrefetchFolder {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();

    PrefetchFolder() {
        std::filesystem::create_directory(dir.path + "ogg");
        dir.Write("ogg/ogg_0000.txt", SoundList());
        EXPECT_TRUE(WriteOggTone(dir.path + "ogg/se_00000.ogg", 4000));
        EXPECT_TRUE(WriteOggTone(dir.path + "ogg/se_00001.ogg", 9000));
        system->audioMode = 2;
        EXPECT_TRUE(TextFromUtf8(system->dataPath, kPathUnits, dir.path.c_str()));
    }
    std::u16string Effect(int n) const {
        char name[32];
        std::snprintf(name, sizeof name, "ogg\\se_%05d.ogg", n);
        return std::u16string(system->dataPath) + std::u16string(name, name + std::strlen(name));
    }
};

}  // namespace

// An effect decoded ahead is exactly what the loader would decode, and is given only for the
// path it came from; effects whose files are missing are left to the loader.
TEST(EffectPrefetch, GivesTheDecodedEffectOnlyForItsOwnPath) {
    PrefetchFolder f;
    StartEffectPrefetch(*f.system);
    FinishEffectPrefetch();
    int32_t bytes = 0;
    EXPECT_EQ(TakePreparedEffect(f.Effect(0).c_str(), 1, &bytes), nullptr);  // another path
    uint8_t* prepared = TakePreparedEffect(f.Effect(1).c_str(), 1, &bytes);
    ASSERT_NE(prepared, nullptr);
    static uint8_t direct[kOggEffectBytes];
    int32_t directBytes = 0;
    ASSERT_EQ(DecodeOggEffect(f.Effect(1).c_str(), direct, &directBytes), kOggEffectDecoded);
    EXPECT_EQ(bytes, 9000 * 4);
    ASSERT_EQ(bytes, directBytes);
    EXPECT_EQ(std::memcmp(prepared, direct, bytes), 0);
    delete[] prepared;
    EXPECT_EQ(TakePreparedEffect(f.Effect(1).c_str(), 1, &bytes), nullptr);  // taken once
    EXPECT_EQ(TakePreparedEffect(f.Effect(2).c_str(), 2, &bytes), nullptr);  // no such file
    DiscardPreparedEffects();
    EXPECT_EQ(TakePreparedEffect(f.Effect(0).c_str(), 0, &bytes), nullptr);  // discarded
}

// Nothing is decoded ahead in sound mode 1, or while file faults count the loader's opens.
TEST(EffectPrefetch, StaysOutOfWaveModeAndFaultInjection) {
    PrefetchFolder f;
    int32_t bytes = 0;
    f.system->audioMode = 1;
    StartEffectPrefetch(*f.system);
    EXPECT_EQ(TakePreparedEffect(f.Effect(0).c_str(), 0, &bytes), nullptr);
    f.system->audioMode = 2;
    theFileFaults.readOpensLeft = 5;
    StartEffectPrefetch(*f.system);
    EXPECT_EQ(TakePreparedEffect(f.Effect(0).c_str(), 0, &bytes), nullptr);
    EXPECT_EQ(theFileFaults.readOpensLeft, 5);
    theFileFaults = FileFaults{};
    DiscardPreparedEffects();
}
