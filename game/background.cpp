// The background's music and picture.
#include "game/background.h"

#include "audio/audio.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/render.h"
#include "render/set_vertex.h"

namespace {

struct TrackRange {
    int32_t first;
    int32_t last;
    int32_t track;
};

// Background numbers with music; every number not listed leaves the music as it is.
constexpr TrackRange kTrackRanges[] = {
    {0, 0, 7},     {1, 1, 5},     {2, 2, 6},     {3, 3, 5},     {4, 13, 6},    {14, 14, 5},
    {15, 18, 6},   {19, 20, 5},   {21, 25, 6},   {101, 113, 6}, {122, 122, 6}, {131, 133, 5},
    {134, 134, 6}, {135, 135, 5}, {136, 145, 6}, {146, 147, 5}, {148, 148, 5}, {149, 152, 5},
    {153, 154, 6}, {155, 162, 5}, {164, 165, 5}, {166, 167, 6}, {168, 169, 5}, {170, 178, 6},
    {179, 179, 5}, {210, 210, 6}, {901, 901, 6},
};

}  // namespace

int32_t BackgroundMusicTrack(int32_t backgroundNumber) {
    for (const TrackRange& range : kTrackRanges) {
        if (backgroundNumber >= range.first && backgroundNumber <= range.last)
            return range.track;
    }
    return kTrackUnchanged;
}

CDungeon::CDungeon() : system(theGame->system), scene(theGame->scene) {}
CDungeon::~CDungeon() = default;

int32_t CDungeon::SelectBackgroundMusic(int32_t backgroundNumber) {
    // Like every music operation, the selection does nothing while there is no sound.
    if (!SoundIsOn(*system))
        return 1;
    const int32_t track = BackgroundMusicTrack(backgroundNumber);
    if (track == kTrackUnchanged)
        return 1;
    system->bgmPreviousTrack = system->bgmTrack;
    system->bgmTrack = track;
    if (system->bgmTrack != system->bgmPreviousTrack || system->bgmRestart == 1) {
        theGame->audio->RewindMusic(track);
    }
    system->bgmRestart = 0;
    scene->backgroundChangeRequest = 0;
    return 1;
}

CBGIcDX::CBGIcDX() : graphics(theGame->graphics), system(theGame->system), scene(theGame->scene) {}
CBGIcDX::~CBGIcDX() = default;

void CBGIcDX::DrawBackground() {
    DrawCommand c = SpriteCommand(3, {0, 0, 512, 256}, {16, 0, 1536, 768});
    CSetVerTex forward(graphics, system, scene);
    forward.Submit(&c);
}
