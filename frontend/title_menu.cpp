// The title menu's logic: the menu's opening and closing, the game start behind the fade,
// the ranking and settings panel's opening and closing, the menu cursor with key repeat, and
// the cursor bar and panel drawn over the title.
#include <cstring>

#include "audio/audio.h"
#include "frontend/title_icdx.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"

namespace {

constexpr int32_t kAcceptEffect = 0;
constexpr uint8_t kFullyCovered = 255;
constexpr int32_t kFirstStatusValue = 1296;
constexpr int32_t kSecondStatusValue = 912;

bool PanelOpen(int32_t subScreen) {
    return subScreen >= kOpening && subScreen <= kClosed;
}

// Settings lines 6..9 take pad buttons, decision among them, so it cannot close the panel.
bool OnButtonLine(int32_t settingsCursor) {
    return settingsCursor >= 6 && settingsCursor <= 9;
}

}  // namespace

void StepRepeat(int32_t& counter, int32_t& fast, bool held) {
    if (!held) {
        counter = kKeyRepeatReady;
        fast = 0;
        return;
    }
    if (counter >= kKeyRepeatReady)
        return;
    const bool grewSlowly = fast == 0;
    counter += grewSlowly ? 1 : 16;
    if (counter >= kKeyRepeatReady) {
        counter = kKeyRepeatReady;
        if (grewSlowly)
            fast = 1;
    }
}

void CTitleIcDX::RunTitleMenu() {
    PauseAndTitleBlock& b = scene->block;
    const bool decision = (system->inputButtons & kDecisionBit) != 0;
    StepMenuPhase(decision);
    StartGameWhenCovered();
    if (b.menuCursor == kMenuRanking || b.menuCursor == kMenuSettings)
        StepPanel(decision);
    if (b.titlePhase == kActive && b.subScreen == 0)
        StepMenuCursor(decision);
    if (PanelOpen(b.subScreen))
        StepSettingsKeys();

    if (b.titleOpenCount > 0) {
        const int32_t open = b.titleOpenCount;
        DrawCursorBox(468, 470 + 96 * b.menuCursor + (6 * (kFullyOpen - open)) / 16, 384,
                      (6 * open) / 8);
    }
    scene->menuCursorShown = b.menuCursor;

    if (PanelOpen(b.subScreen) && b.panelOpenCount > 0) {
        DrawPanel(110 * b.panelOpenCount, 90 * b.panelOpenCount);
        if (b.panelOpenCount >= kFullyOpen) {
            if (scene->menuCursorShown == kMenuRanking) {
                DrawRanking();
            } else if (scene->menuCursorShown == kMenuSettings) {
                DrawSettingsPage();
            }
        }
    }
}

// Opening (8 frames), waiting for decision's release, active, and after start is chosen the
// closing (8 frames) and the request to cover the screen. Only the step from active to
// closing runs on into the next state's step in the same frame.
void CTitleIcDX::StepMenuPhase(bool decision) {
    PauseAndTitleBlock& b = scene->block;
    if (b.titlePhase == 0 || b.titlePhase == kOpening) {
        b.titlePhase = kOpening;
        if (b.titleOpenCount < kFullyOpen) {
            ++b.titleOpenCount;
        } else {
            b.titleOpenCount = kFullyOpen;
            b.titlePhase = kOpened;
        }
    } else if (b.titlePhase == kOpened) {
        if (!decision)
            b.titlePhase = kActive;
    } else if (b.menuCursor == kMenuStart) {
        if (b.titlePhase == kActive && decision) {
            audio->PlayEffect(kAcceptEffect);
            b.titlePhase = kClosing;
        }
        if (b.titlePhase == kClosing) {
            if (b.titleOpenCount > 0) {
                --b.titleOpenCount;
            } else {
                b.titlePhase = kClosed;
            }
        } else if (b.titlePhase == kClosed && !decision) {
            scene->fadeIn = 1;
            scene->fadeOut = 0;
        }
    }
}

// Once the fade has covered the closed menu, hand over to the game scene, which opens by
// clearing the overlay again.
void CTitleIcDX::StartGameWhenCovered() {
    if (scene->fadeAlpha != kFullyCovered || scene->block.titlePhase != kClosed)
        return;
    scene->backgroundChangeRequest = 1;
    scene->backgroundNumber = 0;  // one 64-bit store in the game: its neighbour goes too
    scene->backgroundNeighbour = 0;
    ReleaseHeapBlock(*scene);
    scene->statusValues[0] = kFirstStatusValue;
    scene->statusValues[1] = kSecondStatusValue;
    system->bgmRestart = 0;
    scene->reloadPending = 0;
    std::memset(&scene->block, 0, sizeof scene->block);
    scene->sceneNumber = kSceneGame;
    scene->fadeIn = 0;
    scene->fadeOut = 1;
    scene->menuCursorShown = 0;
}

// The panel's opening (8 frames), waiting for release, active, closing and closed states.
// Only the step from active to closing runs on into the closing step in the same frame.
void CTitleIcDX::StepPanel(bool decision) {
    PauseAndTitleBlock& b = scene->block;
    if ((b.subScreen == 0 && decision) || b.subScreen == kOpening) {
        if (b.subScreen == 0)
            audio->PlayEffect(kAcceptEffect);
        b.subScreen = kOpening;
        if (b.panelOpenCount < kFullyOpen) {
            ++b.panelOpenCount;
        } else {
            b.panelOpenCount = kFullyOpen;
            b.subScreen = kOpened;
        }
    } else if (b.subScreen == kOpened) {
        if (!decision)
            b.subScreen = kActive;
    } else {
        if (b.subScreen == kActive && decision && !OnButtonLine(b.settingsCursor)) {
            audio->PlayEffect(kAcceptEffect);
            b.subScreen = kClosing;
        }
        if (b.subScreen == kClosing) {
            if (b.panelOpenCount > 0) {
                --b.panelOpenCount;
            } else {
                b.subScreen = kClosed;
            }
        } else if (b.subScreen == kClosed && !decision) {
            b.subScreen = 0;
        }
    }
}

void CTitleIcDX::StepMenuCursor(bool decision) {
    PauseAndTitleBlock& b = scene->block;
    const bool up = (system->inputDirections & kUpBit) != 0;
    const bool down = (system->inputDirections & kDownBit) != 0;
    if (b.menuRepeat == kKeyRepeatReady && !decision) {
        if (up) {
            b.menuCursor = b.menuCursor <= kMenuStart ? kMenuSettings : b.menuCursor - 1;
            b.menuRepeat = 0;
        } else if (down) {
            b.menuCursor = b.menuCursor >= kMenuSettings ? kMenuStart : b.menuCursor + 1;
            b.menuRepeat = 0;
        }
    }
    StepRepeat(b.menuRepeat, b.menuRepeatFast, up || down);
}
