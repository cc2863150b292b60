// MFC's handle maps: the permanent object of a handle for the whole process (any thread may look it
// up), and temporary wrappers per thread, deleted at the thread's idle time without letting go of
// what they wrap. Windows, menus, GDI objects and DCs each have one.
//
// Traits give `static Object* Make(Handle)` (a new wrapper holding the handle) and
// `static void Forget(Object*)` (the wrapper lets go of its handle before it is deleted).
#pragma once

#include <map>
#include <memory>
#include <mutex>

namespace mfc42 {

template <class Handle, class Object, class Traits>
class HandleMap {
 public:
  static Object* Permanent(Handle handle) {
    std::lock_guard<std::mutex> g(Map().lock);
    auto it = Map().objects.find(handle);
    return it == Map().objects.end() ? nullptr : it->second;
  }
  // With `replace` false, a handle that has an object keeps it (false).
  static bool AddPermanent(Handle handle, Object* object, bool replace) {
    std::lock_guard<std::mutex> g(Map().lock);
    if (replace) {
      Map().objects[handle] = object;
      return true;
    }
    return Map().objects.emplace(handle, object).second;
  }
  // Only the object the handle is mapped to is taken out.
  static void RemovePermanent(Handle handle, Object* object) {
    std::lock_guard<std::mutex> g(Map().lock);
    auto it = Map().objects.find(handle);
    if (it != Map().objects.end() && it->second == object) Map().objects.erase(it);
  }
  static void ForgetAllPermanent() {
    std::lock_guard<std::mutex> g(Map().lock);
    Map().objects.clear();
  }
  // The permanent object, else the thread's temporary wrapper (made on first use); null for null.
  static Object* FromHandle(Handle handle) {
    if (handle == Handle{}) return nullptr;
    if (Object* object = Permanent(handle)) return object;
    auto& slot = Temporaries()[handle];
    if (!slot) slot.reset(Traits::Make(handle));
    return slot.get();
  }
  // A thread that never made a wrapper makes no table here: its table would be a thread-local
  // object first made at the thread's end, whose registration waits for the loader's lock, which
  // the process's exit holds while it runs the modules' destructors (one of which may be waiting
  // for this thread).
  static void DeleteTemporaries() {
    if (TemporariesMade()) Temporaries().clear();
  }

 private:
  struct Permanents {
    std::mutex lock;
    std::map<Handle, Object*> objects;
  };
  static Permanents& Map() {
    static auto* map = new Permanents;  // never destroyed: objects may end during exit
    return *map;
  }
  struct Deleter {
    void operator()(Object* object) const {
      Traits::Forget(object);
      delete object;
    }
  };
  static bool& TemporariesMade() {
    thread_local bool made = false;  // trivial: nothing to register
    return made;
  }
  static std::map<Handle, std::unique_ptr<Object, Deleter>>& Temporaries() {
    thread_local std::map<Handle, std::unique_ptr<Object, Deleter>> temporaries;
    TemporariesMade() = true;
    return temporaries;
  }
};

}  // namespace mfc42
