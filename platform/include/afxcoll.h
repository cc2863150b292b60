// MFC: collections. So far the byte array.
#pragma once

#include "afx.h"

#include <vector>

// A growable array of bytes. Indexes are checked by assertion; SetSize keeps the first bytes and
// zeroes new ones.
class STANDIN_API CByteArray : public CObject {
  DECLARE_DYNAMIC(CByteArray)
 public:
  CByteArray();
  ~CByteArray() override;

  int GetSize() const { return static_cast<int>(m_data.size()); }
  int GetUpperBound() const { return GetSize() - 1; }
  // nGrowBy is a hint for growth and is ignored here.
  void SetSize(int nNewSize, int nGrowBy = -1);
  void FreeExtra();
  void RemoveAll();

  BYTE GetAt(int nIndex) const;
  void SetAt(int nIndex, BYTE newElement);
  BYTE& ElementAt(int nIndex);
  // The bytes, or NULL for an empty array; valid until the size changes.
  const BYTE* GetData() const { return m_data.empty() ? NULL : m_data.data(); }
  BYTE* GetData() { return m_data.empty() ? NULL : m_data.data(); }

  void SetAtGrow(int nIndex, BYTE newElement);
  int Add(BYTE newElement);
  int Append(const CByteArray& src);
  void Copy(const CByteArray& src);
  void InsertAt(int nIndex, BYTE newElement, int nCount = 1);
  void RemoveAt(int nIndex, int nCount = 1);

  BYTE operator[](int nIndex) const { return GetAt(nIndex); }
  BYTE& operator[](int nIndex) { return ElementAt(nIndex); }

 private:
  std::vector<BYTE> m_data;
};
