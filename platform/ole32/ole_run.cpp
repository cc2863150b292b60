// OleRun puts an object into its running state through IRunnableObject::Run; an object without
// IRunnableObject is always running (S_OK).
#include <objbase.h>

extern "C" {

WINOLEAPI OleRun(LPUNKNOWN pUnknown) {
  if (pUnknown == nullptr) return E_INVALIDARG;
  IRunnableObject* runnable = nullptr;
  if (FAILED(pUnknown->QueryInterface(IID_IRunnableObject, reinterpret_cast<void**>(&runnable))) ||
      runnable == nullptr)
    return S_OK;
  const HRESULT hr = runnable->Run(nullptr);
  runnable->Release();
  return hr;
}

}  // extern "C"
