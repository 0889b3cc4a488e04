// The table behind HANDLE values. A handle encodes a slot index and the slot's generation, so
// a stale, closed or made-up handle is recognised and refused with ERROR_INVALID_HANDLE
// instead of reaching a freed object.
//
// Every ReadFile and WriteFile looks its handle up, so a look-up takes no lock: one
// compare-and-swap claims the handle for the call and one store gives it back. A handle
// serves one call at a time, as a synchronous file object does on Windows; a second thread
// waits its turn. Closing claims the handle too, so an object is never freed under a call.
#pragma once

#include <memory>

#include "platform/posix/win32_api.h"

namespace w32posix {

enum class HandleKind : unsigned char { File, Search };

// Base of everything a handle can stand for.
class HandleObject {
  public:
    // A static object may stand for many handles at once (all alike and never changing); the
    // table never frees it.
    enum class Lifetime : unsigned char { Owned, Static };

    explicit HandleObject(HandleKind kind, Lifetime lifetime = Lifetime::Owned)
        : kind(kind), lifetime(lifetime) {}
    virtual ~HandleObject() = default;
    HandleObject(const HandleObject&) = delete;
    HandleObject& operator=(const HandleObject&) = delete;

    // Called for every handle still open when the program ends, as Windows finishes the
    // pending work of the handles a process leaves open.
    virtual void AtExit() {}

    const HandleKind kind;
    const Lifetime lifetime;
};

struct HandleDeleter {
    void operator()(HandleObject* object) const {
        if (object->lifetime == HandleObject::Lifetime::Owned)
            delete object;
    }
};

template <class T>
using HandleOwner = std::unique_ptr<T, HandleDeleter>;

struct HandleSlot;

// Stores `object` and returns its new handle, or nullptr (last error set) when the table is
// full.
HANDLE AddHandle(HandleOwner<HandleObject> object);

// The object behind `handle` when it is open and of `kind`, claimed by the caller until
// ReleaseHandle(slot); nullptr otherwise.
HandleObject* AcquireHandle(HANDLE handle, HandleKind kind, HandleSlot*& slot);
void ReleaseHandle(HandleSlot* slot);

// Takes the object out of the table, so the handle is stale from now on; nullptr when the
// handle is not open or not of `kind`.
HandleOwner<HandleObject> RemoveHandle(HANDLE handle, HandleKind kind);

// The object of a handle for as long as the caller holds this.
template <class T>
class HandleRef {
  public:
    explicit HandleRef(HANDLE handle)
        : object_(static_cast<T*>(AcquireHandle(handle, T::kKind, slot_))) {}
    ~HandleRef() {
        if (object_)
            ReleaseHandle(slot_);
    }
    HandleRef(HandleRef&& other) noexcept : slot_(other.slot_), object_(other.object_) {
        other.object_ = nullptr;
    }
    HandleRef(const HandleRef&) = delete;
    HandleRef& operator=(const HandleRef&) = delete;
    HandleRef& operator=(HandleRef&&) = delete;

    explicit operator bool() const { return object_ != nullptr; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }

  private:
    HandleSlot* slot_ = nullptr;
    T* object_;
};

template <class T>
HandleRef<T> Lookup(HANDLE handle) {
    return HandleRef<T>(handle);
}

template <class T>
HandleOwner<T> Remove(HANDLE handle) {
    return HandleOwner<T>(static_cast<T*>(RemoveHandle(handle, T::kKind).release()));
}

}  // namespace w32posix
