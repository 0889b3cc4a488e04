// The table behind HANDLE values. A handle encodes a slot index and the slot's generation, so
// a stale, closed or made-up handle is recognised and refused with ERROR_INVALID_HANDLE
// instead of reaching a freed object.
#pragma once

#include <memory>
#include <typeinfo>

#include "platform/posix/win32_api.h"

namespace w32posix {

// Base of everything a handle can stand for; the dynamic type is the handle's kind.
class HandleObject {
  public:
    virtual ~HandleObject() = default;
};

// Stores `object` and returns its new handle, or nullptr (last error set) when the table is
// full.
HANDLE AddHandle(std::shared_ptr<HandleObject> object);

// The object behind `handle` when it is open and of kind T; nullptr otherwise.
std::shared_ptr<HandleObject> LookupHandle(HANDLE handle, const std::type_info& kind);
// Takes the object out of the table, so the handle is stale from now on.
std::shared_ptr<HandleObject> RemoveHandle(HANDLE handle, const std::type_info& kind);

template <class T>
std::shared_ptr<T> Lookup(HANDLE handle) {
    return std::static_pointer_cast<T>(LookupHandle(handle, typeid(T)));
}

template <class T>
std::shared_ptr<T> Remove(HANDLE handle) {
    return std::static_pointer_cast<T>(RemoveHandle(handle, typeid(T)));
}

}  // namespace w32posix
