// The effect prefetch: one thread reads the sound list and decodes the 32 Ogg Vorbis effects
// it names. The thread touches only this file's tables and the files. Each effect is claimed
// by one decoder: when the main thread comes for the effects before the thread is through, it
// decodes the unclaimed ones beside it rather than wait; it reads the tables only after
// joining the thread.
#include "audio/effect_prefetch.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "audio/audio.h"
#include "audio/ogg_effect.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "platform/path16.h"
#include "platform/process_ids.h"

namespace {

struct PreparedEffect {
    char16_t path[kPathUnits];
    uint8_t* data;
    int32_t bytes;
};

std::thread theThread;
char16_t theDataPath[kPathUnits];
char16_t theNames[kSoundNames][kNameUnits];
PreparedEffect thePrepared[kEffects];
OggEffectSetup theSetup;        // the prefetch thread's own
OggEffectSetup theHelperSetup;  // the main thread's own
std::atomic<bool> theListRead{false};
std::atomic<int32_t> theNextEffect{0};  // the first effect no decoder has claimed

bool DataFile(const char16_t* name, char16_t (&path)[kPathUnits]) {
    return TextCopy(path, kPathUnits, theDataPath) && TextAppend(path, kPathUnits, name);
}

void Prepare(int32_t n, OggEffectSetup& setup) {
    PreparedEffect& e = thePrepared[n];
    if (!DataFile(theNames[kFirstEffectName + n], e.path))
        return;
    auto* data = new uint8_t[kOggEffectBytes];
    int32_t bytes = 0;
    if (DecodeOggEffect(e.path, data, &bytes, &setup) == kOggEffectDecoded && bytes > 0) {
        e.data = data;
        e.bytes = bytes;
    } else {
        delete[] data;
    }
}

void DecodeUnclaimed(OggEffectSetup& setup) {
    for (int32_t n = theNextEffect.fetch_add(1); n < kEffects; n = theNextEffect.fetch_add(1))
        Prepare(n, setup);
    ReleaseOggEffectSetup(setup);
}

void Prefetch() {
    NameCurrentThread("effects");
    char16_t listPath[kPathUnits];
    if (!DataFile(u"ogg\\ogg_0000.txt", listPath) ||
        !ReadNameList(listPath, theNames, kSoundNames)) {
        return;
    }
    theListRead.store(true, std::memory_order_release);
    DecodeUnclaimed(theSetup);
}

}  // namespace

void StartEffectPrefetch(const System& system) {
    if (theThread.joinable() || system.audioMode != kAudioOgg || system.audioUnavailable != 0 ||
        FileFaultsInjected() || !TextCopy(theDataPath, kPathUnits, system.dataPath)) {
        return;
    }
    theListRead.store(false);
    theNextEffect.store(0);
    // std::thread reports a failure to start only by throwing: then the loader decodes all.
    try {
        theThread = std::thread(Prefetch);
    } catch (const std::system_error&) {
    }
}

void FinishEffectPrefetch() {
    if (!theThread.joinable())
        return;
    if (theListRead.load(std::memory_order_acquire))
        DecodeUnclaimed(theHelperSetup);
    theThread.join();
}

uint8_t* TakePreparedEffect(const char16_t* path, int32_t n, int32_t* bytes) {
    FinishEffectPrefetch();
    if (n < 0 || n >= kEffects)
        return nullptr;
    PreparedEffect& e = thePrepared[n];
    if (e.data == nullptr || !TextEquals(e.path, path, kPathUnits))
        return nullptr;
    uint8_t* data = e.data;
    *bytes = e.bytes;
    e.data = nullptr;
    return data;
}

void DiscardPreparedEffects() {
    FinishEffectPrefetch();
    for (PreparedEffect& e : thePrepared) {
        delete[] e.data;
        e.data = nullptr;
    }
}
