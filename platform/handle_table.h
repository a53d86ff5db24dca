// The small integer handles of the Windows seams (files, WAVE streams): indices into a fixed
// table of the system's handles, shared by the main thread and the music streaming thread
// under one lock. An empty entry holds a null handle; -1 names no entry.
#pragma once

#include <cstdint>
#include <mutex>

template <class Handle, int32_t Entries>
struct HandleTable {
    std::mutex lock;
    Handle handles[Entries] = {};

    // The entry now holding h, or -1 when the table is full.
    [[nodiscard]] int32_t Claim(Handle h) {
        std::lock_guard<std::mutex> guard(lock);
        for (int32_t i = 0; i < Entries; ++i) {
            if (handles[i] == nullptr) {
                handles[i] = h;
                return i;
            }
        }
        return -1;
    }

    [[nodiscard]] Handle Lookup(int32_t entry) {
        if (entry < 0 || entry >= Entries)
            return nullptr;
        std::lock_guard<std::mutex> guard(lock);
        return handles[entry];
    }

    // Empties the entry; returns what it held, for the caller to close.
    [[nodiscard]] Handle Release(int32_t entry) {
        if (entry < 0 || entry >= Entries)
            return nullptr;
        std::lock_guard<std::mutex> guard(lock);
        Handle h = handles[entry];
        handles[entry] = nullptr;
        return h;
    }
};
