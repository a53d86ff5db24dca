// The 16:9 resize rule, in the arithmetic the game uses (doubles, truncated toward zero).
#include "app/window_rules.h"

namespace {

constexpr double kWide = 1.7777777777777777;  // 16/9 as the game writes it

}  // namespace

void ConstrainSizing(int32_t edge, WindowRect& rect, int32_t frameWidth, int32_t frameHeight) {
    const int32_t cw = (rect.right - rect.left) - frameWidth;
    const int32_t ch = (rect.bottom - rect.top) - frameHeight;
    const int32_t newH = static_cast<int32_t>(cw * 0.5625 + frameHeight);
    const int32_t newW = static_cast<int32_t>(ch * kWide + frameWidth);
    switch (edge) {
        case kEdgeLeft:
        case kEdgeRight:
            rect.bottom = rect.top + newH;
            return;
        case kEdgeTop:
        case kEdgeBottom:
            rect.right = rect.left + newW;
            return;
        case kEdgeTopLeft:
        case kEdgeTopRight:
        case kEdgeBottomLeft:
        case kEdgeBottomRight:
            break;
        default:
            return;
    }
    // A corner: below 16:9 the width follows the height, otherwise the height follows the
    // width; either way the side being dragged is the one that moves.
    // A zero client height counts as wide (the ratio is infinite).
    const bool narrow = ch != 0 && static_cast<double>(cw) / ch < kWide;
    if (narrow) {
        if (edge == kEdgeTopLeft || edge == kEdgeBottomLeft) {
            rect.left = rect.right - newW;
        } else {
            rect.right = rect.left + newW;
        }
    } else if (edge == kEdgeTopLeft || edge == kEdgeTopRight) {
        rect.top = rect.bottom - newH;
    } else {
        rect.bottom = rect.top + newH;
    }
}
