// The scenes' draws, laid out as the title, settings, ranking and game scenes submit them,
// with fixed example states (scroll position, cursor, score, grid) for looking at the art.
#pragma once

#include <vector>

#include "tools/preview/compositor.h"

using SpriteList = std::vector<Sprite>;

struct TitleState {
    int scroll = 300;
    int bob = 8;
    int cursor = 0;
    int panel = 0;  // 0 none, 1 ranking, 2 settings (fully open)
    int panelColor = 0;
    int settingsLine = 4;
};
SpriteList TitleScene(const TitleState& state);
SpriteList LoadingScene(int bob);

struct GameState {
    bool paused = false;
    int gameOverCounter = 0;  // bands drawn; over 32 the game-over picture shows
    int score = 0;
    int level = 1;
};
SpriteList GameScene(const GameState& state);
