// The line reader on POSIX systems: the whole file is small (a loop file is a few lines), so
// it is read into a fixed buffer once and decoded line by line from there.
#include <cstring>

#include "platform/files.h"
#include "platform/text_lines.h"

namespace {

constexpr int64_t kMaxBytes = 64 * 1024;  // larger text files are read to this length

enum class Encoding { Latin1, Utf8, Utf16 };

}  // namespace

struct TextLineFile {
    uint8_t bytes[kMaxBytes];
    int64_t size = 0;
    int64_t at = 0;
    Encoding encoding = Encoding::Latin1;
    bool inUse = false;
};

namespace {

TextLineFile theFile;  // the game never has two loop files open at once

// Decodes the next character; returns false at the end.
bool NextUnit(TextLineFile& f, char16_t& out) {
    if (f.at >= f.size)
        return false;
    if (f.encoding == Encoding::Utf16) {
        if (f.at + 1 >= f.size) {  // an odd last byte is dropped
            f.at = f.size;
            return false;
        }
        out = static_cast<char16_t>(f.bytes[f.at] | (f.bytes[f.at + 1] << 8));
        f.at += 2;
        return true;
    }
    uint32_t c = f.bytes[f.at++];
    if (f.encoding == Encoding::Utf8 && c >= 0x80) {
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        c &= extra == 3 ? 0x07 : extra == 2 ? 0x0F : 0x1F;
        for (int k = 0; k < extra && f.at < f.size && (f.bytes[f.at] & 0xC0) == 0x80; ++k) {
            c = (c << 6) | (f.bytes[f.at++] & 0x3F);
        }
        if (extra == 0 || c > 0xFFFF)
            c = 0xFFFD;  // stray byte, or beyond what one unit holds
    }
    out = static_cast<char16_t>(c);
    return true;
}

}  // namespace

TextLineFile* TextLinesOpen(const char16_t* path) {
    if (theFile.inUse)
        return nullptr;
    int32_t fd = FileOpenPath(path, FileOpen::ReadExisting);
    if (fd < 0)
        return nullptr;
    TextLineFile& f = theFile;
    int64_t got = FileRead(fd, f.bytes, kMaxBytes);
    FileClose(fd);
    f.size = got > 0 ? got : 0;
    f.at = 0;
    f.encoding = Encoding::Latin1;
    if (f.size >= 2 && f.bytes[0] == 0xFF && f.bytes[1] == 0xFE) {
        f.encoding = Encoding::Utf16;
        f.at = 2;
    } else if (f.size >= 3 && f.bytes[0] == 0xEF && f.bytes[1] == 0xBB && f.bytes[2] == 0xBF) {
        f.encoding = Encoding::Utf8;
        f.at = 3;
    }
    f.inUse = true;
    return &f;
}

bool TextLinesRead(TextLineFile* file, char16_t* line, int32_t capacity) {
    if (file == nullptr || capacity <= 0)
        return false;
    int32_t n = 0;
    char16_t c = 0;
    while (n < capacity - 1 && NextUnit(*file, c)) {
        if (c == u'\r') {
            // Text mode: CR LF is read as LF.
            int64_t mark = file->at;
            char16_t next = 0;
            if (NextUnit(*file, next) && next == u'\n') {
                c = u'\n';
            } else {
                file->at = mark;
            }
        }
        line[n++] = c;
        if (c == u'\n')
            break;
    }
    line[n] = 0;
    return n > 0;
}

void TextLinesClose(TextLineFile* file) {
    if (file != nullptr)
        file->inUse = false;
}
