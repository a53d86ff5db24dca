#include "tools/assetgen/sheets.h"
void DrawTitleSheet(Canvas& canvas) { canvas.FillRect(0, 0, 512, 256, Hex(0x101830)); }
