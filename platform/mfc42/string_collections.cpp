// CMapStringToString and CStringList: linked entries walked by POSITION (a position is an entry),
// the map's keys indexed by a hash table of their bytes.
#include <afxcoll.h>

IMPLEMENT_DYNAMIC(CMapStringToString, CObject)
IMPLEMENT_DYNAMIC(CStringList, CObject)

// --- CMapStringToString ---------------------------------------------------------------------

struct CMapStringToString::Assoc {
  CString key;
  CString value;
  Assoc* prev;
  Assoc* next;
};

namespace {

std::string KeyOf(LPCTSTR key) { return key != NULL ? std::string(key) : std::string(); }

}  // namespace

CMapStringToString::CMapStringToString(int nBlockSize) : m_nBlockSize(nBlockSize) { ASSERT(nBlockSize > 0); }

CMapStringToString::~CMapStringToString() { RemoveAll(); }

BOOL CMapStringToString::Lookup(LPCTSTR key, CString& rValue) const {
  const auto it = m_index.find(KeyOf(key));
  if (it == m_index.end()) return FALSE;
  rValue = it->second->value;
  return TRUE;
}

BOOL CMapStringToString::LookupKey(LPCTSTR key, LPCTSTR& rKey) const {
  const auto it = m_index.find(KeyOf(key));
  if (it == m_index.end()) return FALSE;
  rKey = it->second->key;
  return TRUE;
}

CString& CMapStringToString::operator[](LPCTSTR key) {
  auto [it, added] = m_index.try_emplace(KeyOf(key), nullptr);
  if (added) {
    it->second = new Assoc{CString(key != NULL ? key : ""), CString(), m_pTail, nullptr};
    (m_pTail != nullptr ? m_pTail->next : m_pHead) = it->second;
    m_pTail = it->second;
  }
  return it->second->value;
}

BOOL CMapStringToString::RemoveKey(LPCTSTR key) {
  const auto it = m_index.find(KeyOf(key));
  if (it == m_index.end()) return FALSE;
  Assoc* assoc = it->second;
  m_index.erase(it);
  (assoc->prev != nullptr ? assoc->prev->next : m_pHead) = assoc->next;
  (assoc->next != nullptr ? assoc->next->prev : m_pTail) = assoc->prev;
  delete assoc;
  return TRUE;
}

void CMapStringToString::RemoveAll() {
  while (m_pHead != nullptr) {
    Assoc* next = m_pHead->next;
    delete m_pHead;
    m_pHead = next;
  }
  m_pTail = nullptr;
  m_index.clear();
}

POSITION CMapStringToString::GetStartPosition() const { return reinterpret_cast<POSITION>(m_pHead); }

void CMapStringToString::GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const {
  const Assoc* assoc = reinterpret_cast<const Assoc*>(rNextPosition);
  ASSERT(assoc != nullptr);
  if (assoc == nullptr) return;
  rKey = assoc->key;
  rValue = assoc->value;
  rNextPosition = reinterpret_cast<POSITION>(assoc->next);
}

// --- CStringList ----------------------------------------------------------------------------

struct CStringList::Node {
  CString value;
  Node* prev;
  Node* next;
};

CStringList::CStringList(int nBlockSize) { ASSERT(nBlockSize > 0); }

CStringList::~CStringList() { RemoveAll(); }

CStringList::Node* CStringList::NodeAt(POSITION position) const {
  Node* node = reinterpret_cast<Node*>(position);
  ASSERT(node != nullptr);
  return node;
}

POSITION CStringList::Link(Node* before, Node* after, LPCTSTR value) {
  Node* node = new Node{CString(value != NULL ? value : ""), before, after};
  (before != nullptr ? before->next : m_pHead) = node;
  (after != nullptr ? after->prev : m_pTail) = node;
  ++m_nCount;
  return reinterpret_cast<POSITION>(node);
}

void CStringList::Unlink(Node* node) {
  (node->prev != nullptr ? node->prev->next : m_pHead) = node->next;
  (node->next != nullptr ? node->next->prev : m_pTail) = node->prev;
  --m_nCount;
  delete node;
}

CString& CStringList::GetHead() { return NodeAt(GetHeadPosition())->value; }
const CString& CStringList::GetHead() const { return NodeAt(GetHeadPosition())->value; }
CString& CStringList::GetTail() { return NodeAt(GetTailPosition())->value; }
const CString& CStringList::GetTail() const { return NodeAt(GetTailPosition())->value; }

CString CStringList::RemoveHead() {
  Node* node = NodeAt(GetHeadPosition());
  CString value = node->value;
  Unlink(node);
  return value;
}

CString CStringList::RemoveTail() {
  Node* node = NodeAt(GetTailPosition());
  CString value = node->value;
  Unlink(node);
  return value;
}

POSITION CStringList::AddHead(LPCTSTR newElement) { return Link(nullptr, m_pHead, newElement); }
POSITION CStringList::AddTail(LPCTSTR newElement) { return Link(m_pTail, nullptr, newElement); }

void CStringList::AddHead(CStringList* pNewList) {
  ASSERT(pNewList != NULL);
  // From its tail, each to the head, so the copies keep the other list's order.
  for (POSITION pos = pNewList->GetTailPosition(); pos != NULL;) AddHead(pNewList->GetPrev(pos));
}

void CStringList::AddTail(CStringList* pNewList) {
  ASSERT(pNewList != NULL);
  // Counted first, so a list added to itself is copied once.
  const int count = pNewList->GetCount();
  POSITION pos = pNewList->GetHeadPosition();
  for (int i = 0; i < count; ++i) AddTail(pNewList->GetNext(pos));
}

void CStringList::RemoveAll() {
  while (m_pHead != nullptr) Unlink(m_pHead);
}

CString& CStringList::GetNext(POSITION& rPosition) {
  Node* node = NodeAt(rPosition);
  rPosition = reinterpret_cast<POSITION>(node->next);
  return node->value;
}

const CString& CStringList::GetNext(POSITION& rPosition) const {
  return const_cast<CStringList*>(this)->GetNext(rPosition);
}

CString& CStringList::GetPrev(POSITION& rPosition) {
  Node* node = NodeAt(rPosition);
  rPosition = reinterpret_cast<POSITION>(node->prev);
  return node->value;
}

const CString& CStringList::GetPrev(POSITION& rPosition) const {
  return const_cast<CStringList*>(this)->GetPrev(rPosition);
}

CString& CStringList::GetAt(POSITION position) { return NodeAt(position)->value; }
const CString& CStringList::GetAt(POSITION position) const { return NodeAt(position)->value; }
void CStringList::SetAt(POSITION pos, LPCTSTR newElement) { NodeAt(pos)->value = newElement; }
void CStringList::RemoveAt(POSITION position) { Unlink(NodeAt(position)); }

POSITION CStringList::InsertBefore(POSITION position, LPCTSTR newElement) {
  if (position == NULL) return AddHead(newElement);
  Node* node = NodeAt(position);
  return Link(node->prev, node, newElement);
}

POSITION CStringList::InsertAfter(POSITION position, LPCTSTR newElement) {
  if (position == NULL) return AddTail(newElement);
  Node* node = NodeAt(position);
  return Link(node, node->next, newElement);
}

POSITION CStringList::Find(LPCTSTR searchValue, POSITION startAfter) const {
  const Node* node = startAfter == NULL ? m_pHead : NodeAt(startAfter)->next;
  for (; node != nullptr; node = node->next)
    if (node->value == searchValue) return reinterpret_cast<POSITION>(const_cast<Node*>(node));
  return NULL;
}

POSITION CStringList::FindIndex(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_nCount) return NULL;
  Node* node = m_pHead;
  while (nIndex-- > 0) node = node->next;
  return reinterpret_cast<POSITION>(node);
}
