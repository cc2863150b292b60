// The reference-counted COM base of the tree control's drag-and-drop part: the shared AddRef,
// Release and QueryInterface that every COM part of a derived object forwards to.
#pragma once

#include "stdafx.h"

class CtqIUnknown : public IUnknown {
 public:
  CtqIUnknown();
  virtual ~CtqIUnknown();

  // Count + 1; the new count.
  virtual ULONG AddRefImpl();
  // At a count of 1 with the delete flag set the object deletes itself and answers 0; otherwise
  // count - 1.
  virtual ULONG ReleaseImpl();
  // IID_IUnknown: the object itself with one AddRef; anything else null and E_NOINTERFACE.
  virtual HRESULT QueryInterfaceImpl(REFIID riid, void** ppvObject);

  ULONG GetRefCount() const { return m_nRefCount; }

 protected:
  ULONG m_nRefCount;
  bool m_bDeleteOnLastRelease;  // never set in this library: the owner keeps the object
};
