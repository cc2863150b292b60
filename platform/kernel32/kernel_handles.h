// The process's handle table: what a HANDLE stands for. File handles live here now; other kernel
// objects can join by deriving from KernelObject.
#pragma once

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "windef.h"

namespace kernel32 {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Find handles are not kernel objects on Windows: CloseHandle refuses them, FindClose takes them.
  virtual bool ClosedByCloseHandle() const { return true; }
};

// Handle values are multiples of 4 that are never reused, so a stale handle is always refused
// instead of silently reaching a newer object.
HANDLE InsertHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> LookupHandle(HANDLE handle);
template <class T>
std::shared_ptr<T> LookupHandleAs(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(LookupHandle(handle));
}
// Removes the handle and returns its object: null if there was none, or if `accept` (when given)
// refuses its object, which then stays.
std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle, bool (*accept)(KernelObject&) = nullptr);
// Calls `visit` for every handle (under the table's lock: `visit` must not call back into it).
// Taken as a plain function and its context, so that a visit with many captures costs no copy.
void ForEachHandle(void (*visit)(void* context, HANDLE, KernelObject&), void* context);
template <class Visit>
void ForEachHandle(Visit&& visit) {
  using Callable = std::remove_reference_t<Visit>;
  auto call = [](void* context, HANDLE handle, KernelObject& object) {
    (*static_cast<Callable*>(context))(handle, object);
  };
  ForEachHandle(call, const_cast<void*>(static_cast<const void*>(&visit)));
}
// Removes every handle whose object `select` picks, and returns those objects.
std::vector<std::shared_ptr<KernelObject>> RemoveHandlesIf(const std::function<bool(KernelObject&)>& select);

}  // namespace kernel32
