// CLongBinary: frees its global memory block.
#include <afxdb_.h>

IMPLEMENT_DYNAMIC(CLongBinary, CObject)

CLongBinary::CLongBinary() : m_hData(NULL), m_dwDataLength(0) {}

CLongBinary::~CLongBinary() {
  if (m_hData != NULL) ::GlobalFree(m_hData);
}
