// Number formatting for the trace output.
#include "tools/trace/trace_writer.h"

#include <cmath>
#include <cstring>

void TraceWriter::Text(const char* text) {
    const size_t n = std::strlen(text);
    if (n > kCapacity) {
        Flush();
        if (std::fwrite(text, 1, n, out) != n)
            failed = true;
        return;
    }
    Ensure(n);
    std::memcpy(buffer + used, text, n);
    used += n;
}

void TraceWriter::UInt(uint64_t value) {
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    Ensure(static_cast<size_t>(n));
    while (n > 0) buffer[used++] = digits[--n];
}

void TraceWriter::Int(int64_t value) {
    if (value < 0) {
        Char('-');
        UInt(0 - static_cast<uint64_t>(value));
    } else {
        UInt(static_cast<uint64_t>(value));
    }
}

void TraceWriter::Float(float value) {
    // Whole numbers below 2^24 print the same under %.9g; they are nearly all the floats
    // a frame has (scales and pivots), so they skip the general formatter.
    if (value == std::trunc(value) && std::fabs(value) < 16777216.0f) {
        if (value == 0.0f && std::signbit(value)) {
            Text("-0");
        } else {
            Int(static_cast<int64_t>(value));
        }
        return;
    }
    if (!std::isfinite(value)) {
        Text("null");  // JSON has no infinities; nothing the scenes submit is one
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    Text(text);
}

void TraceWriter::Flush() {
    if (used != 0 && std::fwrite(buffer, 1, used, out) != used)
        failed = true;
    used = 0;
    if (std::fflush(out) != 0)
        failed = true;
}
