// The picture prefetch: one thread reads the picture list and decodes the eight sheets it
// names first, slot by slot. Each slot is claimed once, by the thread or by the picture pass;
// the thread touches only this file's tables and the files, and a slot's table entry is read
// by the main thread only after the thread has marked it done.
#include "assets/picture_prefetch.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "assets/picture_section.h"
#include "assets/pictures.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "platform/path16.h"
#include "platform/process_ids.h"

namespace {

enum SlotState : int32_t { kUnclaimed, kDecoding, kDone };

struct PreparedPicture {
    char16_t path[kPathUnits];
    PictureSection* section;
    std::atomic<int32_t> state;
};

std::thread theThread;
bool theStarted = false;  // from the start until the discard, joined or not
char16_t theDataPath[kPathUnits];
char16_t theNames[kLoadedPictures][kNameUnits];
PreparedPicture thePrepared[kLoadedPictures];

void Prepare(PreparedPicture& p, const char16_t* name) {
    if (TextCopy(p.path, kPathUnits, theDataPath) && TextAppend(p.path, kPathUnits, name))
        p.section = DecodeSheet(p.path).section;  // a failure is the pass's to decode and tell
    p.state.store(kDone, std::memory_order_release);
}

void Prefetch() {
    NameCurrentThread("pictures");
    char16_t listPath[kPathUnits];
    if (!TextCopy(listPath, kPathUnits, theDataPath) ||
        !TextAppend(listPath, kPathUnits, u"grp\\grp_0003.txt") ||
        !ReadNameList(listPath, theNames, kLoadedPictures)) {
        return;
    }
    for (int32_t slot = 0; slot < kLoadedPictures; ++slot) {
        int32_t unclaimed = kUnclaimed;
        if (thePrepared[slot].state.compare_exchange_strong(unclaimed, kDecoding))
            Prepare(thePrepared[slot], theNames[slot]);
    }
}

}  // namespace

void StartPicturePrefetch(const System& system) {
    if (theStarted || FileFaultsInjected() || !TextCopy(theDataPath, kPathUnits, system.dataPath)) {
        return;
    }
    for (PreparedPicture& p : thePrepared) {
        p.section = nullptr;
        p.state.store(kUnclaimed);
    }
    for (auto& name : theNames) name[0] = 0;
    // std::thread reports a failure to start only by throwing: then the pass decodes all.
    try {
        theThread = std::thread(Prefetch);
        theStarted = true;
    } catch (const std::system_error&) {
    }
}

PictureSection* TakePreparedPicture(const char16_t* path, int32_t slot) {
    if (!theStarted || slot < 0 || slot >= kLoadedPictures)
        return nullptr;
    PreparedPicture& p = thePrepared[slot];
    int32_t state = kUnclaimed;
    if (p.state.compare_exchange_strong(state, kDone))
        return nullptr;  // not reached: the pass decodes it
    // A sheet takes a few milliseconds: the wait gives the processor to the thread meanwhile.
    while (p.state.load(std::memory_order_acquire) != kDone) std::this_thread::yield();
    if (p.section == nullptr || !TextEquals(p.path, path, kPathUnits))
        return nullptr;
    PictureSection* section = p.section;
    p.section = nullptr;
    return section;
}

void FinishPicturePrefetch() {
    if (theThread.joinable())
        theThread.join();
}

void DiscardPreparedPictures() {
    FinishPicturePrefetch();
    theStarted = false;
    for (PreparedPicture& p : thePrepared) {
        if (p.section != nullptr)
            DeletePictureSection(p.section);
        p.section = nullptr;
    }
}
