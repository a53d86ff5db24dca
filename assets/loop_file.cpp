// Loop files: LoopStart and LoopLength of a music track, in sample frames. The layout is
// read as the game always has: comments, the LoopStart line, one line skipped unread,
// comments, the LoopLength line, one line skipped. So a LoopLength line directly after the
// LoopStart line is never seen, which existing loop files rely on being harmless.
#include "assets/load_sound.h"
#include "game/system.h"
#include "platform/message_box.h"
#include "platform/text_lines.h"

namespace {

constexpr int32_t kLineUnits = 80;  // each read takes at most 79 units

// Reads the next line that is not a comment; false at the end of the file.
bool NextNonComment(TextLineFile* f, char16_t (&line)[kLineUnits]) {
    while (TextLinesRead(f, line, kLineUnits)) {
        if (line[0] != u';')
            return true;
    }
    return false;
}

}  // namespace

bool ScanLoopValue(const char16_t* line, const char16_t* key, uint32_t* value) {
    int i = 0;
    for (; key[i] != 0; ++i) {
        if (line[i] != key[i])
            return false;
    }
    // An unsigned scan: white space, an optional sign, digits; a negative number wraps and
    // an overlong one saturates, as the C library's conversion does.
    while (line[i] == u' ' || line[i] == u'\t' || line[i] == u'\n' || line[i] == u'\r' ||
           line[i] == u'\v' || line[i] == u'\f') {
        ++i;
    }
    bool negative = false;
    if (line[i] == u'+' || line[i] == u'-')
        negative = line[i++] == u'-';
    if (line[i] < u'0' || line[i] > u'9')
        return false;
    uint64_t n = 0;
    for (; line[i] >= u'0' && line[i] <= u'9'; ++i) {
        n = n * 10 + static_cast<uint64_t>(line[i] - u'0');
        if (n > 0xFFFFFFFFull)
            n = 0x100000000ull;  // saturated; stays there
    }
    if (n > 0xFFFFFFFFull) {
        *value = 0xFFFFFFFFu;
    } else {
        *value = negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(n))
                          : static_cast<uint32_t>(n);
    }
    return true;
}

bool CLoadSnd::ReadLoopFile(const char16_t* path, int32_t n) {
    TextLineFile* f = TextLinesOpen(path);
    if (f == nullptr) {
        ShowFileNotFound(path);
        return false;
    }
    uint32_t loopStart = 0;
    uint32_t loopLength = 0;
    char16_t line[kLineUnits];
    if (NextNonComment(f, line)) {
        (void)ScanLoopValue(line, u"LoopStart=", &loopStart);
        if (TextLinesRead(f, line, kLineUnits) && NextNonComment(f, line)) {
            (void)ScanLoopValue(line, u"LoopLength=", &loopLength);
        }
    }
    TextLinesClose(f);
    if (n >= 0 && n < kMusicTracks) {
        system->LoopStart[n] = loopStart;
        system->LoopLength[n] = loopLength;
    }
    return true;
}
