// UTF-16 text helpers shared by both platforms: bounded copies and UTF-8 conversion.
#include "platform/path16.h"

#include <climits>

namespace {

bool IsSeparator(char16_t c) {
    return c == u'/' || c == u'\\';
}

// Reads one code point from UTF-16 text; advances i. Unpaired surrogates become U+FFFD.
uint32_t NextCodePoint(const char16_t* text, int length, int& i) {
    uint32_t c = text[i++];
    if (c >= 0xD800 && c <= 0xDBFF) {
        if (i < length && text[i] >= 0xDC00 && text[i] <= 0xDFFF) {
            uint32_t low = text[i++];
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        return 0xFFFD;
    }
    if (c >= 0xDC00 && c <= 0xDFFF)
        return 0xFFFD;
    return c;
}

// Reads one code point from UTF-8 text; advances i. A byte that starts no sequence, a
// sequence cut short, and one that decodes to a surrogate, to more than U+10FFFF or to a
// longer form than its code point needs become U+FFFD, so the UTF-16 written from it always
// pairs correctly and no character hides behind another's bytes.
uint32_t NextUtf8CodePoint(const unsigned char* s, size_t& i) {
    uint32_t c = s[i++];
    int extra = 0;
    uint32_t least = 0;  // the smallest code point that needs this many bytes
    if (c < 0x80) {
        return c;
    } else if (c >= 0xF0 && c < 0xF8) {
        c &= 0x07;
        extra = 3;
        least = 0x10000;
    } else if (c >= 0xE0 && c < 0xF0) {
        c &= 0x0F;
        extra = 2;
        least = 0x800;
    } else if (c >= 0xC0 && c < 0xE0) {
        c &= 0x1F;
        extra = 1;
        least = 0x80;
    } else {
        return 0xFFFD;  // a stray continuation byte, or 0xF8 to 0xFF, which start nothing
    }
    for (int k = 0; k < extra; ++k) {
        if ((s[i] & 0xC0) != 0x80)
            return 0xFFFD;  // the byte that broke the sequence is read again on its own
        c = (c << 6) | (s[i] & 0x3F);
        ++i;
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0xFFFD;
    return c;
}

// Writes one code point as UTF-8 if it fits; returns the bytes written (0 if not).
size_t PutUtf8(char* dst, size_t room, uint32_t c) {
    unsigned char b[4];
    size_t n;
    if (c < 0x80) {
        b[0] = static_cast<unsigned char>(c);
        n = 1;
    } else if (c < 0x800) {
        b[0] = static_cast<unsigned char>(0xC0 | (c >> 6));
        b[1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        n = 2;
    } else if (c < 0x10000) {
        b[0] = static_cast<unsigned char>(0xE0 | (c >> 12));
        b[1] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        b[2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        n = 3;
    } else {
        b[0] = static_cast<unsigned char>(0xF0 | (c >> 18));
        b[1] = static_cast<unsigned char>(0x80 | ((c >> 12) & 0x3F));
        b[2] = static_cast<unsigned char>(0x80 | ((c >> 6) & 0x3F));
        b[3] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        n = 4;
    }
    if (n > room)
        return 0;
    for (size_t k = 0; k < n; ++k) dst[k] = static_cast<char>(b[k]);
    return n;
}

// Converts UTF-16 to UTF-8, looking at no more than units units of text; returns false
// when cut. mapSeparators turns '\' into '/'.
bool ToUtf8(char* dst, size_t capacity, const char16_t* text, int units, bool mapSeparators) {
    if (capacity == 0)
        return false;
    int length = 0;
    while (length < units && text[length] != 0) ++length;
    size_t out = 0;
    int i = 0;
    while (i < length) {
        uint32_t c = NextCodePoint(text, length, i);
        if (mapSeparators && c == u'\\')
            c = u'/';
        size_t n = PutUtf8(dst + out, capacity - 1 - out, c);
        if (n == 0) {
            dst[out] = 0;
            return false;
        }
        out += n;
    }
    dst[out] = 0;
    return true;
}

}  // namespace

int TextLength(const char16_t* text, int capacity) {
    int n = 0;
    while (n < capacity && text[n] != 0) ++n;
    return n;
}

bool TextEquals(const char16_t* a, const char16_t* b, int capacity) {
    for (int i = 0; i < capacity; ++i) {
        if (a[i] != b[i])
            return false;
        if (a[i] == 0)
            return true;
    }
    return false;
}

bool TextCopy(char16_t* dst, int capacity, const char16_t* src) {
    if (capacity <= 0)
        return false;
    dst[0] = 0;
    return TextAppend(dst, capacity, src);
}

bool TextAppend(char16_t* dst, int capacity, const char16_t* src) {
    if (capacity <= 0)
        return false;
    int at = TextLength(dst, capacity);
    if (at == capacity) {  // no terminator inside the buffer: repair it, the text is cut
        dst[capacity - 1] = 0;
        return false;
    }
    int k = 0;
    while (src[k] != 0) {
        if (at == capacity - 1) {
            dst[at] = 0;
            return false;
        }
        dst[at++] = src[k++];
    }
    dst[at] = 0;
    return true;
}

bool TextAppendUtf8(char16_t* dst, int capacity, const char* src) {
    char16_t converted[kPathUnits];
    bool whole = TextFromUtf8(converted, kPathUnits, src);
    return TextAppend(dst, capacity, converted) && whole;
}

// A path lives in a buffer of kPathUnits units: one with no zero inside that is no path.
bool PathToNative(char* dst, size_t capacity, const char16_t* path) {
    if (TextLength(path, kPathUnits) < kPathUnits && ToUtf8(dst, capacity, path, kPathUnits, true))
        return true;
    if (capacity > 0)
        dst[0] = 0;
    return false;
}

// Every unit takes at least one byte, so a text of capacity units or more is cut whatever
// follows: no unit past that needs to be read.
void TextToUtf8(char* dst, size_t capacity, const char16_t* text) {
    const int units = capacity < size_t{INT_MAX} ? static_cast<int>(capacity) : INT_MAX;
    ToUtf8(dst, capacity, text, units, false);
}

bool TextFromUtf8(char16_t* dst, int capacity, const char* src) {
    if (capacity <= 0)
        return false;
    const auto* s = reinterpret_cast<const unsigned char*>(src);
    int out = 0;
    size_t i = 0;
    while (s[i] != 0) {
        uint32_t c = NextUtf8CodePoint(s, i);
        int units = c >= 0x10000 ? 2 : 1;
        if (out + units > capacity - 1) {
            dst[out] = 0;
            return false;
        }
        if (units == 2) {
            c -= 0x10000;
            dst[out++] = static_cast<char16_t>(0xD800 + (c >> 10));
            dst[out++] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            dst[out++] = static_cast<char16_t>(c);
        }
    }
    dst[out] = 0;
    return true;
}

void PathCanonicalize(char16_t* path, int capacity) {
    int length = TextLength(path, capacity);
    if (length == capacity)
        path[--length] = 0;
    int out = 0;
    int i = 0;
    while (i < length) {
        // Copy one segment with its separator, then look at what was copied.
        int segmentStart = out;
        while (i < length && !IsSeparator(path[i])) path[out++] = path[i++];
        int segmentLength = out - segmentStart;
        bool hasSeparator = i < length;
        char16_t separator = hasSeparator ? path[i++] : 0;
        const char16_t* seg = path + segmentStart;
        if (segmentLength == 1 && seg[0] == u'.') {
            out = segmentStart;  // "." names the folder itself
            continue;
        }
        if (segmentLength == 2 && seg[0] == u'.' && seg[1] == u'.') {
            out = segmentStart;
            // Step back over the previous separator and segment, but never past the root.
            if (out > 1) {
                int back = out - 1;
                while (back > 0 && !IsSeparator(path[back - 1])) --back;
                out = back;
            }
            continue;
        }
        if (hasSeparator)
            path[out++] = separator;
    }
    path[out] = 0;
}

void PathKeepFolder(char16_t* path, int capacity) {
    int length = TextLength(path, capacity);
    while (length > 0 && !IsSeparator(path[length - 1])) --length;
    for (int k = length; k < capacity; ++k) path[k] = 0;
}
