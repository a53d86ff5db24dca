// tessaroid-preview: composes the scenes from the generated sheets into 1280 x 720 PNG
// files, to look at the art as the game lays it out. Either from its own example layouts
// (DATA_FOLDER OUTPUT_FOLDER), or from the draw list of the last frame of a tessaroid-trace
// run made with --draws (--trace DATA_FOLDER TRACE_FILE OUTPUT_PNG).
#include <cstdio>
#include <string>

#include "tools/preview/compositor.h"
#include "tools/preview/scene_layouts.h"
#include "tools/preview/trace_draws.h"

namespace {

bool Compose(Compositor& c, const SpriteList& list, const std::string& path) {
    c.Clear();
    for (const Sprite& s : list) c.Draw(s);
    if (c.WritePng(path))
        return true;
    std::fprintf(stderr, "preview: cannot write %s\n", path.c_str());
    return false;
}

int ComposeTrace(const std::string& data, const std::string& trace, const std::string& png) {
    static Compositor c;
    if (!c.LoadSheets(data + "/"))
        return 1;
    SpriteList list;
    if (!ReadTraceDraws(trace, &list)) {
        std::fprintf(stderr, "preview: no draw list in %s\n", trace.c_str());
        return 1;
    }
    return Compose(c, list, png) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--trace")
        return ComposeTrace(argv[2], argv[3], argv[4]);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: tessaroid-preview DATA_FOLDER OUTPUT_FOLDER\n"
                     "       tessaroid-preview --trace DATA_FOLDER TRACE_FILE OUTPUT_PNG\n");
        return 2;
    }
    std::string data = std::string(argv[1]) + "/";
    std::string out = std::string(argv[2]) + "/";
    static Compositor c;
    if (!c.LoadSheets(data))
        return 1;
    TitleState title;
    TitleState ranking;
    ranking.panel = 1;
    ranking.cursor = 1;
    TitleState settings;
    settings.panel = 2;
    settings.cursor = 2;
    settings.panelColor = 3;
    GameState game;
    game.score = 12480;
    game.level = 3;
    GameState paused = game;
    paused.paused = true;
    GameState curtain = game;
    curtain.gameOverCounter = 14;
    GameState over = game;
    over.gameOverCounter = 40;
    bool ok = Compose(c, TitleScene(title), out + "title.png") &&
              Compose(c, TitleScene(ranking), out + "ranking.png") &&
              Compose(c, TitleScene(settings), out + "settings.png") &&
              Compose(c, LoadingScene(8), out + "loading.png") &&
              Compose(c, GameScene(game), out + "game.png") &&
              Compose(c, GameScene(paused), out + "pause.png") &&
              Compose(c, GameScene(curtain), out + "curtain.png") &&
              Compose(c, GameScene(over), out + "gameover.png");
    return ok ? 0 : 1;
}
