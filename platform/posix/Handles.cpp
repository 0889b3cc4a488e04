#include "platform/posix/Handles.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

namespace w32posix {

// A slot's state word: the generation in the high half, the open bit, and the busy bit of the
// one call that has the handle. The object pointer only changes while the slot is closed or
// claimed by CloseHandle, under the table's mutex.
struct HandleSlot {
    std::atomic<std::uint64_t> state{0};
    HandleObject* object = nullptr;
    std::uint32_t nextFree = 0;
};

namespace {

// A handle value is ((generation << kIndexBits) | (slot + 1)) << 2: never 0, a multiple of
// four (so never INVALID_HANDLE_VALUE nor the thread pseudo-handle -2) and below 2^31, like
// the handles Windows gives out.
constexpr unsigned kIndexBits = 16;
constexpr std::uintptr_t kMaxSlots = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uint64_t kGenerationMask = (std::uint64_t{1} << 13) - 1;

constexpr unsigned kGenerationShift = 32;
constexpr std::uint64_t kOpen = 2;
constexpr std::uint64_t kBusy = 1;

// Slots live in chunks that never move, so a look-up can reach its slot without the mutex
// while another thread adds chunks.
constexpr unsigned kChunkBits = 8;
constexpr std::size_t kChunkSize = std::size_t{1} << kChunkBits;
constexpr std::size_t kChunkCount = (kMaxSlots + kChunkSize - 1) / kChunkSize;

// 1-based slot numbers; 0 ends the free list.
struct Table {
    std::mutex mutex;
    std::atomic<HandleSlot*> chunks[kChunkCount] = {};
    std::uint32_t slotsInUse = 0;
    std::uint32_t firstFree = 0;

    ~Table() {
        for (std::uint32_t number = 1; number <= slotsInUse; ++number) {
            HandleSlot& slot = At(number);
            if (slot.state.load(std::memory_order_acquire) & kOpen)
                slot.object->AtExit();
        }
    }

    HandleSlot& At(std::uint32_t number) {
        HandleSlot* chunk = chunks[(number - 1) >> kChunkBits].load(std::memory_order_relaxed);
        return chunk[(number - 1) & (kChunkSize - 1)];
    }

    // A slot number for a new handle, or 0 when the table is full. Called under the mutex.
    std::uint32_t TakeFreeSlot() {
        if (firstFree != 0) {
            std::uint32_t number = firstFree;
            firstFree = At(number).nextFree;
            return number;
        }
        if (slotsInUse == kMaxSlots)
            return 0;
        std::size_t chunk = slotsInUse >> kChunkBits;
        if (!chunks[chunk].load(std::memory_order_relaxed)) {
            // Chunks are never freed: the table lives as long as the program.
            chunks[chunk].store(new HandleSlot[kChunkSize], std::memory_order_release);
        }
        return ++slotsInUse;
    }
};

Table g_table;

HANDLE Encode(std::uint32_t number, std::uint64_t generation) {
    std::uintptr_t value = ((generation << kIndexBits) | number) << 2;
    return reinterpret_cast<HANDLE>(value);
}

// The slot a handle names and the generation it claims, when the value could be one of ours.
HandleSlot* Decode(HANDLE handle, std::uint64_t& generation) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == 0 || (value & 3) != 0)
        return nullptr;
    value >>= 2;
    std::uintptr_t number = value & kMaxSlots;
    generation = value >> kIndexBits;
    if (number == 0 || generation > kGenerationMask)
        return nullptr;
    HandleSlot* chunk = g_table.chunks[(number - 1) >> kChunkBits].load(std::memory_order_acquire);
    return chunk ? &chunk[(number - 1) & (kChunkSize - 1)] : nullptr;
}

}  // namespace

HANDLE AddHandle(HandleOwner<HandleObject> object) {
    std::lock_guard lock(g_table.mutex);
    std::uint32_t number = g_table.TakeFreeSlot();
    if (number == 0) {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return nullptr;
    }
    HandleSlot& slot = g_table.At(number);
    std::uint64_t generation = slot.state.load(std::memory_order_relaxed) >> kGenerationShift;
    slot.object = object.release();
    slot.state.store((generation << kGenerationShift) | kOpen, std::memory_order_release);
    return Encode(number, generation);
}

HandleObject* AcquireHandle(HANDLE handle, HandleKind kind, HandleSlot*& slot) {
    std::uint64_t generation = 0;
    slot = Decode(handle, generation);
    if (!slot)
        return nullptr;
    std::uint64_t state = slot->state.load(std::memory_order_relaxed);
    for (;;) {
        if ((state >> kGenerationShift) != generation || !(state & kOpen))
            return nullptr;
        if (state & kBusy) {
            std::this_thread::yield();
            state = slot->state.load(std::memory_order_relaxed);
        } else if (slot->state.compare_exchange_weak(state, state | kBusy,
                                                     std::memory_order_acquire,
                                                     std::memory_order_relaxed)) {
            break;
        }
    }
    HandleObject* object = slot->object;
    if (object->kind != kind) {
        ReleaseHandle(slot);
        return nullptr;
    }
    return object;
}

void ReleaseHandle(HandleSlot* slot) {
    // Nobody else changes a claimed slot, so a plain store gives it back.
    std::uint64_t state = slot->state.load(std::memory_order_relaxed);
    slot->state.store(state & ~kBusy, std::memory_order_release);
}

HandleOwner<HandleObject> RemoveHandle(HANDLE handle, HandleKind kind) {
    HandleSlot* slot = nullptr;
    HandleObject* object = AcquireHandle(handle, kind, slot);
    if (!object)
        return nullptr;
    std::uint64_t state = slot->state.load(std::memory_order_relaxed);
    std::uint64_t generation = ((state >> kGenerationShift) + 1) & kGenerationMask;
    auto number =
        static_cast<std::uint32_t>((reinterpret_cast<std::uintptr_t>(handle) >> 2) & kMaxSlots);
    std::lock_guard lock(g_table.mutex);
    slot->object = nullptr;
    slot->state.store(generation << kGenerationShift, std::memory_order_release);
    slot->nextFree = g_table.firstFree;
    g_table.firstFree = number;
    return HandleOwner<HandleObject>(object);
}

}  // namespace w32posix
