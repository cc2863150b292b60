#include "dsp/DspText.h"

#include <algorithm>
#include <iterator>
#include <new>

#include "dsp/DspEntryHeap.h"

// --- CDspTextBlock --------------------------------------------------------------------------

const CDspTextBlock* CDspTextBlock::Empty() {
  alignas(kAlignment) static const char empty[sizeof(uint32_t) + 1] = {};
  return reinterpret_cast<const CDspTextBlock*>(empty);
}

const CDspTextBlock* CDspTextBlock::Make(void* memory, const char* data, int length) {
  const uint32_t size = static_cast<uint32_t>(length);
  char* bytes = static_cast<char*>(memory);
  std::memcpy(bytes, &size, sizeof size);
  if (length > 0) std::memcpy(bytes + sizeof size, data, static_cast<size_t>(length));
  bytes[sizeof size + static_cast<size_t>(length)] = '\0';
  return static_cast<const CDspTextBlock*>(memory);
}

// --- CDspTextStore --------------------------------------------------------------------------

namespace {

// The first piece is small, so that a small project takes little; each further one doubles, up
// to a size where a piece's unused rest no longer matters.
constexpr size_t kFirstPiece = 4 * 1024;
constexpr size_t kLargestPiece = 1024 * 1024;

}  // namespace

struct CDspTextStore::Piece {
  Piece* previous;
  // The blocks follow.
};

CDspTextStore::CDspTextStore() : m_last(NULL), m_next(NULL), m_end(NULL), m_pieceSize(kFirstPiece), m_shared() {}
CDspTextStore::~CDspTextStore() { Clear(); }

void CDspTextStore::NewPiece(size_t atLeast) {
  const size_t size = std::max(m_pieceSize, sizeof(Piece) + atLeast);
  auto* piece = static_cast<Piece*>(::operator new(size));
  piece->previous = m_last;
  m_last = piece;
  m_next = reinterpret_cast<char*>(piece + 1);
  m_end = reinterpret_cast<char*>(piece) + size;
  m_pieceSize = std::min(m_pieceSize * 2, kLargestPiece);
}

const CDspTextBlock* CDspTextStore::Add(const char* data, int length) {
  const size_t size = CDspTextBlock::SizeFor(length);
  // Blocks start at a multiple of 4 (a piece starts at a multiple of 8).
  const size_t padded = (size + CDspTextBlock::kAlignment - 1) & ~(CDspTextBlock::kAlignment - 1);
  if (static_cast<size_t>(m_end - m_next) < padded) NewPiece(padded);
  void* memory = m_next;
  m_next += padded;
  return CDspTextBlock::Make(memory, data, length);
}

namespace {

// Eight bytes from `p`, of which the first `count` (at most 8) are the text's.
uint64_t Word(const char* p, size_t count) {
  uint64_t word = 0;
  std::memcpy(&word, p, count);
  return word;
}

// A hash of the length and of the text's first, middle and last eight bytes: repeated lines of a
// project differ from the others in a name or a number, found at one of those places.
size_t HashOf(const char* data, size_t length) {
  uint64_t h = length * 0x9E3779B97F4A7C15ull;
  if (length <= 8) {
    h ^= Word(data, length);
  } else {
    h ^= Word(data, 8);
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull ^ Word(data + (length - 8) / 2, 8);
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull ^ Word(data + length - 8, 8);
  }
  h = (h ^ (h >> 32)) * 0x94D049BB133111EBull;
  return static_cast<size_t>(h ^ (h >> 29));
}

}  // namespace

const CDspTextBlock* CDspTextStore::AddShared(const char* data, int length) {
  const CDspTextBlock*& shared = m_shared[HashOf(data, static_cast<size_t>(length)) & (kShared - 1)];
  if (shared != NULL && shared->GetLength() == length &&
      std::memcmp(shared->GetData(), data, static_cast<size_t>(length)) == 0)
    return shared;
  shared = Add(data, length);
  return shared;
}

void CDspTextStore::Clear() {
  while (m_last != NULL) {
    Piece* previous = m_last->previous;
    ::operator delete(m_last);
    m_last = previous;
  }
  m_next = m_end = NULL;
  m_pieceSize = kFirstPiece;
  std::fill(std::begin(m_shared), std::end(m_shared), nullptr);
}

// --- CDspText -------------------------------------------------------------------------------

CDspText::CDspText(const CString& text) : CDspText(static_cast<LPCTSTR>(text), text.GetLength()) {}

CDspText::CDspText(const char* data, int length) : m_bits(0) {
  if (length == 0) return;
  void* memory = CDspEntryHeap::Allocate(CDspTextBlock::SizeFor(length));
  const CDspTextBlock* block = CDspTextBlock::Make(memory, data, length);
  m_bits = reinterpret_cast<uintptr_t>(block) | kOwned;
}

// A copy owns its bytes, even of a borrowed text: it may outlive the tree whose store holds them.
CDspText::CDspText(const CDspText& other) : m_bits(0) {
  CDspText copy(other.GetData(), other.GetLength());
  m_bits = copy.m_bits;
  copy.m_bits = 0;
}

CDspText& CDspText::operator=(const CDspText& other) {
  if (this != &other) *this = CDspText(other);
  return *this;
}

CDspText& CDspText::operator=(CDspText&& other) noexcept {
  if (this != &other) {
    if (IsOwned()) Free();
    m_bits = other.m_bits;
    other.m_bits = 0;
  }
  return *this;
}

void CDspText::Free() noexcept {
  CDspEntryHeap::Free(const_cast<CDspTextBlock*>(Block()), CDspTextBlock::SizeFor(Block()->GetLength()));
  m_bits = 0;
}
