// Little-endian numbers in byte buffers, assembled byte by byte. Reads check their range
// against the bytes actually there (in 64-bit arithmetic) and yield zero outside it, so no
// offset taken from a file can reach past the buffer.
#pragma once

#include <cstdint>
#include <cstring>

struct ByteView {
    const uint8_t* data;
    int64_t size;

    [[nodiscard]] uint8_t U8(int64_t at) const { return at >= 0 && at < size ? data[at] : 0; }
    [[nodiscard]] uint16_t U16(int64_t at) const {
        return static_cast<uint16_t>(U8(at) | (U8(at + 1) << 8));
    }
    [[nodiscard]] uint32_t U32(int64_t at) const {
        return static_cast<uint32_t>(U8(at)) | (static_cast<uint32_t>(U8(at + 1)) << 8) |
               (static_cast<uint32_t>(U8(at + 2)) << 16) |
               (static_cast<uint32_t>(U8(at + 3)) << 24);
    }
    [[nodiscard]] int32_t I32(int64_t at) const { return static_cast<int32_t>(U32(at)); }
    [[nodiscard]] float F32(int64_t at) const {
        uint32_t bits = U32(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
};

// Writes into a fixed buffer; writes outside it are dropped.
struct ByteSink {
    uint8_t* data;
    int64_t size;

    void U8(int64_t at, uint8_t v) const {
        if (at >= 0 && at < size)
            data[at] = v;
    }
    void U32(int64_t at, uint32_t v) const {
        for (int k = 0; k < 4; ++k) U8(at + k, static_cast<uint8_t>(v >> (8 * k)));
    }
    void I32(int64_t at, int32_t v) const { U32(at, static_cast<uint32_t>(v)); }
    void F32(int64_t at, float f) const {
        uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        U32(at, bits);
    }
};
