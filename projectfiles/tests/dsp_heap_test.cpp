// The tree's heap: objects of every size keep their own memory however they are made and freed,
// each is aligned as its type needs, and threads may make and free each other's objects.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "dsp/DspConfigEntries.h"
#include "dsp/DspFile.h"
#include "dsp/DspSimpleEntries.h"
#include "dsp/DspTargetFile.h"
#include "dsp_test_support.h"

namespace {

// Entries of three sizes below the largest cell, and one above it.
class PaddedEntry : public CDspFileUnknownEntry {
 public:
  explicit PaddedEntry(const CString& line) : CDspFileUnknownEntry(line) {}
  alignas(16) char padding[24] = {};
};
class LargeEntry : public CDspFileUnknownEntry {
 public:
  explicit LargeEntry(const CString& line) : CDspFileUnknownEntry(line) {}
  char padding[400] = {};
};
class OverAlignedEntry : public CDspFileUnknownEntry {
 public:
  explicit OverAlignedEntry(const CString& line) : CDspFileUnknownEntry(line) {}
  alignas(64) char padding[8] = {};
};

// A line that names its object, so that an overlap shows as a changed text.
CString LineOf(int i) { return CString(("line number " + std::to_string(i) + " of the heap test").c_str()); }

CDspFileEntry* MakeEntry(int i) {
  switch (i % 5) {
    case 0: return new CDspFileUnknownEntry(LineOf(i));
    case 1: return new PaddedEntry(LineOf(i));
    case 2: return new LargeEntry(LineOf(i));
    case 3: return new OverAlignedEntry(LineOf(i));
    default: return new CDspSourceFileSourceEntry(LineOf(i));
  }
}

CString TextOf(const CDspFileEntry* entry) {
  if (auto* source = dynamic_cast<const CDspSourceFileSourceEntry*>(entry)) return source->GetPath();
  return static_cast<const CDspFileUnknownEntry*>(entry)->GetLine();
}

TEST(DspEntryHeap, ObjectsFreedInAnyOrderKeepTheOthersIntactAndAreAligned) {
  const size_t before = CDspEntryHeap::GetLiveCount();
  std::vector<std::unique_ptr<CDspFileEntry>> entries;
  for (int i = 0; i < 3000; ++i) entries.emplace_back(MakeEntry(i));
  std::mt19937 random(7);
  // Free every other one at random, make new ones in the freed places, then check them all.
  for (int round = 0; round < 3; ++round) {
    for (size_t i = 0; i < entries.size(); ++i)
      if (random() % 2 == 0) entries[i].reset(MakeEntry(static_cast<int>(i)));
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(TextOf(entries[i].get()), LineOf(static_cast<int>(i)));
    const auto address = reinterpret_cast<std::uintptr_t>(entries[i].get());
    if (i % 5 == 1) {
      EXPECT_EQ(address % 16, 0u);
    }
    if (i % 5 == 3) {
      EXPECT_EQ(address % 64, 0u);
    }
  }
  entries.clear();
  EXPECT_EQ(CDspEntryHeap::GetLiveCount(), before);
}

TEST(DspEntryHeap, ATreeReadOnOneThreadIsFreedOnAnother) {
  const size_t before = CDspEntryHeap::GetLiveCount();
  std::vector<std::unique_ptr<CDspFileEntry>> entries;
  std::thread maker([&entries] {
    CDspEntryHeap::Hold hold;
    for (int i = 0; i < 2000; ++i) entries.emplace_back(MakeEntry(i));
  });
  maker.join();
  // Two threads free half each, one of them under a hold, while this one makes more.
  std::thread first([&entries] {
    for (size_t i = 0; i < entries.size(); i += 2) entries[i].reset();
  });
  std::thread second([&entries] {
    CDspEntryHeap::Hold hold;
    for (size_t i = 1; i < entries.size(); i += 2) entries[i].reset();
  });
  std::vector<std::unique_ptr<CDspFileEntry>> more;
  for (int i = 0; i < 2000; ++i) more.emplace_back(MakeEntry(i));
  first.join();
  second.join();
  for (size_t i = 0; i < more.size(); ++i) ASSERT_STREQ(TextOf(more[i].get()), LineOf(static_cast<int>(i)));
  more.clear();
  EXPECT_EQ(CDspEntryHeap::GetLiveCount(), before);
}

class DspEntryHeapFile : public projectfiles_test::DspTest {};

TEST_F(DspEntryHeapFile, ClosingAProjectFreesEveryObjectOfItsTree) {
  const size_t before = CDspEntryHeap::GetLiveCount();
  ReadFixture("MeterDll.dsp");
  EXPECT_GT(CDspEntryHeap::GetLiveCount(), before + 50);
  file_.RemoveAll();
  EXPECT_EQ(CDspEntryHeap::GetLiveCount(), before);
}

}  // namespace
