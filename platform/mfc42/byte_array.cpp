// CByteArray over a vector of bytes.
#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CByteArray, CObject)

CByteArray::CByteArray() = default;
CByteArray::~CByteArray() = default;

void CByteArray::SetSize(int nNewSize, int) {
  ASSERT(nNewSize >= 0);
  if (nNewSize < 0) return;
  m_data.resize(static_cast<size_t>(nNewSize), 0);
}

void CByteArray::FreeExtra() { m_data.shrink_to_fit(); }
void CByteArray::RemoveAll() { m_data.clear(); }

BYTE CByteArray::GetAt(int nIndex) const {
  ASSERT(nIndex >= 0 && nIndex < GetSize());
  return nIndex >= 0 && nIndex < GetSize() ? m_data[static_cast<size_t>(nIndex)] : 0;
}

void CByteArray::SetAt(int nIndex, BYTE newElement) {
  ASSERT(nIndex >= 0 && nIndex < GetSize());
  if (nIndex >= 0 && nIndex < GetSize()) m_data[static_cast<size_t>(nIndex)] = newElement;
}

BYTE& CByteArray::ElementAt(int nIndex) {
  ASSERT(nIndex >= 0 && nIndex < GetSize());
  static BYTE outside;  // what an index out of range reaches once the assertion was reported
  if (nIndex < 0 || nIndex >= GetSize()) return outside = 0;
  return m_data[static_cast<size_t>(nIndex)];
}

void CByteArray::SetAtGrow(int nIndex, BYTE newElement) {
  ASSERT(nIndex >= 0);
  if (nIndex < 0) return;
  if (nIndex >= GetSize()) SetSize(nIndex + 1);
  m_data[static_cast<size_t>(nIndex)] = newElement;
}

int CByteArray::Add(BYTE newElement) {
  m_data.push_back(newElement);
  return GetUpperBound();
}

int CByteArray::Append(const CByteArray& src) {
  const int first = GetSize();
  m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
  return first;
}

void CByteArray::Copy(const CByteArray& src) {
  if (&src != this) m_data = src.m_data;
}

void CByteArray::InsertAt(int nIndex, BYTE newElement, int nCount) {
  ASSERT(nIndex >= 0 && nCount > 0);
  if (nIndex < 0 || nCount <= 0) return;
  if (nIndex > GetSize()) SetSize(nIndex);
  m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), newElement);
}

void CByteArray::RemoveAt(int nIndex, int nCount) {
  ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= GetSize());
  if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize()) return;
  m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
}
