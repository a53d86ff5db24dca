#include "tests/audio/loopback_audio.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "assets/load_sound.h"
#include "assets/wave_stream.h"
#include "audio/audio.h"
#include "audio/music.h"
#include "audio/music_tracks.h"
#include "audio/openal_loopback.h"
#include "game/game.h"
#include "game/system.h"

namespace {

// OpenAL Soft reads its settings on its first call: point it at ours before any test runs.
struct LoopbackSettings {
    LoopbackSettings() { setenv("ALSOFT_CONF", TESSAROID_ALSOFT_CONF, 1); }
} theSettings;

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutId(std::vector<uint8_t>& b, const char* id) {
    b.insert(b.end(), id, id + 4);
}

Game* MakeGame(int32_t audioMode) {
    theGame = new Game();
    theGame->audio->settings = theGame->system;
    theGame->system->audioMode = audioMode;
    theGame->system->seVolume = 10000;
    theGame->system->bgmVolume = 10000;
    return theGame;
}

}  // namespace

std::vector<uint8_t> StereoWave(const std::vector<Frame>& frames, uint32_t rate) {
    std::vector<uint8_t> b;
    const uint32_t bytes = static_cast<uint32_t>(frames.size() * 4);
    PutId(b, "RIFF");
    Put32(b, 4 + 24 + 8 + bytes);
    PutId(b, "WAVE");
    PutId(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);
    Put16(b, 2);
    Put32(b, rate);
    Put32(b, rate * 4);
    Put16(b, 4);
    Put16(b, 16);
    PutId(b, "data");
    Put32(b, bytes);
    for (const Frame& f : frames) {
        Put16(b, static_cast<uint16_t>(f.left));
        Put16(b, static_cast<uint16_t>(f.right));
    }
    return b;
}

LoopbackAudio::LoopbackAudio(int32_t audioMode)
    : audio(*MakeGame(audioMode)->audio), system(*theGame->system) {
    EXPECT_TRUE(UseLoopbackOutput(44100));
    EXPECT_TRUE(audio.InitAudio());
    EXPECT_EQ(system.audioUnavailable, 0);
    if (audioMode == 2)
        ClearMusicOpenFlags();
}

LoopbackAudio::~LoopbackAudio() {
    audio.ReleaseAudio();
    CloseMusicTracks(system.audioMode);
    delete theGame;
    theGame = nullptr;
}

std::vector<Frame> LoopbackAudio::Render(int32_t count) {
    std::vector<Frame> frames(static_cast<size_t>(count));
    EXPECT_TRUE(RenderLoopback(&frames[0].left, count));
    return frames;
}

bool LoopbackAudio::LoadEffect(const std::string& name, const std::vector<uint8_t>& bytes,
                               int32_t n) {
    if (!bytes.empty())
        folder.Write(name, bytes);
    const std::u16string path = folder.Path16(name);
    return system.audioMode == 1 ? audio.LoadWaveEffect(path.c_str(), n)
                                 : audio.LoadOggEffect(path.c_str(), n);
}

bool LoopbackAudio::OpenTrack(const std::string& name, const std::vector<uint8_t>& bytes, int32_t n,
                              uint32_t loopStart, uint32_t loopLength) {
    if (!bytes.empty())
        folder.Write(name, bytes);
    const std::u16string path = folder.Path16(name);
    if (system.audioMode == 1) {
        if (OpenWave(path.c_str(), &WaveTrack(n)) != kWaveOk ||
            RewindWave(&WaveTrack(n)) != kWaveOk)
            return false;
    } else if (OpenOggTrack(path.c_str(), n) != kOggOpened) {
        return false;
    }
    system.LoopStart[n] = loopStart;
    system.LoopLength[n] = loopLength;
    FitLoopPoints(system.LoopStart[n], system.LoopLength[n], TrackFrames(system.audioMode, n));
    RewindTrack(system, n);
    CLoadSnd loader(&audio, &system);
    return audio.musicData[0] != nullptr || loader.CreateMusicVoice();
}

bool Silent(const std::vector<Frame>& frames) {
    for (const Frame& f : frames) {
        if (f.left != 0 || f.right != 0)
            return false;
    }
    return true;
}
