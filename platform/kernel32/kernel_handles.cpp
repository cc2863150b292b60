// The process's handle table (see kernel_handles.h).
#include "kernel_handles.h"

#include <map>
#include <mutex>
#include <vector>

namespace kernel32 {
namespace {

struct Table {
  std::mutex lock;
  std::map<uintptr_t, std::shared_ptr<KernelObject>> objects;
  uintptr_t next = 0x1000;
};

Table& T() {
  static Table* table = new Table;  // never destroyed: handles may be closed during exit
  return *table;
}

}  // namespace

HANDLE InsertHandle(std::shared_ptr<KernelObject> object) {
  std::lock_guard<std::mutex> g(T().lock);
  const uintptr_t value = T().next;
  T().next += 4;
  T().objects.emplace(value, std::move(object));
  return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookupHandle(HANDLE handle) {
  std::lock_guard<std::mutex> g(T().lock);
  auto it = T().objects.find(reinterpret_cast<uintptr_t>(handle));
  return it == T().objects.end() ? nullptr : it->second;
}

std::shared_ptr<KernelObject> RemoveHandle(HANDLE handle, bool (*accept)(KernelObject&)) {
  std::lock_guard<std::mutex> g(T().lock);
  auto it = T().objects.find(reinterpret_cast<uintptr_t>(handle));
  if (it == T().objects.end() || (accept && !accept(*it->second))) return nullptr;
  auto object = std::move(it->second);
  T().objects.erase(it);
  return object;
}

void ForEachHandle(void (*visit)(void* context, HANDLE, KernelObject&), void* context) {
  std::lock_guard<std::mutex> g(T().lock);
  for (auto& [value, object] : T().objects) visit(context, reinterpret_cast<HANDLE>(value), *object);
}

std::vector<std::shared_ptr<KernelObject>> RemoveHandlesIf(const std::function<bool(KernelObject&)>& select) {
  std::vector<std::shared_ptr<KernelObject>> removed;
  std::lock_guard<std::mutex> g(T().lock);
  for (auto it = T().objects.begin(); it != T().objects.end();) {
    if (select(*it->second)) {
      removed.push_back(std::move(it->second));
      it = T().objects.erase(it);
    } else {
      ++it;
    }
  }
  return removed;
}

}  // namespace kernel32
