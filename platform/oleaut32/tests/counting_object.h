// A COM object that counts its references and its live instances, for the tests that check
// who adds and who releases what.
#pragma once

#include <oleauto.h>

STANDIN_INTERFACE(ICountingThing, "7C2E4A90-1B3D-4F6E-8A5C-9D0E1F2A3B4C") : public IUnknown {
  STDMETHOD_(ULONG, References)() = 0;
};
STANDIN_INTERFACE(IOtherThing, "7C2E4A91-1B3D-4F6E-8A5C-9D0E1F2A3B4C") : public IUnknown{};

// Answers IUnknown, ICountingThing and IDispatch (whose value property is `value`), and
// IOtherThing only when `withOther`. QueryInterface for IOtherThing fails with `otherFailure`
// when that is set.
class CountingObject final : public ICountingThing, public IOtherThing, public IDispatch {
 public:
  static inline int live = 0;

  CountingObject() { ++live; }
  static CountingObject* New() { return new CountingObject; }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == __uuidof(ICountingThing)) {
      *ppv = static_cast<ICountingThing*>(this);
    } else if (riid == __uuidof(IOtherThing) && otherFailure != S_OK) {
      *ppv = nullptr;
      return otherFailure;
    } else if (riid == __uuidof(IOtherThing) && withOther) {
      *ppv = static_cast<IOtherThing*>(this);
    } else if (riid == IID_IDispatch) {
      *ppv = static_cast<IDispatch*>(this);
    } else {
      *ppv = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = --refs;
    if (left == 0) delete this;
    return left;
  }
  STDMETHODIMP_(ULONG) References() override { return refs; }

  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (id != DISPID_VALUE || flags != DISPATCH_PROPERTYGET || result == nullptr) return DISP_E_MEMBERNOTFOUND;
    result->vt = VT_I4;
    result->lVal = value;
    return S_OK;
  }

  ULONG refs = 1;
  bool withOther = true;
  HRESULT otherFailure = S_OK;
  LONG value = 42;

 private:
  ~CountingObject() { --live; }
};
