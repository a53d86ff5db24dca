// The transparent-texel bitmap of each picture slot and the test of a sampled area against it.
#include "render/sheet_coverage.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int32_t kWords = kPictureSide / 64;

int32_t Wrapped(int32_t k) {
    return ((k % kPictureSide) + kPictureSide) % kPictureSide;
}

// Columns first..first+count-1 of one row all opaque (all transparent when `transparent`),
// count at most the sheet's side and no wrap.
bool RowAlike(const uint64_t* row, int32_t first, int32_t count, bool transparent) {
    int32_t x = first;
    const int32_t end = first + count;
    while (x < end) {
        const int32_t word = x / 64;
        const int32_t bit = x % 64;
        const int32_t bits = end - x < 64 - bit ? end - x : 64 - bit;
        const uint64_t mask = (bits == 64 ? ~uint64_t{0} : ((uint64_t{1} << bits) - 1)) << bit;
        if ((row[word] & mask) != (transparent ? mask : 0))
            return false;
        x += bits;
    }
    return true;
}

// A span wrapped into the sheet: one or two runs of columns (or rows).
struct Runs {
    int32_t first[2];
    int32_t count[2];
    int32_t n;
};

Runs Wrap(TexelSpan s) {
    if (s.count >= kPictureSide)
        return Runs{{0, 0}, {kPictureSide, 0}, 1};
    const int32_t start = Wrapped(s.first);
    if (start + s.count <= kPictureSide)
        return Runs{{start, 0}, {s.count, 0}, 1};
    return Runs{{start, 0}, {kPictureSide - start, start + s.count - kPictureSide}, 2};
}

}  // namespace

namespace {

// Bit k set where texel k of the 64 is transparent (its top bit clear).
uint64_t TransparentBits(const uint16_t* t) {
#if defined(__SSE2__)
    // Sixteen texels at a time: packing keeps each one's sign, and the sign is the top bit.
    uint64_t opaque = 0;
    for (int32_t k = 0; k < 64; k += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + k + 8));
        const auto signs = static_cast<uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
        opaque |= static_cast<uint64_t>(signs) << k;
    }
    return ~opaque;
#else
    uint64_t bits = 0;
    for (int32_t k = 0; k < 64; ++k) bits |= static_cast<uint64_t>((t[k] & 0x8000u) == 0) << k;
    return bits;
#endif
}

}  // namespace

void NoteSheetTexels(SheetCoverage& coverage, int32_t slot, const uint16_t* texels) {
    if (slot < 0 || slot >= kPictureSlots)
        return;
    for (int32_t y = 0; y < kPictureSide; ++y) {
        uint64_t* row = coverage.transparent[slot][y];
        for (int32_t w = 0; w < kWords; ++w)
            row[w] = TransparentBits(texels + static_cast<int64_t>(y) * kPictureSide + 64 * w);
    }
    coverage.loaded[slot] = true;
}

void ForgetSheet(SheetCoverage& coverage, int32_t slot) {
    if (slot < 0 || slot >= kPictureSlots)
        return;
    coverage.loaded[slot] = false;
}

namespace {

bool AllTexels(const SheetCoverage& coverage, int32_t picture, TexelSpan columns, TexelSpan rows,
               bool transparent) {
    if (columns.count <= 0 || rows.count <= 0)
        return false;
    const Runs across = Wrap(columns);
    const Runs down = Wrap(rows);
    for (int32_t d = 0; d < down.n; ++d) {
        for (int32_t y = down.first[d]; y < down.first[d] + down.count[d]; ++y) {
            const uint64_t* row = coverage.transparent[picture][y];
            for (int32_t a = 0; a < across.n; ++a) {
                if (!RowAlike(row, across.first[a], across.count[a], transparent))
                    return false;
            }
        }
    }
    return true;
}

bool Loaded(const SheetCoverage& coverage, int32_t picture) {
    return picture >= 0 && picture < kPictureSlots && coverage.loaded[picture];
}

}  // namespace

bool OpaqueTexels(const SheetCoverage& coverage, int32_t picture, TexelSpan columns,
                  TexelSpan rows) {
    return !Loaded(coverage, picture) || AllTexels(coverage, picture, columns, rows, false);
}

bool TransparentTexels(const SheetCoverage& coverage, int32_t picture, TexelSpan columns,
                       TexelSpan rows) {
    return Loaded(coverage, picture) && AllTexels(coverage, picture, columns, rows, true);
}
