// The list behind MFC's POSITION-walked collections: a doubly linked list whose positions are its
// nodes.
#include <afxwin.h>

namespace afx_internal {

struct PointerList::Node {
  void* item;
  Node* prev;
  Node* next;
};

PointerList::~PointerList() {
  while (m_pHead != nullptr) {
    Node* next = m_pHead->next;
    delete m_pHead;
    m_pHead = next;
  }
}

void PointerList::AddTail(void* item) {
  Node* node = new Node{item, m_pTail, nullptr};
  (m_pTail != nullptr ? m_pTail->next : m_pHead) = node;
  m_pTail = node;
}

bool PointerList::Remove(void* item) {
  for (Node* node = m_pHead; node != nullptr; node = node->next) {
    if (node->item != item) continue;
    (node->prev != nullptr ? node->prev->next : m_pHead) = node->next;
    (node->next != nullptr ? node->next->prev : m_pTail) = node->prev;
    delete node;
    return true;
  }
  return false;
}

POSITION PointerList::GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pHead); }

void* PointerList::GetNext(POSITION& rPos) const {
  Node* node = reinterpret_cast<Node*>(rPos);
  ASSERT(node != nullptr);
  if (node == nullptr) return nullptr;
  rPos = reinterpret_cast<POSITION>(node->next);
  return node->item;
}

int PointerList::GetCount() const {
  int n = 0;
  for (Node* node = m_pHead; node != nullptr; node = node->next) ++n;
  return n;
}

}  // namespace afx_internal
