// CDumpContext: diagnostic output to a CFile, or through OutputDebugString without one.
#include <afx.h>

#include <cstdio>

#if AFX_DEBUG_CHECKS
CDumpContext afxDump;
#endif

CDumpContext::CDumpContext(CFile* pFile) : m_pFile(pFile) {}

CDumpContext::~CDumpContext() = default;

void CDumpContext::Write(const std::string& text) {
  if (m_pFile != NULL)
    m_pFile->Write(text.data(), static_cast<UINT>(text.size()));
  else
    OutputDebugString(text.c_str());
}

CDumpContext& CDumpContext::operator<<(LPCTSTR lpsz) {
  Write(lpsz != NULL ? lpsz : "(NULL)");
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CString& string) { return *this << static_cast<LPCTSTR>(string); }

// Addresses are written as "$" and hex digits, as the platform's dump does.
CDumpContext& CDumpContext::operator<<(const void* lp) {
  char text[32];
  std::snprintf(text, sizeof text, "$%llX", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(lp)));
  Write(text);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject* pOb) {
  if (pOb == NULL) return *this << "NULL";
  pOb->Dump(*this);
  return *this;
}

CDumpContext& CDumpContext::operator<<(const CObject& ob) { return *this << &ob; }

CDumpContext& CDumpContext::operator<<(BYTE by) { return *this << static_cast<UINT>(by); }
CDumpContext& CDumpContext::operator<<(WORD w) { return *this << static_cast<UINT>(w); }

CDumpContext& CDumpContext::operator<<(UINT u) {
  Write(std::to_string(u));
  return *this;
}

CDumpContext& CDumpContext::operator<<(LONGLONG n) {
  Write(std::to_string(n));
  return *this;
}

CDumpContext& CDumpContext::operator<<(ULONGLONG n) {
  Write(std::to_string(n));
  return *this;
}

CDumpContext& CDumpContext::operator<<(int n) {
  Write(std::to_string(n));
  return *this;
}

CDumpContext& CDumpContext::operator<<(double d) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", d);
  Write(text);
  return *this;
}

void CDumpContext::Flush() {
  if (m_pFile != NULL) m_pFile->Flush();
}
