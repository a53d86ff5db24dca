#include "tools/assetgen/sheets.h"
void DrawLogoSheet(Canvas& canvas, Fonts& fonts) { canvas.FillRect(0, 0, 160, 40, Hex(0x101830)); }
