#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "TqSafeArray.h"
#include "TqVector.h"
#include "sandbox/test_support.h"

using namespace TQ;

namespace {

using sandbox::testing::MessageOf;

// Copies would give back one array access, or free one pair of arrays, twice.
static_assert(!std::is_copy_constructible_v<CTqComplexSplitter> && !std::is_copy_assignable_v<CTqComplexSplitter>);
static_assert(!std::is_copy_constructible_v<CTqSafeArrayProxy> && !std::is_copy_assignable_v<CTqSafeArrayProxy>);
static_assert(!std::is_copy_constructible_v<CTqLockableDataObject>);

// A vector with storage of its own, as the library's users derive them.
class CTestVector : public CTqVector {
 public:
  void Resize(ULONG count, ULONG reserved) override {
    EXPECT_EQ(reserved, 0u);
    m_storage.resize(count);
    m_count = count;
    m_elements = m_storage.data();
    ++m_resizes;
  }
  std::vector<CTqComplexT<double>> m_storage;
  int m_resizes = 0;
};

void Set(CTestVector& v, std::initializer_list<std::pair<double, double>> parts) {
  v.Resize(static_cast<ULONG>(parts.size()), 0);
  ULONG i = 0;
  for (const auto& [re, im] : parts) v.ElementAt(i++) = CTqComplexT<double>(re, im);
  v.m_resizes = 0;
}

TEST(Vector, AccessBeyondTheCountThrowsWithIndexAndSize) {
  CTestVector v;
  Set(v, {{1, 2}, {3, 4}, {5, 6}});
  EXPECT_EQ(v.GetAt(2).GetImaginary(), 6);
  v.ElementAt(1).SetReal(30);
  EXPECT_EQ(v.GetAt(1).GetReal(), 30);
  struct Case {
    ULONG index;
    const char* message;
  };
  for (const Case& c : {Case{3, "Invalid vector access: index = 3. Vector size is 3."},
                        Case{0xFFFFFFFF, "Invalid vector access: index = 4294967295. Vector size is 3."}}) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(sandbox::testing::ThrownMessage<CTqVectorAccessException>([&] { v.ElementAt(c.index); }), c.message);
    EXPECT_EQ(sandbox::testing::ThrownMessage<CTqVectorAccessException>([&] { v.GetAt(c.index); }), c.message);
  }
  CTqVectorAccessException negative(FALSE);
  EXPECT_EQ(MessageOf(&negative), "Invalid vector access: index value cannot be negative.");
}

TEST(Vector, FillResizesAndSetsEveryElement) {
  CTestVector v;
  Set(v, {{9, 9}});
  FillComplexVector(v, 3, new double[3]{1, 2, 3}, new double[3]{-1, -2, -3}, true);
  ASSERT_EQ(v.GetCount(), 3u);
  EXPECT_EQ(v.GetAt(2).GetReal(), 3);
  EXPECT_EQ(v.GetAt(2).GetImaginary(), -3);

  // Arrays the caller keeps stay its own.
  double real[1] = {5}, imaginary[1] = {6};
  FillComplexVector(v, 1, real, imaginary, false);
  EXPECT_EQ(v.GetAt(0).GetImaginary(), 6);

  FillComplexVector(v, 0, new double[1], new double[1], true);
  EXPECT_EQ(v.GetCount(), 0u) << "n = 0 only resizes (and frees what was handed over)";
}

// Storage that does not grow makes filling throw; the arrays handed over are freed anyway (the
// leak checker of the CI build would report them).
TEST(Vector, FillThatThrowsStillFreesTheArraysHandedOver) {
  class CFixedVector : public CTqVector {
   public:
    void Resize(ULONG, ULONG) override {}
  } fixed;
  EXPECT_FALSE(sandbox::testing::ThrownMessage<CTqVectorAccessException>(
                   [&] { FillComplexVector(fixed, 2, new double[2], new double[2], true); })
                   .empty());
}

TEST(Splitter, SplitsAndWritesBackOnce) {
  CTestVector v;
  Set(v, {{1, 2}, {3, 4}});
  CTqComplexSplitter splitter(v);
  ASSERT_NE(splitter.GetReal(), nullptr);
  EXPECT_EQ(splitter.GetReal()[1], 3);
  EXPECT_EQ(splitter.GetImaginary()[1], 4);
  splitter.GetReal()[0] = 10;
  splitter.WriteBack();
  EXPECT_EQ(v.GetAt(0).GetReal(), 10);
  EXPECT_EQ(v.GetAt(1).GetImaginary(), 4);
  EXPECT_EQ(splitter.GetReal(), nullptr);
  EXPECT_EQ(v.m_resizes, 1);
  splitter.WriteBack();
  EXPECT_EQ(v.m_resizes, 1) << "a second WriteBack does nothing";
}

// The source grows after the split: WriteBack writes the two values the arrays hold, never past
// them (the address checker of the CI build would report a read past the arrays).
TEST(Splitter, WritesBackWhatItsArraysHoldWhenTheSourceGrew) {
  CTestVector source;
  Set(source, {{1, 2}, {3, 4}});
  CTestVector target;
  {
    CTqComplexSplitter splitter(source, target);
    source.Resize(5, 0);
    splitter.WriteBack();
  }
  ASSERT_EQ(target.GetCount(), 2u);
  EXPECT_EQ(target.GetAt(1).GetReal(), 3);
  EXPECT_EQ(source.GetCount(), 5u) << "the source is not written";
}

// Without WriteBack the destructor frees the arrays (the leak checker of the CI build would
// report them); an empty source gives empty arrays.
TEST(Splitter, FreesWhatWasNotWrittenBack) {
  CTestVector v;
  Set(v, {{1, 2}});
  { CTqComplexSplitter splitter(v); }
  EXPECT_EQ(v.m_resizes, 0);
  CTestVector empty;
  CTqComplexSplitter nothing(empty);
  nothing.WriteBack();
  EXPECT_EQ(empty.GetCount(), 0u);
}

TEST(LockableDataObject, OwnsOneMutexForItsLife) {
  const size_t before = sandbox::LiveMutexes();
  {
    CTestVector a, b;
    EXPECT_NE(a.GetMutex(), nullptr);
    EXPECT_NE(a.GetMutex(), b.GetMutex());
    EXPECT_EQ(sandbox::LiveMutexes(), before + 2);
    EXPECT_EQ(WaitForSingleObject(a.GetMutex(), 0), static_cast<DWORD>(WAIT_OBJECT_0)) << "not initially owned";
    ReleaseMutex(a.GetMutex());
  }
  EXPECT_EQ(sandbox::LiveMutexes(), before);
  sandbox::FailMutexCreation();
  {
    CTestVector unlucky;
    EXPECT_EQ(unlucky.GetMutex(), nullptr) << "a failed creation leaves no mutex and says nothing";
  }
  EXPECT_EQ(sandbox::LiveMutexes(), before);
}

}  // namespace
