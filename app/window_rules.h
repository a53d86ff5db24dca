// The 16:9 rule for a window being resized: given the edge being dragged and the proposed
// window rectangle, it changes the rectangle so the client area keeps its shape.
#pragma once

#include <cstdint>

struct WindowRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The dragged edge, numbered as the window system numbers them.
enum SizingEdge : int32_t {
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 3,
    kEdgeTopLeft = 4,
    kEdgeTopRight = 5,
    kEdgeBottom = 6,
    kEdgeBottomLeft = 7,
    kEdgeBottomRight = 8,
};

// frameWidth and frameHeight: what the window's frame adds to the client size (4 frame
// widths; the caption plus 4 frame heights). Another edge value leaves rect unchanged.
void ConstrainSizing(int32_t edge, WindowRect& rect, int32_t frameWidth, int32_t frameHeight);
