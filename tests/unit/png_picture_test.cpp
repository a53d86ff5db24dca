// PNG sheets through CLoadTex and the reload pass through CReSur, against recorded picture
// slots: what loads, the texels it gives, and every refusal with its message.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "assets/pictures.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/picture_bits.h"
#include "render/render.h"
#include "tests/unit/png_test_file.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/recording_pictures.h"
#include "tests/unit/temp_folder.h"

namespace {

struct Loader {
    TempFolder dir;
    CDx_Gr graphics;
    Loader() {
        ShownMessages().clear();
        Recorded() = RecordedPictures{};
    }
    bool Load(const std::vector<uint8_t>& bytes, int32_t slot = 0) {
        dir.Write("sheet.png", bytes);
        CLoadTex loader(&graphics);
        return loader.LoadPicture(slot, dir.Path16("sheet.png").c_str());
    }
    std::u16string Refusal(const char16_t* reason) const {
        return dir.Path16("sheet.png") + u" " + reason;
    }
    uint16_t Texel(int x, int y) const { return Recorded().created.at(0).texels.at(y * 512 + x); }
};

// An asymmetric pattern, so a flipped or shifted picture shows.
uint32_t Pattern(int x, int y, int colors) {
    return static_cast<uint32_t>((x / 7 + 3 * y) % colors);
}

constexpr uint16_t Opaque(int r, int g, int b) {
    return static_cast<uint16_t>(0x8000 | ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

}  // namespace

TEST(PngPicture, PaletteSheetsOfEveryDepthGiveTheSameTexels) {
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        Loader l;
        const int colors = 1 << depth;
        PngPicture p;
        p.bitDepth = depth;
        for (int k = 0; k < colors; ++k) {
            p.palette.push_back({static_cast<uint8_t>(k * 8), static_cast<uint8_t>(255 - k),
                                 static_cast<uint8_t>(k)});
        }
        p.pixel = [colors](int x, int y) { return Pattern(x, y, colors); };
        ASSERT_TRUE(l.Load(EncodePng(p)));
        ASSERT_EQ(Recorded().created.size(), 1u);
        for (int y : {0, 1, 200, 511}) {
            for (int x : {0, 6, 7, 300, 511}) {
                const int k = static_cast<int>(Pattern(x, y, colors));
                const uint16_t expected = k == 0 ? kTransparentTexel : Opaque(k * 8, 255 - k, k);
                EXPECT_EQ(l.Texel(x, y), expected) << x << "," << y;
            }
        }
        EXPECT_TRUE(ShownMessages().empty());
    }
}

TEST(PngPicture, IndexZeroIsTransparentWhateverItsColourAndEveryOtherIndexOpaque) {
    Loader l;
    PngPicture p;
    p.palette = {{255, 255, 255}, {0, 0, 0}, {255, 128, 8}};
    p.pixel = [](int x, int) { return static_cast<uint32_t>(x % 3); };
    ASSERT_TRUE(l.Load(EncodePng(p)));
    EXPECT_EQ(l.Texel(0, 0), 0x7C1F);
    EXPECT_EQ(l.Texel(1, 0), 0x8000);  // black, yet opaque
    EXPECT_EQ(l.Texel(2, 0), 0x8000 | (31 << 10) | (16 << 5) | 1);
}

TEST(PngPicture, IndicesPastAShortPaletteAreOpaqueBlack) {
    Loader l;
    PngPicture p;
    p.palette = {{9, 9, 9}, {255, 0, 0}};
    p.pixel = [](int x, int) { return x == 0 ? 1u : 200u; };
    ASSERT_TRUE(l.Load(EncodePng(p)));
    EXPECT_EQ(l.Texel(0, 0), Opaque(255, 0, 0));
    EXPECT_EQ(l.Texel(1, 0), 0x8000);
}

TEST(PngPicture, RgbAndInterlacedSheetsLoad) {
    Loader l;
    PngPicture rgb;
    rgb.colorType = PNG_COLOR_TYPE_RGB;
    rgb.pixel = [](int x, int y) {
        return x < 256 ? 0xFF0000u : (y < 256 ? 0x00FF00u : 0x0000FFu);
    };
    ASSERT_TRUE(l.Load(EncodePng(rgb)));
    EXPECT_EQ(l.Texel(10, 10), Opaque(255, 0, 0));
    EXPECT_EQ(l.Texel(300, 10), Opaque(0, 255, 0));
    EXPECT_EQ(l.Texel(300, 300), Opaque(0, 0, 255));

    PngPicture laced;
    laced.interlaced = true;
    laced.palette = {{0, 0, 0}, {0, 0, 255}, {255, 255, 255}};
    laced.pixel = [](int x, int y) { return Pattern(x, y, 3); };
    Recorded() = RecordedPictures{};
    ASSERT_TRUE(l.Load(EncodePng(laced)));
    const uint16_t texels[3] = {kTransparentTexel, Opaque(0, 0, 255), Opaque(255, 255, 255)};
    for (int y : {0, 1, 5, 510}) {
        for (int x : {0, 7, 13, 509}) EXPECT_EQ(l.Texel(x, y), texels[Pattern(x, y, 3)]);
    }
}

TEST(PngPicture, SheetsOfTheWrongKindAreRefusedWithTheirReasons) {
    struct Case {
        int depth;
        int colorType;
        const char16_t* reason;
    };
    const Case cases[] = {
        {16, PNG_COLOR_TYPE_RGB, u"色数が多すぎます"},
        {16, PNG_COLOR_TYPE_GRAY, u"色数が多すぎます"},
        {8, PNG_COLOR_TYPE_GRAY, u"このパレットタイプには対応していません"},
        {4, PNG_COLOR_TYPE_GRAY, u"このパレットタイプには対応していません"},
        {8, PNG_COLOR_TYPE_RGB_ALPHA, u"このパレットタイプには対応していません"},
        {8, PNG_COLOR_TYPE_GRAY_ALPHA, u"このパレットタイプには対応していません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth * 100 + c.colorType);
        Loader l;
        PngPicture p;
        p.bitDepth = c.depth;
        p.colorType = c.colorType;
        EXPECT_FALSE(l.Load(EncodePng(p)));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].title, u"Message");
        EXPECT_EQ(ShownMessages()[0].text, l.Refusal(c.reason));
        EXPECT_TRUE(Recorded().created.empty());
    }
}

// The loader's buffer is one 512 x 512 sheet: anything else would be cut or overrun.
TEST(PngPicture, SheetsOfAnotherSizeAreRefused) {
    for (auto [w, h] : {std::pair{256, 512}, {512, 513}, {1024, 1024}, {1, 1}}) {
        Loader l;
        PngPicture p;
        p.width = w;
        p.height = h;
        p.palette = {{0, 0, 0}, {255, 255, 255}};
        EXPECT_FALSE(l.Load(EncodePng(p)));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, l.Refusal(u"画像の大きさが512×512ではありません"));
        EXPECT_TRUE(Recorded().created.empty());
    }
}

TEST(PngPicture, AMissingFileIsReportedAsNotFound) {
    Loader l;
    CLoadTex loader(&l.graphics);
    const std::u16string path = l.dir.Path16("none.png");
    EXPECT_FALSE(loader.LoadPicture(0, path.c_str()));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, path + u" ファイルが見つかりません");
}

// libpng's error jump brings every damaged file back as a refusal, never an abort.
TEST(PngPicture, TruncatedAndCorruptFilesAreRefusedWithAMessage) {
    const std::vector<uint8_t> good = PlainSheet(10, 200, 30);
    ASSERT_GT(good.size(), 100u);
    std::vector<std::vector<uint8_t>> damaged;
    for (size_t cut : {size_t{0}, size_t{7}, size_t{30}, good.size() / 2, good.size() - 12}) {
        damaged.emplace_back(good.begin(), good.begin() + static_cast<long>(cut));
    }
    std::vector<uint8_t> flipped = good;
    flipped[flipped.size() / 2] ^= 0x5A;  // inside the image data: its checksum fails
    damaged.push_back(flipped);
    std::vector<uint8_t> header = good;
    header[20] = 0x7F;  // an absurd width in the header
    damaged.push_back(header);
    damaged.push_back(std::vector<uint8_t>(5000, 0xAB));
    for (size_t k = 0; k < damaged.size(); ++k) {
        SCOPED_TRACE(k);
        Loader l;
        EXPECT_FALSE(l.Load(damaged[k]));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, l.Refusal(u"PNGファイルが壊れています"));
        EXPECT_TRUE(Recorded().created.empty());
    }
}

namespace {

struct Pass {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    CDx_Gr graphics;
    CReSur pass{&graphics, system.get(), scene.get()};
    Pass() {
        ShownMessages().clear();
        Recorded() = RecordedPictures{};
        (void)TextFromUtf8(system->dataPath, kPathUnits, dir.path.c_str());
        for (int i = 0; i < kPictureNames; ++i) {
            std::u16string name = u"pic_" + std::u16string(1, char16_t(u'a' + i % 26)) +
                                  std::u16string(1, char16_t(u'a' + i / 26)) + u".png";
            (void)TextCopy(scene->pictureNames[i], kNameUnits, name.c_str());
        }
    }
    void WriteSheet(int i) const {
        char name[80];
        TextToUtf8(name, sizeof name, scene->pictureNames[i]);
        dir.Write(name, PlainSheet(static_cast<uint8_t>(i * 30), 0, 0));
    }
};

}  // namespace

TEST(PicturePass, LoadsTheFirstEightSlotsOnceAndClearsTheFlag) {
    Pass p;
    for (int i = 0; i < kLoadedPictures; ++i) p.WriteSheet(i);  // 8..63 do not exist
    ASSERT_TRUE(p.pass.LoadPictures());
    EXPECT_EQ(p.scene->reloadPending, 0);
    ASSERT_EQ(Recorded().created.size(), 8u);
    EXPECT_EQ(Recorded().released, (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Recorded().created[i].slot, i);
        EXPECT_EQ(Recorded().created[i].texels[0], Opaque(i * 30, 0, 0));
        EXPECT_EQ(std::u16string(p.scene->currentPictureNames[i]), p.scene->pictureNames[i]);
    }
    EXPECT_TRUE(ShownMessages().empty());

    // Nothing pending: nothing loaded.
    ASSERT_TRUE(p.pass.LoadPictures());
    EXPECT_EQ(Recorded().created.size(), 8u);
}

TEST(PicturePass, StopsAtTheFirstMissingSheetAndStaysPending) {
    Pass p;
    for (int i = 0; i < kLoadedPictures; ++i) {
        if (i != 3)
            p.WriteSheet(i);
    }
    EXPECT_FALSE(p.pass.LoadPictures());
    EXPECT_EQ(p.scene->reloadPending, 1);
    EXPECT_EQ(Recorded().created.size(), 3u);
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, p.dir.Path16("pic_da.png") + u" ファイルが見つかりません");
}
