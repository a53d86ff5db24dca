// Picks the draw list out of a trace line: each entry is
// [dstX,dstY,dstW,dstH,srcX,srcY,srcW,srcH,scaleX,scaleY,flip,pivotX,pivotY,pitch,yaw,roll,
//  blendMode,color,sheet]. The scenes draw unscaled and unrotated, so position, sizes,
// colour and sheet are all the compositor needs.
#include "tools/preview/trace_draws.h"

#include <cstdlib>
#include <fstream>

namespace {

constexpr int kFields = 19;

bool ParseDraws(const std::string& line, SpriteList* out) {
    size_t at = line.find("\"draws\":[");
    if (at == std::string::npos)
        return false;
    at += 9;
    out->clear();
    while (at < line.size() && line[at] == '[') {
        double v[kFields];
        const char* p = line.c_str() + at + 1;
        for (int k = 0; k < kFields; ++k) {
            char* end = nullptr;
            v[k] = std::strtod(p, &end);
            if (end == p)
                return false;
            p = end + 1;  // past ',' or ']'
        }
        Sprite s;
        s.dstX = static_cast<int>(v[0]);
        s.dstY = static_cast<int>(v[1]);
        s.dstW = static_cast<int>(v[2]);
        s.dstH = static_cast<int>(v[3]);
        s.srcX = static_cast<int>(v[4]);
        s.srcY = static_cast<int>(v[5]);
        s.srcW = static_cast<int>(v[6]);
        s.srcH = static_cast<int>(v[7]);
        s.color = static_cast<uint32_t>(v[17]);
        s.sheet = static_cast<int>(v[18]);
        out->push_back(s);
        at = static_cast<size_t>(p - line.c_str());
        if (at < line.size() && line[at] == ',')
            ++at;
    }
    return true;
}

}  // namespace

bool ReadTraceDraws(const std::string& tracePath, SpriteList* out) {
    std::ifstream in(tracePath);
    std::string line;
    bool found = false;
    SpriteList frame;
    while (std::getline(in, line)) {
        if (ParseDraws(line, &frame)) {
            *out = frame;
            found = true;
        }
    }
    return found;
}
