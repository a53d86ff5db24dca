// The trace's output: text gathered in one fixed buffer and handed to the stream in large
// pieces, with numbers formatted by hand, so that printing a frame allocates nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class TraceWriter {
public:
    explicit TraceWriter(std::FILE* out) : out(out) {}
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;

    void Char(char c) {
        Ensure(1);
        buffer[used++] = c;
    }
    void Text(const char* text);
    void Int(int64_t value);
    void UInt(uint64_t value);
    // The shortest form that reads back as the same float: %.9g, integers without a point.
    void Float(float value);

    // Hands everything gathered so far to the stream.
    void Flush();
    // True once any write to the stream has failed.
    [[nodiscard]] bool Failed() const { return failed; }

private:
    static constexpr size_t kCapacity = 1 << 16;
    void Ensure(size_t n) {
        if (used + n > kCapacity)
            Flush();
    }

    std::FILE* out;
    size_t used = 0;
    bool failed = false;
    char buffer[kCapacity];
};
