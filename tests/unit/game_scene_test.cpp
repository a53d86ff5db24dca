// The game-scene frame: pause timing, the fades, the music selection and one frame's draw
// list checked against positions, sources and colours worked out by hand.
#include "game/game_scene.h"

#include <gtest/gtest.h>

#include "game/background.h"
#include "tests/unit/game_frames.h"

namespace {

constexpr uint8_t kPauseKey = 'A';

struct PauseView {
    int32_t state, counter, flag;
};

PauseView Pause(const GameFrames& g) {
    const PauseAndTitleBlock& b = g.scene.block;
    return {b.pauseState, b.pauseCounter, b.pauseFlag};
}

bool operator==(const PauseView& a, const PauseView& b) {
    return a.state == b.state && a.counter == b.counter && a.flag == b.flag;
}

std::ostream& operator<<(std::ostream& o, const PauseView& p) {
    return o << "{" << p.state << "," << p.counter << "," << p.flag << "}";
}

void ExpectCommand(const DrawCommand& c, int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh, int32_t sheet, float pivot, uint32_t color) {
    EXPECT_EQ(c.dstX, x);
    EXPECT_EQ(c.dstY, y);
    EXPECT_EQ(c.dstW, w);
    EXPECT_EQ(c.dstH, h);
    EXPECT_EQ(c.srcX, sx);
    EXPECT_EQ(c.srcY, sy);
    EXPECT_EQ(c.srcW, sw);
    EXPECT_EQ(c.srcH, sh);
    EXPECT_EQ(c.sheet, sheet);
    EXPECT_FLOAT_EQ(c.pivotX, pivot);
    EXPECT_FLOAT_EQ(c.pivotY, pivot);
    EXPECT_EQ(c.color, color);
    EXPECT_FLOAT_EQ(c.scaleX, 1.0f);
    EXPECT_FLOAT_EQ(c.scaleY, 1.0f);
    EXPECT_EQ(c.flip | c.pitch | c.yaw | c.roll | c.blendMode, 0);
}

void ExpectTile(const DrawCommand& c, int32_t value, int32_t x, int32_t y) {
    ExpectCommand(c, x, y, 24, 24, 192 + 8 * value, 256, 8, 8, 3, 12.0f, 0xFFFFFFFF);
}

void ExpectGlyph(const DrawCommand& c, uint32_t code, int32_t x, int32_t y) {
    ExpectCommand(c, x, y, 32, 64, static_cast<int32_t>(code % 16 * 16),
                  static_cast<int32_t>(code / 16 % 16 * 32), 16, 32, 6, 0.0f, 0xFFFFFFFF);
}

}  // namespace

TEST(GamePause, APressPausesAtOnceOpensInNineFramesAndWaitsForTheRelease) {
    GameFrames g;
    g.Run(1, {kPauseKey});
    EXPECT_EQ(Pause(g), (PauseView{1, 1, 1}));
    EXPECT_EQ(g.Effects(), (std::vector<int32_t>{0}));
    EXPECT_EQ(g.scene.block.pauseMarkers[0], -1);
    g.Run(7);
    EXPECT_EQ(Pause(g), (PauseView{1, 8, 1}));
    g.Run(1);  // the ninth frame
    EXPECT_EQ(Pause(g), (PauseView{2, 8, 1}));
    g.Run(30);  // held on: one pause, no second effect
    EXPECT_EQ(Pause(g), (PauseView{2, 8, 1}));
    EXPECT_TRUE(g.Effects().empty());
    g.Run(5, {});
    EXPECT_EQ(Pause(g), (PauseView{4, 8, 1}));
}

TEST(GamePause, TheNextPressResumesAtOnceAndANewPauseNeedsARelease) {
    GameFrames g;
    g.Run(9, {kPauseKey});
    g.Run(1, {});
    g.scene.block.pauseValues[0] = 7;
    const int32_t fallBefore = g.play.fallCounter;
    g.Run(1, {kPauseKey});
    EXPECT_EQ(Pause(g), (PauseView{8, 7, 0}));
    EXPECT_EQ(g.play.fallCounter, fallBefore + 1);  // the play frame runs while it closes
    EXPECT_TRUE(g.Effects().empty());
    g.Run(7, {});  // pressing or not makes no difference while it closes
    g.Run(1, {kPauseKey});
    EXPECT_EQ(Pause(g), (PauseView{16, 0, 0}));
    EXPECT_EQ(g.scene.block.pauseMarkers[1], 0);
    EXPECT_EQ(g.scene.block.pauseValues[0], 0);
    g.Run(5);  // still held: closed, waiting for the release
    EXPECT_EQ(Pause(g), (PauseView{16, 0, 0}));
    g.Run(1, {});
    EXPECT_EQ(Pause(g), (PauseView{0, 0, 0}));
    g.Run(1, {kPauseKey});
    EXPECT_EQ(Pause(g), (PauseView{1, 1, 1}));
    EXPECT_EQ(g.Effects(), (std::vector<int32_t>{0}));
}

TEST(GamePause, ABlockingFieldKeepsThePauseOpen) {
    GameFrames g;
    g.Run(9, {kPauseKey});
    g.Run(1, {});
    g.scene.block.pauseBlockers[1] = 1;
    g.Run(3, {kPauseKey});
    EXPECT_EQ(Pause(g), (PauseView{4, 8, 1}));
}

TEST(GamePause, APausedFrameFreezesThePieceAndItsTurnLatch) {
    GameFrames g;
    g.Run(1);
    g.Run(1, {'Z'});
    const int32_t turned = g.play.orientation;
    g.Run(1, {'Z', kPauseKey});
    const int32_t fall = g.play.fallCounter;
    g.Run(10, {});  // Z released while paused: the latch does not see it
    EXPECT_EQ(g.play.fallCounter, fall);
    EXPECT_EQ(g.play.rotateCwLatch, 1);
    g.Run(1, {'Z', kPauseKey});  // resumes with Z still held: no new turn
    EXPECT_EQ(g.scene.block.pauseFlag, 0);
    EXPECT_EQ(g.play.orientation, turned);
    g.Run(1, {});
    g.Run(1, {'Z'});
    EXPECT_EQ(g.play.orientation, (turned + 1) % 4);
}

TEST(GameScene, TheFadeStepsByFiveAndClearsItsFlagsAFrameAfterReachingZero) {
    GameFrames g;
    g.scene.fadeIn = 1;
    g.scene.fadeAlpha = 250;
    g.Run(1);
    EXPECT_EQ(g.scene.fadeAlpha, 255);
    g.Run(1);
    EXPECT_EQ(g.scene.fadeAlpha, 255);
    g.scene.fadeIn = 0;
    g.scene.fadeOut = 1;
    g.scene.fadeAlpha = 5;
    g.Run(1);
    EXPECT_EQ(g.scene.fadeAlpha, 0);
    EXPECT_EQ(g.scene.fadeOut, 1);
    g.Run(1);
    EXPECT_EQ(g.scene.fadeOut, 0);
}

TEST(GameScene, TheFirstFrameSelectsTheMusicOfBackgroundZero) {
    GameFrames g;
    g.system.audioMode = 2;
    g.system.bgmTrack = 3;
    g.system.bgmRestart = 0;
    g.scene.backgroundChangeRequest = 1;
    g.Run(1);
    EXPECT_EQ(g.system.bgmPreviousTrack, 3);
    EXPECT_EQ(g.system.bgmTrack, 7);
    EXPECT_EQ(g.system.bgmRestart, 0);
    EXPECT_EQ(g.scene.backgroundChangeRequest, 0);

    // A number with no music leaves everything, the request included.
    g.scene.backgroundNumber = 26;
    g.scene.backgroundChangeRequest = 1;
    g.Run(1);
    EXPECT_EQ(g.system.bgmTrack, 7);
    EXPECT_EQ(g.system.bgmPreviousTrack, 3);
    EXPECT_EQ(g.scene.backgroundChangeRequest, 1);
}

TEST(GameScene, WithoutSoundTheMusicSelectionDoesNothing) {
    GameFrames g;  // sound mode 0
    g.scene.backgroundChangeRequest = 1;
    g.Run(1);
    EXPECT_EQ(g.system.bgmTrack, 0);
    EXPECT_EQ(g.system.bgmRestart, 1);
    EXPECT_EQ(g.scene.backgroundChangeRequest, 1);
}

TEST(GameScene, BackgroundNumbersMapToTheirTracks) {
    const int32_t fives[] = {1,   3,   14,  19,  20,  131, 133, 135,
                             146, 148, 152, 155, 162, 165, 169, 179};
    const int32_t sixes[] = {2,   4,   13,  15,  18,  21,  25,  101, 113, 122, 134,
                             136, 145, 153, 154, 166, 167, 170, 178, 210, 901};
    const int32_t none[] = {-1, 26, 100, 114, 121, 123, 130, 163, 180, 209, 211, 900, 902};
    EXPECT_EQ(BackgroundMusicTrack(0), 7);
    for (int32_t n : fives) EXPECT_EQ(BackgroundMusicTrack(n), 5) << n;
    for (int32_t n : sixes) EXPECT_EQ(BackgroundMusicTrack(n), 6) << n;
    for (int32_t n : none) EXPECT_EQ(BackgroundMusicTrack(n), kTrackUnchanged) << n;
}

TEST(GameScene, OneFrameDrawsEverythingInItsOrder) {
    GameFrames g;
    g.Run(1);
    const int32_t queue[8] = {6, 0, 1, 2, 3, 4, 5, 7};
    for (int k = 0; k < 8; ++k) g.play.queue[k] = queue[k];
    g.scene.statusValues[0] = 1296;
    g.Run(1);
    const std::vector<DrawCommand> c = g.Commands();
    // Background, 16 x 6 preview cells and the bar's 4, 11 + 10 glyphs, 360 cells, the
    // overlay, 4 bands and 36 status glyphs.
    ASSERT_EQ(c.size(), 523u);
    ExpectCommand(c[0], 16, 0, 1536, 768, 0, 0, 512, 256, 3, 0.0f, 0xFFFFFFFF);

    // Box cell 15 first: the six previews' bottom-right cells (all empty), no piece cell.
    ExpectTile(c[1], 0, 808 + 72, 24 + 72);
    ExpectTile(c[6], 0, 1096 + 72, 456 + 72);
    ExpectTile(c[7], 0, 808 + 48, 24 + 72);  // box cell 14
    // Box cell 13: the bar's lowest cell follows the previews.
    ExpectTile(c[17], 0, 1096 + 24, 312 + 72);  // the fifth preview, kind 4: empty there
    ExpectTile(c[19], 7, 496 + 96 + 24, 72);
    // Box cell 5: the square previewed sixth, then the bar's second cell.
    ExpectTile(c[68], 6, 1096 + 24, 456 + 24);
    ExpectTile(c[69], 7, 496 + 96 + 24, 24);
    // Box cell 0 last: the first preview's top-left cell.
    ExpectTile(c[95], 0, 808, 24);
    ExpectTile(c[100], 0, 1096, 456);

    // The score, cell 10 (its terminating zero) first: nine spaces and a 0.
    ExpectGlyph(c[101], 0, 470, 24);
    ExpectGlyph(c[102], '0', 454, 24);
    ExpectGlyph(c[103], ' ', 438, 24);
    ExpectGlyph(c[111], ' ', 310, 24);
    // "Level  1" and two zero cells, from cell 9 down.
    ExpectGlyph(c[112], 0, 442, 120);
    ExpectGlyph(c[114], '1', 410, 120);
    ExpectGlyph(c[121], 'L', 298, 120);

    // The field from cell 0: wall, then the empty inside, the floor, the hidden row.
    ExpectTile(c[122], 9, 496, 0);
    ExpectTile(c[122 + 13], 0, 520, 24);
    ExpectTile(c[122 + 28 * 12 + 5], 9, 616, 672);
    ExpectTile(c[481], 0, 760, 696);

    ExpectCommand(c[482], 0, 0, 1280, 720, 32, 0, 16, 16, 120, 0.0f, 0x00FFFFFF);
    ExpectCommand(c[483], -256, -256, 1760, 256, 32, 0, 16, 16, 120, 0.0f, 0xFFFFFFFF);
    ExpectCommand(c[484], -256, 720, 1760, 256, 32, 0, 16, 16, 120, 0.0f, 0xFFFFFFFF);
    ExpectCommand(c[485], -240, -256, 256, 1232, 32, 0, 16, 16, 120, 0.0f, 0xFFFFFFFF);
    ExpectCommand(c[486], 1264, -256, 256, 1232, 32, 0, 16, 16, 120, 0.0f, 0xFFFFFFFF);
    // " %8d ..." of 1296: the status line's sixth cell is its first digit.
    EXPECT_EQ(c[487].dstX, 0);
    EXPECT_EQ(c[487].dstY, 720);
    EXPECT_EQ(c[487 + 5].srcY, '1' / 16 * 32);
    EXPECT_EQ(c[487 + 5].dstX, 50);
    EXPECT_EQ(c[522].dstX, 350);
}

TEST(GameScene, APausedFrameShowsOnlyTheTextsOverTheBackground) {
    GameFrames g;
    g.Run(1);
    g.play.score = 1234567890;
    g.play.levelIndex = 9;
    g.Run(1, {kPauseKey});
    const std::vector<DrawCommand> c = g.Commands();
    ASSERT_EQ(c.size(), 1u + 11 + 10 + 10 + 1 + 4 + 36);
    ExpectGlyph(c[2], '0', 454, 24);
    ExpectGlyph(c[11], '1', 310, 24);
    ExpectGlyph(c[12], 0, 442, 120);
    ExpectGlyph(c[13], 0, 426, 120);
    ExpectGlyph(c[14], '0', 410, 120);
    ExpectGlyph(c[15], '1', 394, 120);
    ExpectGlyph(c[22], 0, 712, 288);
    ExpectGlyph(c[23], 'E', 696, 288);
    ExpectGlyph(c[31], 'P', 568, 288);
    EXPECT_EQ(c[32].sheet, 120);
}
