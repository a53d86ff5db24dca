// Game.ini: the 512-byte settings and ranking record, read and written side by side so that
// every offset is handled once in each direction.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/path16.h"

namespace {

constexpr int kButtonsAt = 24;
constexpr int kMusicLevelAt = 34;
constexpr int kEffectLevelAt = 35;
constexpr int kScoresAt = 36;
constexpr int kDatesAt = 76;
constexpr int kDateBytes = 27;
constexpr int kStoredRanking = 10;
constexpr int kVolumeStep = 500;
// Levels run 0 to 20. The settings screen changes only volumes up to full, so a damaged
// file's higher level is read as full: otherwise it could never be lowered again.
constexpr uint8_t kFullLevel = 20;
// Half a texel of a 512-pixel sheet. A damaged file can hold any float as the inset; one
// that is not small and finite would throw every picture off its sheet, so the working
// value then keeps its default (the stored bytes still go back to the file as they came).
constexpr float kLargestInset = 0.0009765625f;

// The stored header: five bytes, two floats, eleven bytes.
void ReadStored(const ByteView& in, StoredSettings& s) {
    for (int k = 0; k < 5; ++k) s.head[k] = in.U8(k);
    s.texelInset = in.F32(5);
    s.storedFloat2 = in.F32(9);
    for (int k = 0; k < 11; ++k) s.tail[k] = in.U8(13 + k);
}

void WriteStored(const ByteSink& out, const StoredSettings& s) {
    for (int k = 0; k < 5; ++k) out.U8(k, s.head[k]);
    out.F32(5, s.texelInset);
    out.F32(9, s.storedFloat2);
    for (int k = 0; k < 11; ++k) out.U8(13 + k, s.tail[k]);
}

// Ranking date records: the calendar fields in file order, then the daylight-saving flag's
// low three bytes. Weekday and day of the year are not stored and keep what memory holds;
// so does the flag's top byte.
void ReadDate(const ByteView& in, int64_t at, CalendarTime& d) {
    d.year = in.I32(at);
    d.month = in.I32(at + 4);
    d.day = in.I32(at + 8);
    d.hour = in.I32(at + 12);
    d.minute = in.I32(at + 16);
    d.second = in.I32(at + 20);
    uint32_t low =
        static_cast<uint32_t>(in.U8(at + 24)) | (in.U8(at + 25) << 8) | (in.U8(at + 26) << 16);
    uint32_t flag = static_cast<uint32_t>(d.daylightSaving);
    d.daylightSaving = static_cast<int32_t>((flag & 0xFF000000u) | low);
}

void WriteDate(const ByteSink& out, int64_t at, const CalendarTime& d) {
    out.I32(at, d.year);
    out.I32(at + 4, d.month);
    out.I32(at + 8, d.day);
    out.I32(at + 12, d.hour);
    out.I32(at + 16, d.minute);
    out.I32(at + 20, d.second);
    uint32_t flag = static_cast<uint32_t>(d.daylightSaving);
    for (int k = 0; k < 3; ++k) out.U8(at + 24 + k, static_cast<uint8_t>(flag >> (8 * k)));
}

// The record's bytes as they are: the stored block, the buttons, the plain volume levels and
// the ranking.
void ReadRecord(const uint8_t (&bytes)[kSettingsFileBytes], System& system, MapSceneEntity& scene) {
    ByteView in{bytes, kSettingsFileBytes};
    ReadStored(in, system.stored);
    for (int k = 0; k < 10; ++k) system.buttonCodes[k] = in.U8(kButtonsAt + k);
    system.bgmVolume = std::min(in.U8(kMusicLevelAt), kFullLevel);
    system.seVolume = std::min(in.U8(kEffectLevelAt), kFullLevel);
    for (int r = 0; r < kStoredRanking; ++r) {
        scene.rankingScores[r] = in.I32(kScoresAt + 4 * r);
        ReadDate(in, kDatesAt + kDateBytes * r, scene.rankingDates[r]);
    }
}

}  // namespace

void DecodeSettings(const uint8_t (&in)[kSettingsFileBytes], System& system,
                    MapSceneEntity& scene) {
    ReadRecord(in, system, scene);
    DeriveWorkingSettings(system);
}

// The working fields from the stored block, in the game's order; then the settings screen's
// working copy, the volumes scaled and the texel inset.
void DeriveWorkingSettings(System& system) {
    const StoredSettings& s = system.stored;
    uint8_t screenMode = StoredByte(s, kStoredScreenMode);
    if (screenMode == 0 || screenMode == 1)
        system.fullScreen = screenMode;
    system.vsync = StoredByte(s, kStoredVsync) != 0 ? 1 : 0;
    if (StoredByte(s, kStoredDataFolderRelative) != 0)
        system.dataFolderRelative = 1;
    system.padInputDefault = StoredByte(s, kStoredPadInput) == 1 ? 1 : 0;
    uint8_t timer = StoredByte(s, kStoredTimerMethod);
    if (timer < kTimerMethods)
        system.timerMethod = timer;
    uint8_t pattern = StoredByte(s, kStoredFramePattern);
    if (pattern <= kPatternFullTable)
        system.framePattern = pattern;
    system.frameSkip = StoredByte(s, kStoredFrameSkip) != 0 ? 1 : 0;
    switch (StoredByte(s, kStoredAudioCode)) {
        case kStoredAudioOff:
            system.audioMode = kAudioOff;
            break;
        case kStoredAudioOgg:
            system.audioMode = kAudioOgg;
            break;
        case kStoredAudioWave:
            system.audioMode = kAudioWave;
            break;
        default:
            break;
    }
    system.loadedMark = 1;

    // The settings screen's working copy: the derived codes and the levels before scaling.
    system.settingsEdit[kLineScreenMode] = system.fullScreen;
    system.settingsEdit[kLineVsync] = system.vsync;
    system.settingsEdit[kLineTimer] = system.timerMethod;
    system.settingsEdit[kLineFrameSkip] = system.frameSkip;
    system.settingsEdit[kLineMusicVolume] = system.bgmVolume;
    system.settingsEdit[kLineEffectVolume] = system.seVolume;
    for (int k = 0; k < 4; ++k) system.settingsEdit[kLineFirstButton + k] = system.buttonCodes[k];

    system.bgmVolume *= kVolumeStep;
    system.seVolume *= kVolumeStep;
    if (std::isfinite(s.texelInset) && std::fabs(s.texelInset) <= kLargestInset)
        system.texelInset = s.texelInset;
}

void EncodeSettings(const System& system, const MapSceneEntity& scene,
                    uint8_t (&bytes)[kSettingsFileBytes]) {
    std::memset(bytes, 0, sizeof bytes);
    ByteSink out{bytes, kSettingsFileBytes};
    WriteStored(out, system.stored);
    // The fields a run can change are written from their working values.
    out.U8(kStoredScreenMode, static_cast<uint8_t>(system.fullScreen));
    out.U8(kStoredVsync, static_cast<uint8_t>(system.vsync));
    out.U8(kStoredTimerMethod, static_cast<uint8_t>(system.timerMethod));
    out.U8(kStoredFrameSkip, static_cast<uint8_t>(system.frameSkip));
    out.U8(kStoredLoadedMark, static_cast<uint8_t>(system.loadedMark));
    for (int k = 0; k < 10; ++k) out.U8(kButtonsAt + k, system.buttonCodes[k]);
    out.U8(kMusicLevelAt, static_cast<uint8_t>(system.bgmVolume / kVolumeStep));
    out.U8(kEffectLevelAt, static_cast<uint8_t>(system.seVolume / kVolumeStep));
    for (int r = 0; r < kStoredRanking; ++r) {
        out.I32(kScoresAt + 4 * r, scene.rankingScores[r]);
        WriteDate(out, kDatesAt + kDateBytes * r, scene.rankingDates[r]);
    }
}

CLoadFile::CLoadFile() : system(theGame->system), scene(theGame->scene) {}
CLoadFile::CLoadFile(System* s, MapSceneEntity* m) : system(s), scene(m) {}
CLoadFile::~CLoadFile() = default;

bool CLoadFile::LoadSettings(const char16_t* path) {
    uint8_t bytes[kSettingsFileBytes] = {};
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file >= 0) {
        // A short or failed read leaves zeros where the file ends.
        (void)FileRead(file, bytes, kSettingsFileBytes);
        ReadRecord(bytes, *system, *scene);
        FileClose(file);
    }
    DeriveWorkingSettings(*system);
    return true;
}

bool CLoadFile::SaveSettings(const char16_t* path) {
    uint8_t bytes[kSettingsFileBytes];
    EncodeSettings(*system, *scene, bytes);
    return FileWriteWhole(path, bytes, kSettingsFileBytes);
}
