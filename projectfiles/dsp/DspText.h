// The texts the project tree keeps (verbatim lines, SOURCE paths, the arguments of a setting
// line), in one word each. A large project holds a million of them, most of a few dozen bytes:
// as strings of their own they would take more memory than the file itself.
//
// A text is a block: its length (four bytes), its bytes and a NUL. The reader puts the blocks of
// what it keeps side by side in the text store of the file it reads, which frees them all at once
// with the file's tree; a text given by a caller gets a block of its own, freed with the text.
#pragma once

#include "stdafx.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

// One text's block; only ever seen through a pointer.
class CDspTextBlock {
 public:
  int GetLength() const {
    uint32_t length;
    std::memcpy(&length, this, sizeof length);
    return static_cast<int>(length);
  }
  // The bytes, followed by a NUL.
  LPCTSTR GetData() const { return reinterpret_cast<const char*>(this) + sizeof(uint32_t); }

  // The block of the empty text, shared by every empty line.
  static const CDspTextBlock* Empty();
  // The bytes a block of `length` bytes of text takes.
  static size_t SizeFor(int length) { return sizeof(uint32_t) + static_cast<size_t>(length) + 1; }
  // Writes a block into `memory` (SizeFor(length) bytes, aligned to 4).
  static const CDspTextBlock* Make(void* memory, const char* data, int length);

  // Blocks are aligned to 4, so that the two lowest bits of their address are free for a tag.
  static constexpr uintptr_t kAlignment = 4;

  CDspTextBlock() = delete;
  CDspTextBlock(const CDspTextBlock&) = delete;
  CDspTextBlock& operator=(const CDspTextBlock&) = delete;
};

// The blocks of the texts read from one file, carved side by side from large pieces and freed
// together. Not thread-safe: the reader fills it, and it goes with the file's tree.
class CDspTextStore {
 public:
  CDspTextStore();
  ~CDspTextStore();

  const CDspTextBlock* Add(const char* data, int length);
  // The same, or a block added this way before that holds the same bytes: a project repeats many
  // of its lines (the conditionals and compiler lines of every source file with settings of its
  // own). The blocks added last are remembered by a hash of their bytes.
  const CDspTextBlock* AddShared(const char* data, int length);
  // Frees every block: no text of the store may be used afterwards.
  void Clear();

  CDspTextStore(const CDspTextStore&) = delete;
  CDspTextStore& operator=(const CDspTextStore&) = delete;

 private:
  struct Piece;
  void NewPiece(size_t atLeast);

  Piece* m_last;
  char* m_next;
  char* m_end;
  size_t m_pieceSize;
  static constexpr size_t kShared = 256;  // a power of 2
  const CDspTextBlock* m_shared[kShared];
};

// A text: a block of a file's text store (borrowed; it lives as long as the file's tree) or one
// of its own (owned). Empty without a block.
class CDspText {
 public:
  CDspText() noexcept : m_bits(0) {}
  // A copy of the string's bytes (all of them, NULs included), in a block of its own.
  explicit CDspText(const CString& text);
  CDspText(const char* data, int length);
  // A block of a text store, which outlives the text.
  static CDspText Borrowed(const CDspTextBlock* block) {
    CDspText text;
    text.m_bits = reinterpret_cast<uintptr_t>(block);
    return text;
  }
  // A copy has a block of its own; a move keeps the block.
  CDspText(const CDspText& other);
  CDspText(CDspText&& other) noexcept : m_bits(other.m_bits) { other.m_bits = 0; }
  CDspText& operator=(const CDspText& other);
  CDspText& operator=(CDspText&& other) noexcept;
  ~CDspText() {
    if (m_bits & kOwned) Free();
  }

  int GetLength() const { return m_bits == 0 ? 0 : Block()->GetLength(); }
  bool IsEmpty() const { return GetLength() == 0; }
  // The bytes, followed by a NUL.
  LPCTSTR GetData() const { return m_bits == 0 ? "" : Block()->GetData(); }
  CString ToString() const { return CString(GetData(), GetLength()); }
  // A borrowed text came from a file read, which holds no NUL; an owned one may hold one.
  bool IsOwned() const { return (m_bits & kOwned) != 0; }

  // CString's equality: the texts up to their first NUL.
  bool operator==(LPCTSTR other) const { return std::strcmp(GetData(), other) == 0; }

 private:
  static constexpr uintptr_t kOwned = 1;
  const CDspTextBlock* Block() const { return reinterpret_cast<const CDspTextBlock*>(m_bits & ~kOwned); }
  void Free() noexcept;

  uintptr_t m_bits;
};
