// A cleanup frame: the releases a function registers while it builds
// something, run by the runtime when the function returns. Failure kinds run
// only when the frame closes with a negative status; "always" kinds on every
// exit. Use it as
//
//     CleanupFrame<2> frame;
//     ...
//     frame.freeOnFailure(&record->array);
//     ...
//     if (status < 0) return frame.close(status);
//     return frame.close(0);
//
// A frame that goes out of scope unclosed closes itself with status 0, so no
// return path can skip the runtime.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/check.hpp"
#include "csys_runtime.h"

namespace cclp {

template <size_t Capacity>
class CleanupFrame {
    static_assert(Capacity >= 1 && Capacity <= 3, "a cleanup frame holds 1 to 3 entries");

public:
    CleanupFrame() : tag_(csys_cleanup_getNextTag()) {}
    CleanupFrame(const CleanupFrame&) = delete;
    CleanupFrame& operator=(const CleanupFrame&) = delete;
    ~CleanupFrame() {
        if (!closed_) close(0);
    }

    // Kind 33: free the block held in *pointer if the frame closes failing.
    template <class T>
    void freeOnFailure(T** pointer) {
        add(CSYS_CLEANUP_FREE_ON_FAILURE, static_cast<void*>(pointer), freeFunction());
    }
    // Kind 49: free the block held in *pointer on every exit.
    template <class T>
    void freeAlways(T** pointer) {
        add(CSYS_CLEANUP_FREE_ALWAYS, static_cast<void*>(pointer), freeFunction());
    }
    // Kind 34: destruct the object if the frame closes failing.
    template <class T>
    void destructOnFailure(T* object, int32_t (*destruct)(T*)) {
        add(CSYS_CLEANUP_DESTRUCT_ON_FAILURE, static_cast<void*>(object), asCleanup(destruct));
    }
    // Kind 50: destruct the object on every exit.
    template <class T>
    void destructAlways(T* object, int32_t (*destruct)(T*)) {
        add(CSYS_CLEANUP_DESTRUCT_ALWAYS, static_cast<void*>(object), asCleanup(destruct));
    }

    // Runs the due entries, last registered first, and returns status.
    int32_t close(int32_t status) {
        CCLP_ASSERT(count_ >= 0 && count_ <= kCapacity);
        status_ = status;
        closed_ = true;
        csys_cleanupExecute_(entries_, &count_, &status_, tag_);
        return status_;
    }

private:
    template <class T>
    static csys_cleanupFunction asCleanup(int32_t (*function)(T*)) {
        return reinterpret_cast<csys_cleanupFunction>(function);
    }
    static csys_cleanupFunction freeFunction() { return asCleanup(&csys_memory_free_internal); }

    void add(uint32_t kind, void* target, csys_cleanupFunction function) {
        CCLP_ASSERT(count_ >= 0 && count_ < kCapacity);
        if (count_ < 0 || count_ >= kCapacity) return;
        entries_[static_cast<size_t>(count_)] = csys_cleanupEntry{sequence_, kind, target, function};
        ++count_;
        sequence_ = sequence_ >= 0xFFFFFFFEu ? 0u : sequence_ + 1u;
    }

    csys_cleanupEntry entries_[Capacity] = {};
    static constexpr int32_t kCapacity = static_cast<int32_t>(Capacity);
    int32_t count_ = 0;
    int32_t status_ = 0;
    uint32_t tag_;
    uint32_t sequence_ = 0;
    bool closed_ = false;
};

}  // namespace cclp
