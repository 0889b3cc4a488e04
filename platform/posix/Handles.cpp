#include "platform/posix/Handles.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace w32posix {
namespace {

// A handle value is ((generation << kIndexBits) | (slot + 1)) << 2: never 0, a multiple of
// four (so never INVALID_HANDLE_VALUE nor the thread pseudo-handle -2) and below 2^31, like
// the handles Windows gives out.
constexpr unsigned kIndexBits = 16;
constexpr std::uintptr_t kMaxSlots = (std::uintptr_t{1} << kIndexBits) - 1;
constexpr std::uintptr_t kGenerationMask = (std::uintptr_t{1} << 13) - 1;

struct Slot {
    std::shared_ptr<HandleObject> object;
    std::uintptr_t generation = 0;
};

std::mutex g_mutex;
std::vector<Slot> g_slots;
std::vector<std::size_t> g_freeSlots;

HANDLE Encode(std::size_t index, std::uintptr_t generation) {
    std::uintptr_t value = ((generation << kIndexBits) | (index + 1)) << 2;
    return reinterpret_cast<HANDLE>(value);
}

// The slot a handle names, when the handle is one this table gave out and is still open.
Slot* Decode(HANDLE handle) {
    auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (value == 0 || (value & 3) != 0)
        return nullptr;
    value >>= 2;
    std::uintptr_t index = value & kMaxSlots;
    std::uintptr_t generation = value >> kIndexBits;
    if (index == 0 || index > g_slots.size())
        return nullptr;
    Slot& slot = g_slots[index - 1];
    if (!slot.object || slot.generation != generation)
        return nullptr;
    return &slot;
}

}  // namespace

HANDLE AddHandle(std::shared_ptr<HandleObject> object) {
    std::lock_guard lock(g_mutex);
    std::size_t index;
    if (!g_freeSlots.empty()) {
        index = g_freeSlots.back();
        g_freeSlots.pop_back();
    } else if (g_slots.size() < kMaxSlots) {
        index = g_slots.size();
        g_slots.emplace_back();
    } else {
        SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return nullptr;
    }
    Slot& slot = g_slots[index];
    slot.object = std::move(object);
    return Encode(index, slot.generation);
}

std::shared_ptr<HandleObject> LookupHandle(HANDLE handle, const std::type_info& kind) {
    std::lock_guard lock(g_mutex);
    Slot* slot = Decode(handle);
    if (!slot || typeid(*slot->object) != kind)
        return nullptr;
    return slot->object;
}

std::shared_ptr<HandleObject> RemoveHandle(HANDLE handle, const std::type_info& kind) {
    std::lock_guard lock(g_mutex);
    Slot* slot = Decode(handle);
    if (!slot || typeid(*slot->object) != kind)
        return nullptr;
    std::shared_ptr<HandleObject> object = std::move(slot->object);
    slot->object.reset();
    slot->generation = (slot->generation + 1) & kGenerationMask;
    g_freeSlots.push_back(static_cast<std::size_t>(slot - g_slots.data()));
    return object;
}

}  // namespace w32posix
