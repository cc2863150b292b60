// Owning wrappers of Windows handles: one wrapper closes its handle with the handle type's close
// function when it goes, or when another handle is attached.
#pragma once

#include "stdafx.h"

#include "TqException.h"

namespace TQ {

template <typename T, int Tag = 0>
class CTqHandleBase {
 public:
  CTqHandleBase(T handle, bool owns) : m_handle(handle), m_owns(owns) {}
  virtual ~CTqHandleBase() {}

  virtual T Attach(T handle) = 0;
  virtual LONG Close() = 0;

  T GetHandle() const { return m_handle; }
  operator T() const { return m_handle; }

 protected:
  T m_handle;
  bool m_owns;
};

template <typename T, auto CloseFunction, int Tag = 0>
class CTqWinHandle : public CTqHandleBase<T, Tag> {
 public:
  // A null handle is allowed and owns nothing to close.
  explicit CTqWinHandle(T handle = NULL) : CTqHandleBase<T, Tag>(handle, handle != NULL) {}

  // One owner per handle: a copy would close the same handle twice.
  CTqWinHandle(const CTqWinHandle&) = delete;
  CTqWinHandle& operator=(const CTqWinHandle&) = delete;

  // Never throws; what the close function answers is of no use to anyone at this point.
  ~CTqWinHandle() override { Close(); }

  // Closes what is held, then owns `handle`. A null handle is the result of the Windows call that
  // failed, so it throws that call's error, as it stood before anything was closed here.
  T Attach(T handle) override {
    const DWORD error = GetLastError();
    Close();
    if (handle == NULL) ThrowSystemException(error);
    this->m_handle = handle;
    this->m_owns = true;
    return handle;
  }

  LONG Close() override {
    if (!this->m_owns || this->m_handle == NULL) return 0;
    const LONG result = static_cast<LONG>(CloseFunction(this->m_handle));
    this->m_handle = NULL;
    this->m_owns = false;
    return result;
  }
};

typedef CTqWinHandle<HKEY, RegCloseKey> CTqKeyHandle;

}  // namespace TQ
