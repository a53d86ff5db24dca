// The sound half of the data folder, in two sets that hold the same sounds:
//   wav/wav_0000.txt and ogg/ogg_0000.txt, 96 names each: slots 0..63 the music tracks,
//   64..95 the effects 0..31;
//   wav/bgm_00NN.wav, ogg/bgm_00NN.ogg and a .sli loop file beside each: track 7 is the
//   game's music, tracks 5 and 6 loops of their own, and every other track number shares
//   the quiet loop bgm_0000;
//   wav/se_000NN.wav, ogg/se_000NN.ogg: the effects.
// The sounds are made and encoded on two threads; each file depends only on its own job.
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tools/assetgen/data_folder.h"
#include "tools/assetgen/effects.h"
#include "tools/assetgen/music.h"
#include "tools/assetgen/sound_files.h"

namespace {

constexpr int kTracks = 64;
constexpr int kListNames = kTracks + kEffects;
constexpr float kMusicQuality = 0.35f;
constexpr float kEffectQuality = 0.4f;

// The track numbers with music of their own; the rest play the quiet loop.
int MusicFileOf(int track) {
    return (track >= 5 && track <= 7) ? track : 0;
}

std::string MusicName(const char* set, int file) {
    char name[32];
    std::snprintf(name, sizeof name, "%s\\bgm_%04d.%s", set, file, set);
    return name;
}

std::string EffectName(const char* set, int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s\\se_%05d.%s", set, n, set);
    return name;
}

// The list's '\' becomes the folder separator on disk.
std::string OnDisk(const std::string& folder, const std::string& listName) {
    std::string path = folder + listName;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

struct Job {
    int music = -1;   // music file number, or -1
    int effect = -1;  // effect number, or -1
};

bool WriteMusic(const std::string& folder, int file) {
    Song song = file == 7   ? GameSong()
                : file == 5 ? CalmSong()
                : file == 6 ? BrightSong()
                            : QuietSong();
    StereoBuffer sound = RenderSong(song);
    bool ok = true;
    for (const char* set : {"wav", "ogg"}) {
        std::string name = MusicName(set, file);
        std::string path = OnDisk(folder, name);
        ok = ok && (set[0] == 'w' ? WriteWave(path, sound)
                                  : WriteOgg(path, sound, kMusicQuality, 1000 + file));
        ok = ok && WriteLoopFile(path + ".sli", name, song.LoopStart(), song.LoopLength());
    }
    return ok;
}

bool WriteEffect(const std::string& folder, int n) {
    StereoBuffer sound = RenderEffect(n);
    return WriteWave(OnDisk(folder, EffectName("wav", n)), sound) &&
           WriteOgg(OnDisk(folder, EffectName("ogg", n)), sound, kEffectQuality, 2000 + n);
}

bool RunJobs(const std::string& folder, const std::vector<Job>& jobs) {
    std::atomic<size_t> next{0};
    std::atomic<bool> ok{true};
    auto worker = [&]() {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            const Job& job = jobs[i];
            bool done =
                job.music >= 0 ? WriteMusic(folder, job.music) : WriteEffect(folder, job.effect);
            if (!done)
                ok = false;
        }
    };
    std::thread helper(worker);
    worker();
    helper.join();
    return ok;
}

bool WriteLists(const std::string& folder) {
    for (const char* set : {"wav", "ogg"}) {
        std::string names[kListNames];
        for (int n = 0; n < kTracks; ++n) names[n] = MusicName(set, MusicFileOf(n));
        for (int n = 0; n < kEffects; ++n) names[kTracks + n] = EffectName(set, n);
        std::string list = folder + set + "/" + set + "_0000.txt";
        if (!WriteListFile(list, names, kListNames))
            return false;
    }
    return true;
}

}  // namespace

bool WriteSounds(const std::string& folder) {
    if (!MakeFolder(folder + "wav") || !MakeFolder(folder + "ogg"))
        return false;
    // The longest job first, so the two threads finish together.
    std::vector<Job> jobs = {{7, -1}, {5, -1}, {6, -1}, {0, -1}};
    for (int n = 0; n < kEffects; ++n) jobs.push_back({-1, n});
    return RunJobs(folder, jobs) && WriteLists(folder);
}
