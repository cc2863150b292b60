// The support library's out-of-line part: raising _com_error, and the ANSI <-> BSTR conversions
// through the process code page ('?' for a character the code page cannot hold).
#include <comdef.h>

#include <string>

STANDIN_API void STDMETHODCALLTYPE _com_issue_error(HRESULT hr) { throw _com_error(hr); }

// The error information comes along only when the object says the interface provides it.
STANDIN_API void STDMETHODCALLTYPE _com_issue_errorex(HRESULT hr, IUnknown* punk, REFIID riid) {
  IErrorInfo* perrinfo = nullptr;
  if (punk != nullptr) {
    ISupportErrorInfo* support = nullptr;
    if (SUCCEEDED(punk->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support))) &&
        support != nullptr) {
      if (support->InterfaceSupportsErrorInfo(riid) == S_OK && GetErrorInfo(0, &perrinfo) != S_OK)
        perrinfo = nullptr;
      support->Release();
    }
  }
  throw _com_error(hr, perrinfo);
}

namespace _com_util {

STANDIN_API BSTR STDMETHODCALLTYPE ConvertStringToBSTR(const char* pSrc) {
  if (pSrc == nullptr) return nullptr;
  BSTR result = nullptr;
  if (pSrc[0] == '\0') {
    result = SysAllocStringLen(nullptr, 0);
  } else {
    const int n = MultiByteToWideChar(CP_ACP, 0, pSrc, -1, nullptr, 0);
    if (n <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
    result = SysAllocStringLen(nullptr, static_cast<UINT>(n - 1));
    if (result != nullptr && MultiByteToWideChar(CP_ACP, 0, pSrc, -1, result, n) == 0) {
      const DWORD error = GetLastError();
      SysFreeString(result);
      _com_issue_error(HRESULT_FROM_WIN32(error));
    }
  }
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  return result;
}

STANDIN_API char* STDMETHODCALLTYPE ConvertBSTRToString(BSTR pSrc) {
  if (pSrc == nullptr) return nullptr;
  size_t length = 0;  // up to the first NUL, which may come before SysStringLen
  const size_t stored = SysStringLen(pSrc);
  while (length < stored && pSrc[length] != 0) ++length;
  if (length == 0) return new char[1]{'\0'};
  const int n = WideCharToMultiByte(CP_ACP, 0, pSrc, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (n <= 0) _com_issue_error(HRESULT_FROM_WIN32(GetLastError()));
  char* result = new (std::nothrow) char[static_cast<size_t>(n) + 1];
  if (result == nullptr) _com_issue_error(E_OUTOFMEMORY);
  WideCharToMultiByte(CP_ACP, 0, pSrc, static_cast<int>(length), result, n, nullptr, nullptr);
  result[n] = '\0';
  return result;
}

}  // namespace _com_util
