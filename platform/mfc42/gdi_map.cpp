// The handle maps of GDI objects and DCs: permanent objects for the whole process, temporary
// wrappers per thread until its idle time (a temporary never deletes its handle).
#include <afxwin.h>

#include <map>
#include <memory>
#include <mutex>

#include "gdi_map.h"

namespace mfc42 {
namespace {

template <class Handle, class Object>
struct PermanentMap {
  std::mutex lock;
  std::map<Handle, Object*> objects;
};

PermanentMap<HGDIOBJ, CGdiObject>& PermanentObjects() {
  static auto* map = new PermanentMap<HGDIOBJ, CGdiObject>;  // never destroyed: objects may end during exit
  return *map;
}

PermanentMap<HDC, CDC>& PermanentDCs() {
  static auto* map = new PermanentMap<HDC, CDC>;
  return *map;
}

struct TemporaryObjectDeleter {
  void operator()(CGdiObject* object) const {
    object->m_hObject = NULL;
    delete object;
  }
};
struct TemporaryDCDeleter {
  void operator()(CDC* dc) const {
    dc->m_hDC = dc->m_hAttribDC = NULL;
    delete dc;
  }
};
thread_local std::map<HGDIOBJ, std::unique_ptr<CGdiObject, TemporaryObjectDeleter>> t_objects;
thread_local std::map<HDC, std::unique_ptr<CDC, TemporaryDCDeleter>> t_dcs;

// A temporary wrapper of the object's own class, so that a CPen* from FromHandle is a CPen.
CGdiObject* NewWrapper(HGDIOBJ hObject) {
  switch (::GetObjectType(hObject)) {
    case OBJ_PEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    default: return new CGdiObject;
  }
}

template <class Handle, class Object>
Object* Lookup(PermanentMap<Handle, Object>& map, Handle handle) {
  std::lock_guard<std::mutex> g(map.lock);
  auto it = map.objects.find(handle);
  return it == map.objects.end() ? nullptr : it->second;
}

template <class Handle, class Object>
void Remove(PermanentMap<Handle, Object>& map, Handle handle, Object* object) {
  std::lock_guard<std::mutex> g(map.lock);
  auto it = map.objects.find(handle);
  if (it != map.objects.end() && it->second == object) map.objects.erase(it);
}

}  // namespace

void AddPermanent(HGDIOBJ hObject, CGdiObject* object) {
  std::lock_guard<std::mutex> g(PermanentObjects().lock);
  PermanentObjects().objects[hObject] = object;
}

void RemovePermanent(HGDIOBJ hObject, CGdiObject* object) { Remove(PermanentObjects(), hObject, object); }

void AddPermanent(HDC hDC, CDC* dc) {
  std::lock_guard<std::mutex> g(PermanentDCs().lock);
  PermanentDCs().objects[hDC] = dc;
}

void RemovePermanent(HDC hDC, CDC* dc) { Remove(PermanentDCs(), hDC, dc); }

void ForgetAllGdiPermanent() {
  {
    std::lock_guard<std::mutex> g(PermanentObjects().lock);
    PermanentObjects().objects.clear();
  }
  std::lock_guard<std::mutex> g(PermanentDCs().lock);
  PermanentDCs().objects.clear();
}

}  // namespace mfc42

using namespace mfc42;

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
  if (hObject == NULL) return NULL;
  if (CGdiObject* object = Lookup(PermanentObjects(), hObject)) return object;
  auto& slot = t_objects[hObject];
  if (!slot) {
    slot.reset(NewWrapper(hObject));
    slot->m_hObject = hObject;
  }
  return slot.get();
}

void PASCAL CGdiObject::DeleteTempMap() { t_objects.clear(); }

CDC* PASCAL CDC::FromHandle(HDC hDC) {
  if (hDC == NULL) return NULL;
  if (CDC* dc = Lookup(PermanentDCs(), hDC)) return dc;
  auto& slot = t_dcs[hDC];
  if (!slot) {
    slot.reset(new CDC);
    slot->m_hDC = slot->m_hAttribDC = hDC;
  }
  return slot.get();
}

void PASCAL CDC::DeleteTempMap() { t_dcs.clear(); }
