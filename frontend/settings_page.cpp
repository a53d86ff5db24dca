// The settings page: eleven lines whose values left and right change in settingsEdit, and
// which act at once on the live settings while the page is shown. Nothing is saved here;
// Game.ini is written from the live settings at exit.
#include "audio/audio.h"
#include "frontend/title_icdx.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"

SettingsShown theSettingsShown = {};

namespace {

constexpr int32_t kLastLine = kSettingsLines - 1;
constexpr int32_t kLineValueCounts[kSettingsLines] = {1, 2, 4, 2, 21, 21, 10, 10, 10, 10, 10};
constexpr int32_t kTopLevel = 20;
constexpr int32_t kVolumeStep = 500;
constexpr int32_t kFullVolume = 10000;
constexpr uint16_t kFirstFaceButton = 0x1000;  // A; B, X and Y follow bit by bit

bool IsVolumeLine(int32_t line) {
    return line == kLineMusicVolume || line == kLineEffectVolume;
}

bool IsButtonLine(int32_t line) {
    return line >= kLineFirstButton && line < kLineFirstButton + 4;
}

// A 29-cell text of the page, 10 pixels per cell; the cells after the text are spaces.
void DrawText29(const char* text, int32_t x0, int32_t y) {
    bool ended = false;
    for (int32_t i = 0; i < 29; ++i) {
        if (!ended && text[i] == 0)
            ended = true;
        const uint32_t c = ended ? ' ' : static_cast<unsigned char>(text[i]);
        SubmitGlyph(c, x0 + 10 * i, y, 16, 32);
    }
}

// Left lowers and right raises the value: volumes stop at 0 and 20, the others wrap.
void StepValue(int32_t& value, int32_t line, bool left, bool right) {
    const int32_t n = kLineValueCounts[line];
    if (left) {
        --value;
        if (IsVolumeLine(line)) {
            if (value <= 0)
                value = 0;
        } else if (value == -1) {
            value = n - 1;
        }
    } else if (right) {
        ++value;
        if (IsVolumeLine(line)) {
            if (value >= kTopLevel)
                value = kTopLevel;
        } else {
            value = value % n;
        }
    }
}

// On/off lines: turning off waits for the cursor on the line, turning on does not.
void ApplySwitch(int32_t& live, int32_t edited, bool onLine) {
    if (onLine && edited == 0 && live != 0) {
        live = 0;
    } else if (edited == 1 && live != 1) {
        live = 1;
    }
}

}  // namespace

void CTitleIcDX::StepSettingsKeys() {
    PauseAndTitleBlock& b = scene->block;
    const bool decision = (system->inputButtons & kDecisionBit) != 0;
    const int32_t dirs = system->inputDirections;
    const bool up = (dirs & kUpBit) != 0;
    const bool down = (dirs & kDownBit) != 0;
    const bool left = (dirs & kLeftBit) != 0;
    const bool right = (dirs & kRightBit) != 0;
    if (b.settingsRepeat == kKeyRepeatReady && !decision) {
        if (up) {
            b.settingsCursor = b.settingsCursor <= 0 ? kLastLine : b.settingsCursor - 1;
            b.settingsRepeat = 0;
        } else if (down) {
            b.settingsCursor = b.settingsCursor >= kLastLine ? 0 : b.settingsCursor + 1;
            b.settingsRepeat = 0;
        }
    }
    StepRepeat(b.settingsRepeat, b.settingsRepeatFast, up || down);

    const int32_t line = b.settingsCursor;
    if (b.valueRepeat == kKeyRepeatReady && !decision && (left || right) && line >= 0 &&
        line <= kLastLine) {
        StepValue(system->settingsEdit[line], line, left, right);
        b.valueRepeat = 0;
    }
    StepRepeat(b.valueRepeat, b.valueRepeatFast, left || right);
}

void CTitleIcDX::DrawSettingsPage() {
    scene->frameShimmer += scene->frameShimmer < 128 ? 4 : -4;

    SettingsShown& shown = theSettingsShown;
    shown.screenMode = system->fullScreen != 0 ? 1 : 0;
    shown.vsync = system->vsync != 0 ? 1 : 0;
    if (system->timerMethod >= 0 && system->timerMethod < kTimerMethods)
        shown.timer = system->timerMethod;
    shown.frameSkip = system->frameSkip != 0 ? 1 : 0;
    for (int32_t i = 0; i < 4; ++i) shown.buttons[i] = system->buttonCodes[i];

    const PauseAndTitleBlock& b = scene->block;
    const int32_t open = b.panelOpenCount;
    const int32_t line = b.settingsCursor;
    const int32_t lineY = IsButtonLine(line) ? 52 * line + 78 : 52 * line + 54;
    DrawCursorBox(324, lineY + (20 * (kFullyOpen - open)) / 16, 188, (20 * open) / 8);

    const int32_t dirs = system->inputDirections;
    ApplySettings((dirs & (kLeftBit | kRightBit)) != 0);
    DrawSettingsBoxes();
    DrawSettingsTexts();
}

// Each value takes effect while the page is shown, most only with the cursor on its line.
void CTitleIcDX::ApplySettings(bool sideways) {
    System& s = *system;
    int32_t* edit = s.settingsEdit;
    const int32_t line = scene->block.settingsCursor;
    ApplySwitch(s.vsync, edit[kLineVsync], line == kLineVsync);
    // Like the switches: the first method waits for the cursor on the line, the others not.
    const int32_t timer = edit[kLineTimer];
    if (line == kLineTimer && timer == kTimerMilliseconds && s.timerMethod != kTimerMilliseconds) {
        s.timerMethod = kTimerMilliseconds;
    } else if (timer > kTimerMilliseconds && timer < kTimerMethods && s.timerMethod != timer) {
        s.timerMethod = timer;
    }
    ApplySwitch(s.frameSkip, edit[kLineFrameSkip], line == kLineFrameSkip);

    if (line == kLineMusicVolume) {
        if (sideways && s.bgmVolume <= kFullVolume)
            s.bgmVolume = edit[kLineMusicVolume] * kVolumeStep;
        if (SoundIsOn(s))
            audio->ApplyMusicVolume();
    }
    if (line == kLineEffectVolume) {
        // Keeps effect 0 sounding as a sample of the effect volume while the cursor is here.
        if (SoundIsOn(s))
            audio->RestartEffectVoice(0);
        if (sideways && s.seVolume <= kFullVolume)
            s.seVolume = edit[kLineEffectVolume] * kVolumeStep;
        if (SoundIsOn(s))
            audio->ApplyEffectVolume();
    }
    if (IsButtonLine(line)) {
        const int32_t i = line - kLineFirstButton;
        if (sideways)
            s.buttonCodes[i] = static_cast<uint8_t>(edit[line]);
        if (s.inputSource == kInputKeyboardAndPad) {
            input->PollAllPads();
            const uint16_t held = input->pads[0].state.buttons;
            for (int32_t k = 0; k < 4; ++k) {
                if ((held & (kFirstFaceButton << k)) == 0)
                    continue;
                s.buttonCodes[i] = static_cast<uint8_t>(k);  // with several held the last wins
                edit[line] = k;
                theSettingsShown.buttons[i] = k;
            }
        }
    }
    if (line == kLineColor && sideways)
        scene->panelColor = edit[kLineColor];
}

// The highlighted value of each line: a box around the chosen column or digit.
void CTitleIcDX::DrawSettingsBoxes() {
    const int32_t open = scene->block.panelOpenCount;
    const int32_t h = (20 * open) / 8;
    const int32_t dy = (20 * (kFullyOpen - open)) / 16;
    const SettingsShown& shown = theSettingsShown;
    DrawCursorBox(330 + 188 * shown.screenMode, 78 + dy, 188, h);
    DrawCursorBox(330 + 188 * shown.vsync, 130 + dy, 188, h);
    DrawCursorBox(330 + 188 * shown.timer, 182 + dy, 188, h);
    DrawCursorBox(330 + 188 * shown.frameSkip, 234 + dy, 188, h);
    for (int32_t i = 0; i < 4; ++i) {
        DrawCursorBox(512 + 30 * shown.buttons[i], 390 + 52 * i + dy, 30, h);
    }
    DrawCursorBox(512 + 30 * scene->panelColor, 598 + dy, 30, h);
}

void CTitleIcDX::DrawSettingsTexts() {
    static const char* const kLabels[] = {"SCREEN MODE",       "VSYNC",      "TIMER",
                                          "FRAME SKIP",        "BGM VOLUME", "SE VOLUME",
                                          "BUTTON ARRANGEMENT"};
    for (int32_t k = 0; k < 7; ++k) DrawText29(kLabels[k], 326, 54 + 52 * k);
    static const char* const kButtonLabels[] = {"DECISION", "CANCELLATION", "PAUSE", "SHIFT"};
    for (int32_t k = 0; k < 4; ++k) DrawText29(kButtonLabels[k], 366, 388 + 52 * k);
    DrawText29("COLOR", 326, 574);

    // Volume bars: a filled step for each 500 of the volume, 20 steps in all.
    const int32_t musicSteps = system->bgmVolume / kVolumeStep;
    const int32_t effectSteps = system->seVolume / kVolumeStep;
    for (int32_t k = 0; k < 20; ++k) {
        SubmitGlyph(k < musicSteps ? '>' : '_', 366 + 10 * k, 284, 16, 32);
        SubmitGlyph(k < effectSteps ? '>' : '_', 366 + 10 * k, 336, 16, 32);
    }

    DrawText29("      Window", 334, 76);
    DrawText29("    FullScreen", 334 + 188, 76);
    DrawText29("       OFF", 334, 128);
    DrawText29("       ON", 334 + 188, 128);
    static const char* const kTimers[] = {"    timeGetTime", "PerformanceCounter", "      Sleep",
                                          "     No Wait"};
    for (int32_t k = 0; k < kTimerMethods; ++k) DrawText29(kTimers[k], 334 + 188 * k, 180);
    DrawText29("       OFF", 334, 232);
    DrawText29("       ON", 334 + 188, 232);
    for (int32_t k = 0; k < 5; ++k) DrawText29("0  1  2  3  4  5  6  7  8  9", 522, 388 + 52 * k);
}
