// The handle maps of GDI objects and DCs: permanent objects for the whole process, temporary
// wrappers per thread until its idle time (a temporary never deletes its handle).
#include <afxwin.h>

#include "gdi_map.h"
#include "handle_map.h"

namespace mfc42 {
namespace {

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

struct ObjectTraits {
  static CGdiObject* Make(HGDIOBJ hObject) {
    CGdiObject* object = NewWrapper(hObject);
    object->m_hObject = hObject;
    return object;
  }
  // A temporary never deletes its handle.
  static void Forget(CGdiObject* object) { object->m_hObject = NULL; }
};
struct DCTraits {
  static CDC* Make(HDC hDC) {
    auto* dc = new CDC;
    dc->m_hDC = dc->m_hAttribDC = hDC;
    return dc;
  }
  static void Forget(CDC* dc) { dc->m_hDC = dc->m_hAttribDC = NULL; }
};
using ObjectMap = HandleMap<HGDIOBJ, CGdiObject, ObjectTraits>;
using DCMap = HandleMap<HDC, CDC, DCTraits>;

}  // namespace

void AddPermanent(HGDIOBJ hObject, CGdiObject* object) { ObjectMap::AddPermanent(hObject, object, true); }

void RemovePermanent(HGDIOBJ hObject, CGdiObject* object) { ObjectMap::RemovePermanent(hObject, object); }

void AddPermanent(HDC hDC, CDC* dc) { DCMap::AddPermanent(hDC, dc, true); }

void RemovePermanent(HDC hDC, CDC* dc) { DCMap::RemovePermanent(hDC, dc); }

void ForgetAllGdiPermanent() {
  ObjectMap::ForgetAllPermanent();
  DCMap::ForgetAllPermanent();
}

}  // namespace mfc42

using mfc42::DCMap;
using mfc42::ObjectMap;

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) { return ObjectMap::FromHandle(hObject); }

void PASCAL CGdiObject::DeleteTempMap() { ObjectMap::DeleteTemporaries(); }

CDC* PASCAL CDC::FromHandle(HDC hDC) { return DCMap::FromHandle(hDC); }

void PASCAL CDC::DeleteTempMap() { DCMap::DeleteTemporaries(); }
