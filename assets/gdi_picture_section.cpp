// Picture sections on Windows: GDI DIB sections, as the game has always decoded its sheets.
// The colour table goes into the section through a memory DC and is read back from it the
// same way, so what the renderer converts is what GDI holds.
#include <windows.h>

#include <new>

#include "assets/picture_section.h"
#include "render/picture_bits.h"

struct PictureSection {
    HBITMAP bitmap = nullptr;
    uint8_t* rows = nullptr;
};

namespace {

// A BITMAPINFO with room for the whole colour table.
struct SectionInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// Runs work with the section selected into a fresh memory DC. False when there is no DC.
template <class Work>
bool WithSectionDc(PictureSection* section, Work work) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return false;
    HGDIOBJ old = SelectObject(dc, section->bitmap);
    const bool done = work(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return done;
}

}  // namespace

PictureSection* CreatePictureSection(int32_t bitsPerPixel) {
    if (bitsPerPixel != 8 && bitsPerPixel != 24)
        return nullptr;
    SectionInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = kPictureSide;
    info.header.biHeight = kPictureSide;  // positive: rows stored bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.header.biCompression = BI_RGB;
    void* rows = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &rows, nullptr, 0);
    if (bitmap == nullptr || rows == nullptr) {
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        return nullptr;
    }
    auto* section = new (std::nothrow) PictureSection{bitmap, static_cast<uint8_t*>(rows)};
    if (section == nullptr)
        DeleteObject(bitmap);
    return section;  // a new section's bits are zero
}

uint8_t* PictureSectionRows(PictureSection* section) {
    return section->rows;
}

void SetPictureSectionColors(PictureSection* section, const uint8_t (*colors)[4]) {
    RGBQUAD table[256];
    for (int k = 0; k < 256; ++k) {
        table[k] = RGBQUAD{colors[k][0], colors[k][1], colors[k][2], 0};
    }
    (void)WithSectionDc(section,
                        [&](HDC dc) { return SetDIBColorTable(dc, 0, 256, table) == 256; });
}

bool DescribePictureSection(PictureSection* section, PictureBits* out) {
    DIBSECTION dib{};
    if (GetObjectW(section->bitmap, sizeof dib, &dib) != sizeof dib)
        return false;
    *out = PictureBits{};
    out->width = dib.dsBm.bmWidth;
    out->height = dib.dsBm.bmHeight;
    out->bitsPerPixel = dib.dsBm.bmBitsPixel;
    out->bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    if (out->bitsPerPixel != 8)
        return true;  // no colour table
    RGBQUAD table[256] = {};
    if (!WithSectionDc(section, [&](HDC dc) { return GetDIBColorTable(dc, 0, 256, table) > 0; }))
        return false;
    for (int k = 0; k < 256; ++k) {
        out->colors[k][0] = table[k].rgbBlue;
        out->colors[k][1] = table[k].rgbGreen;
        out->colors[k][2] = table[k].rgbRed;
    }
    return true;
}

void DeletePictureSection(PictureSection* section) {
    if (section == nullptr)
        return;
    DeleteObject(section->bitmap);
    delete section;
}
