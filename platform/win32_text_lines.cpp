// The line reader on Windows: the C runtime's Unicode text mode ("rt,ccs=UNICODE"), which
// picks UTF-16LE or UTF-8 by the byte-order mark and turns CR LF into LF, read with fgetws.
#include <cstdio>
#include <cwchar>

#include "platform/path16.h"
#include "platform/text_lines.h"

struct TextLineFile {
    std::FILE* stream;
};

namespace {

TextLineFile theFile;  // the game never has two loop files open at once

}  // namespace

TextLineFile* TextLinesOpen(const char16_t* path) {
    if (theFile.stream != nullptr)
        return nullptr;
    char16_t copy[kPathUnits];
    if (!TextCopy(copy, kPathUnits, path) || copy[0] == 0)
        return nullptr;
    wchar_t wide[kPathUnits];
    for (int i = 0; i < kPathUnits; ++i) wide[i] = static_cast<wchar_t>(copy[i]);
    theFile.stream = _wfopen(wide, L"rt,ccs=UNICODE");
    return theFile.stream != nullptr ? &theFile : nullptr;
}

bool TextLinesRead(TextLineFile* file, char16_t* line, int32_t capacity) {
    if (file == nullptr || file->stream == nullptr || capacity <= 0)
        return false;
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");
    auto* wide = reinterpret_cast<wchar_t*>(line);
    if (capacity == 1 || std::fgetws(wide, capacity, file->stream) == nullptr) {
        line[0] = 0;
        return false;
    }
    return line[0] != 0;
}

void TextLinesClose(TextLineFile* file) {
    if (file != nullptr && file->stream != nullptr) {
        std::fclose(file->stream);
        file->stream = nullptr;
    }
}
