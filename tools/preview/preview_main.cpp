// tessaroid-preview: composes one frame of the game from the generated sheets into a
// 1280 x 720 PNG, to look at the art as the scenes lay it out. The frame is the last one
// with a draw list in a tessaroid-trace run made with draws on; compose_scenes.sh beside
// this file runs the scene scripts of scenes/ through both tools.
#include <cstdio>
#include <string>

#include "tools/preview/compositor.h"
#include "tools/preview/trace_draws.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tessaroid-preview DATA_FOLDER TRACE_FILE OUTPUT_PNG\n");
        return 2;
    }
    static Compositor c;
    if (!c.LoadSheets(std::string(argv[1]) + "/"))
        return 1;
    SpriteList list;
    if (!ReadTraceDraws(argv[2], &list)) {
        std::fprintf(stderr, "preview: no draw list in %s\n", argv[2]);
        return 1;
    }
    for (const Sprite& s : list) c.Draw(s);
    if (c.WritePng(argv[3]))
        return 0;
    std::fprintf(stderr, "preview: cannot write %s\n", argv[3]);
    return 1;
}
