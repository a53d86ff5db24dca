// CLoadTex: one PNG sheet decoded with libpng into a 512 x 512 picture section of palette
// indices (or 24-bit pixels) and handed to the renderer. The decoding itself (DecodeSheet)
// shows nothing, so that the picture prefetch may run it on its own thread. libpng reports a
// corrupt or truncated file by jumping back to the point set in Decode; that jump stays
// inside this file.
#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "assets/picture_prefetch.h"
#include "assets/picture_section.h"
#include "assets/pictures.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "render/picture_bits.h"
#include "render/render.h"

namespace {

constexpr char16_t kNoReadStruct[] = u"PNG構造体を作成出来ません";
constexpr char16_t kNoInfoStruct[] = u"PNG構造体を初期化出来ません";
constexpr char16_t kTooManyColors[] = u"色数が多すぎます";
constexpr char16_t kUnsupportedType[] = u"このパレットタイプには対応していません";
// Not among the game's own refusals: without them a broken file would end the program and
// a sheet of another size would be written past the picture's buffer.
constexpr char16_t kBroken[] = u"PNGファイルが壊れています";
constexpr char16_t kWrongSize[] = u"画像の大きさが512×512ではありません";

// Everything a decode works on, kept in the caller's frame: the jump back into Decode
// loses nothing, and the caller releases it all on every path.
struct PngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;
    PictureSection* section = nullptr;
    int32_t bitsPerPixel = 8;
    uint8_t colors[256][4] = {};  // blue, green, red, 0; entries past the palette black
    png_bytep rows[kPictureSide] = {};
    const char16_t* refusal = nullptr;
};

void CopyPalette(PngRead* r) {
    png_colorp palette = nullptr;
    int entries = 0;
    if (png_get_PLTE(r->png, r->info, &palette, &entries) == 0)
        return;
    for (int k = 0; k < entries && k < 256; ++k) {
        r->colors[k][0] = palette[k].blue;
        r->colors[k][1] = palette[k].green;
        r->colors[k][2] = palette[k].red;
    }
}

// The header's checks in the game's order; false with the refusal set.
bool AcceptHeader(PngRead* r) {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colorType = 0;
    int interlace = 0;
    png_get_IHDR(r->png, r->info, &width, &height, &depth, &colorType, &interlace, nullptr,
                 nullptr);
    if (depth > 8) {
        r->refusal = kTooManyColors;
        return false;
    }
    if (depth < 8)
        png_set_packing(r->png);  // one byte per pixel
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        r->bitsPerPixel = 8;
        CopyPalette(r);
    } else if (colorType == PNG_COLOR_TYPE_RGB) {
        r->bitsPerPixel = 24;
        png_set_bgr(r->png);  // stored blue first, as bitmap pixels are
    } else {
        r->refusal = kUnsupportedType;
        return false;
    }
    if (width != kPictureSide || height != kPictureSide) {
        r->refusal = kWrongSize;
        return false;
    }
    if (interlace != PNG_INTERLACE_NONE)
        (void)png_set_interlace_handling(r->png);
    return true;
}

// Every libpng call that can fail on the file's contents. No object with a destructor may
// live here, since the error jump skips destructors.
bool Decode(PngRead* r) {
    if (setjmp(png_jmpbuf(r->png)) != 0) {
        r->refusal = kBroken;
        return false;
    }
    png_init_io(r->png, r->file);
    png_read_info(r->png, r->info);
    if (!AcceptHeader(r))
        return false;
    png_read_update_info(r->png, r->info);
    const int32_t stride = PictureRowStride(r->bitsPerPixel, kPictureSide);
    if (png_get_rowbytes(r->png, r->info) != static_cast<size_t>(stride)) {
        r->refusal = kBroken;
        return false;
    }
    r->section = CreatePictureSection(r->bitsPerPixel);
    if (r->section == nullptr) {
        r->refusal = kNoInfoStruct;  // no memory for the picture
        return false;
    }
    // Picture row y is stored bottom-up, as in a bitmap section.
    uint8_t* bits = PictureSectionRows(r->section);
    for (int32_t y = 0; y < kPictureSide; ++y) {
        r->rows[y] = bits + static_cast<int64_t>(stride) * (kPictureSide - 1 - y);
    }
    png_read_image(r->png, r->rows);
    png_read_end(r->png, nullptr);
    if (r->bitsPerPixel == 8)
        SetPictureSectionColors(r->section, r->colors);
    return true;
}

}  // namespace

SheetDecode DecodeSheet(const char16_t* path) {
    SheetDecode result{nullptr, false, nullptr};
    PngRead r;
    r.file = FileOpenStream(path, "rb");
    if (r.file == nullptr) {
        result.notFound = true;
        return result;
    }
    // The headers' own version: the library compares it with its own.
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (r.png == nullptr) {
        std::fclose(r.file);
        result.refusal = kNoReadStruct;
        return result;
    }
    r.info = png_create_info_struct(r.png);
    if (r.info == nullptr) {
        png_destroy_read_struct(&r.png, nullptr, nullptr);
        std::fclose(r.file);
        result.refusal = kNoInfoStruct;
        return result;
    }
    const bool decoded = Decode(&r);
    png_destroy_read_struct(&r.png, &r.info, nullptr);
    std::fclose(r.file);
    if (!decoded) {
        DeletePictureSection(r.section);
        result.refusal = r.refusal;
        return result;
    }
    result.section = r.section;
    return result;
}

CLoadTex::CLoadTex(CDx_Gr* g) : graphics(g) {}
CLoadTex::~CLoadTex() = default;

bool CLoadTex::LoadPicture(int32_t slot, const char16_t* path) {
    SheetDecode sheet{TakePreparedPicture(path, slot), false, nullptr};
    if (sheet.section == nullptr)
        sheet = DecodeSheet(path);
    if (sheet.notFound) {
        ShowFileNotFound(path);
        return false;
    }
    if (sheet.section == nullptr) {
        ShowPathMessage(u"Message", path, sheet.refusal);
        return false;
    }
    PictureBits picture;
    if (DescribePictureSection(sheet.section, &picture))
        (void)graphics->CreateTexture5551(slot, &picture);  // failures are not reported
    DeletePictureSection(sheet.section);
    return true;
}
