// The play state's one instance.
#include "game/play_state.h"

PlayState thePlayState = [] {
    PlayState s{};
    s.pieceX = kSpawnX;
    s.repeatCounter = kRepeatReady;
    return s;
}();
