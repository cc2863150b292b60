#include "tree/TqIUnknown.h"

CtqIUnknown::CtqIUnknown() : m_nRefCount(1), m_bDeleteOnLastRelease(false) {}

CtqIUnknown::~CtqIUnknown() {}

ULONG CtqIUnknown::AddRefImpl() { return ++m_nRefCount; }

ULONG CtqIUnknown::ReleaseImpl() {
  if (m_nRefCount == 1 && m_bDeleteOnLastRelease) {
    delete this;
    return 0;
  }
  return --m_nRefCount;
}

HRESULT CtqIUnknown::QueryInterfaceImpl(REFIID riid, void** ppvObject) {
  if (ppvObject == NULL) return E_POINTER;
  if (riid == IID_IUnknown) {
    *ppvObject = static_cast<IUnknown*>(this);
    AddRefImpl();
    return S_OK;
  }
  *ppvObject = NULL;
  return E_NOINTERFACE;
}
