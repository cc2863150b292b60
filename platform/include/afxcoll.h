// MFC: collections: the byte array, the string-to-string map and the string list.
#pragma once

#include "afx.h"

#include <string>
#include <unordered_map>
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

// A map from string keys (compared exactly, case and all) to string values. Iteration
// (GetStartPosition, GetNextAssoc) visits the entries in the order they were first stored; a
// position stays valid while other entries are stored or removed, so the entry just returned may
// be removed during a walk. The block size is the platform's allocation hint and changes nothing
// here.
class STANDIN_API CMapStringToString : public CObject {
  DECLARE_DYNAMIC(CMapStringToString)
 public:
  explicit CMapStringToString(int nBlockSize = 10);
  ~CMapStringToString() override;
  CMapStringToString(const CMapStringToString&) = delete;
  CMapStringToString& operator=(const CMapStringToString&) = delete;

  int GetCount() const { return static_cast<int>(m_index.size()); }
  int GetSize() const { return GetCount(); }
  BOOL IsEmpty() const { return m_index.empty(); }

  // The value stored under `key`; FALSE (rValue untouched) when there is none.
  BOOL Lookup(LPCTSTR key, CString& rValue) const;
  // The entry's own copy of the key.
  BOOL LookupKey(LPCTSTR key, LPCTSTR& rKey) const;
  // The value stored under `key`, made empty first when there was none.
  CString& operator[](LPCTSTR key);
  void SetAt(LPCTSTR key, LPCTSTR newValue) { (*this)[key] = newValue; }
  // FALSE when there was no such key.
  BOOL RemoveKey(LPCTSTR key);
  void RemoveAll();

  // NULL for an empty map.
  POSITION GetStartPosition() const;
  // The entry at rNextPosition; rNextPosition moves on to the next (NULL after the last).
  void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const;

 protected:
  int m_nBlockSize;

 private:
  struct Assoc;
  Assoc* m_pHead = nullptr;
  Assoc* m_pTail = nullptr;
  std::unordered_map<std::string, Assoc*> m_index;
};

// A doubly linked list of strings walked by POSITION: a position stays valid while other entries
// are added or removed. Positions of other lists, or of removed entries, are programming errors
// (assertions). The block size is an allocation hint and changes nothing here.
class STANDIN_API CStringList : public CObject {
  DECLARE_DYNAMIC(CStringList)
 public:
  explicit CStringList(int nBlockSize = 10);
  ~CStringList() override;
  CStringList(const CStringList&) = delete;
  CStringList& operator=(const CStringList&) = delete;

  int GetCount() const { return m_nCount; }
  int GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  CString& GetHead();
  const CString& GetHead() const;
  CString& GetTail();
  const CString& GetTail() const;
  CString RemoveHead();
  CString RemoveTail();
  POSITION AddHead(LPCTSTR newElement);
  POSITION AddTail(LPCTSTR newElement);
  // Copies of another list's strings, in its order.
  void AddHead(CStringList* pNewList);
  void AddTail(CStringList* pNewList);
  void RemoveAll();

  POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }
  POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pTail); }
  // The entry at rPosition; rPosition moves to the next (previous) one, NULL past the end.
  CString& GetNext(POSITION& rPosition);
  const CString& GetNext(POSITION& rPosition) const;
  CString& GetPrev(POSITION& rPosition);
  const CString& GetPrev(POSITION& rPosition) const;
  CString& GetAt(POSITION position);
  const CString& GetAt(POSITION position) const;
  void SetAt(POSITION pos, LPCTSTR newElement);
  void RemoveAt(POSITION position);
  POSITION InsertBefore(POSITION position, LPCTSTR newElement);
  POSITION InsertAfter(POSITION position, LPCTSTR newElement);
  // The first entry equal to `searchValue` (exactly) after startAfter (NULL: from the head).
  POSITION Find(LPCTSTR searchValue, POSITION startAfter = NULL) const;
  // The entry at a zero-based index; NULL when there is none.
  POSITION FindIndex(int nIndex) const;

 private:
  struct Node;
  Node* NodeAt(POSITION position) const;
  POSITION Link(Node* before, Node* after, LPCTSTR value);
  void Unlink(Node* node);

  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  int m_nCount = 0;
};
