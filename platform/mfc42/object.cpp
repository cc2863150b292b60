// CObject and run-time class information: class names, base chains, IsKindOf, CreateObject.
#include <afx.h>

// The root class has no base.
const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL};

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

CObject::~CObject() = default;

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

// IsKindOf: true for the object's own class and every class on its base chain.
BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  ASSERT(pClass != NULL);
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&) {}

// A CObject has nothing of its own to check; derived classes check their members.
void CObject::AssertValid() const {}

void CObject::Dump(CDumpContext& dc) const {
  dc << "a " << GetRuntimeClass()->m_lpszClassName << " at " << static_cast<const void*>(this) << "\n";
}

// CreateObject: a new object from the class's factory; a class declared without DYNCREATE has
// none, which MFC traces and answers with NULL.
CObject* CRuntimeClass::CreateObject() {
  if (m_pfnCreateObject == NULL) {
    TRACE("Error: Trying to create object which is not DECLARE_DYNCREATE\nor DECLARE_SERIAL: %hs.\n",
          m_lpszClassName);
    return NULL;
  }
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  ASSERT(pBaseClass != NULL);
  for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
    if (p == pBaseClass) return TRUE;
  return FALSE;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
  return (pObject != NULL && pObject->IsKindOf(pClass)) ? pObject : NULL;
}
