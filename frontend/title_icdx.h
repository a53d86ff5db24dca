// The title scene's workers: Menu draws framed boxes and panels, CTitleIcDX draws the title
// and runs the menu with its ranking and settings panels. Both are built on the stack every
// title frame; all lasting state is in MapSceneEntity and in the few statics declared here.
#pragma once

#include <cstdint>

class CXi;
class CXa2;
class System;
class MapSceneEntity;

// Title animation counters, zero at program start and kept across visits to the title.
struct TitleAnimation {
    int32_t titleBob;         // 0..16, a triangle wave of 32 frames
    int32_t titleBobFalling;  // 1 while titleBob runs down
    int32_t titleScroll;      // 0..719, the background's vertical offset
};
extern TitleAnimation theTitleAnimation;

// The frame colour of the next cursor box; every box sets it for the one after.
inline constexpr uint32_t kFirstBoxFrameColor = 0xBFFFFFFF;
extern uint32_t theBoxFrameColor;

// What the settings page shows, refreshed every frame the page is drawn.
struct SettingsShown {
    int32_t screenMode;
    int32_t vsync;
    int32_t timer;
    int32_t frameSkip;
    int32_t buttons[4];
};
extern SettingsShown theSettingsShown;

// Action and direction bits as the poll leaves them.
inline constexpr int32_t kDecisionBit = 1;
inline constexpr int32_t kUpBit = 1;
inline constexpr int32_t kDownBit = 2;
inline constexpr int32_t kLeftBit = 4;
inline constexpr int32_t kRightBit = 8;

// Menu and panel states (titlePhase, subScreen).
inline constexpr int32_t kOpening = 1;
inline constexpr int32_t kOpened = 2;
inline constexpr int32_t kActive = 4;
inline constexpr int32_t kClosing = 8;
inline constexpr int32_t kClosed = 16;
inline constexpr int32_t kFullyOpen = 8;        // titleOpenCount and panelOpenCount when open
inline constexpr int32_t kKeyRepeatReady = 48;  // a key-repeat counter that may act

inline constexpr int32_t kMenuStart = 0;
inline constexpr int32_t kMenuRanking = 1;
inline constexpr int32_t kMenuSettings = 2;

class Menu {
public:
    explicit Menu(MapSceneEntity* scene);
    virtual ~Menu();

    MapSceneEntity* scene;

    // A framed box of nine pieces from the frame column of sheet 5. The frame colour is the
    // one the previous box left; afterwards it becomes white at alpha frameShimmer + 64.
    void DrawCursorBox(int32_t x, int32_t y, int32_t w, int32_t h);
    // The panel at (208, 0) in the colour column panelColor, w x h.
    void DrawPanel(int32_t w, int32_t h);
};

class CTitleIcDX : public Menu {
public:
    CTitleIcDX();  // takes its pointers from theGame
    ~CTitleIcDX() override;

    CXi* input;
    CXa2* audio;
    System* system;

    // Background, logo and menu items, or the waiting picture while pictures load.
    void DrawTitle();
    // The menu and panel state machines, the game start, the cursor bar and the panels.
    void RunTitleMenu();

    // The settings cursor and the value under it, every frame while a panel is open.
    void StepSettingsKeys();
    // The settings page inside the open panel, applying each value as it is shown.
    void DrawSettingsPage();
    // The ten best scores with their dates, inside the open panel.
    void DrawRanking();

private:
    void StepMenuPhase(bool decision);
    void StartGameWhenCovered();
    void StepPanel(bool decision);
    void StepMenuCursor(bool decision);
    void ApplySettings(bool sideways);
    void DrawSettingsBoxes();
    void DrawSettingsTexts();
};

// The rule all three key-repeat counters follow: a held key acts at once, again 48 frames
// later and then every third frame; releasing both keys of the pair makes it ready again.
void StepRepeat(int32_t& counter, int32_t& fast, bool held);

// One glyph of the font sheet 6 at (x, y), w x h, for character c.
void SubmitGlyph(uint32_t c, int32_t x, int32_t y, int32_t w, int32_t h);
