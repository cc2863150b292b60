// CObject run-time classes, dynamic creation, the diagnostic macros and CDumpContext.
#include <afx.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

#include "assertion.h"
#include "sandbox/sandbox.h"

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
  DECLARE_DYNCREATE(CCircle)
 public:
  int m_radius = 7;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CSquare : public CShape {
  DECLARE_DYNAMIC(CSquare)
};
IMPLEMENT_DYNAMIC(CSquare, CShape)

// An object whose AssertValid fails: ASSERT_VALID must reach it.
class CBroken : public CObject {
 public:
  void AssertValid() const override { ASSERT(m_valid); }
  bool m_valid = false;
};

TEST(CObjectTest, RuntimeClassNamesSizesAndBaseChain) {
  CRuntimeClass* circle = RUNTIME_CLASS(CCircle);
  EXPECT_STREQ(circle->m_lpszClassName, "CCircle");
  EXPECT_EQ(circle->m_nObjectSize, static_cast<int>(sizeof(CCircle)));
  EXPECT_EQ(circle->m_wSchema, 0xFFFFu);
  EXPECT_EQ(circle->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CShape)->m_pBaseClass, RUNTIME_CLASS(CObject));
  EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);

  EXPECT_TRUE(circle->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_TRUE(circle->IsDerivedFrom(circle));
  EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(circle));
  EXPECT_FALSE(circle->IsDerivedFrom(RUNTIME_CLASS(CSquare)));
  // Library classes sit on the same tree.
  EXPECT_TRUE(RUNTIME_CLASS(CFileException)->IsDerivedFrom(RUNTIME_CLASS(CException)));
  EXPECT_TRUE(RUNTIME_CLASS(CStdioFile)->IsDerivedFrom(RUNTIME_CLASS(CFile)));
}

TEST(CObjectTest, IsKindOfAndDowncasts) {
  CCircle circle;
  CSquare square;
  CObject* object = &circle;
  EXPECT_EQ(object->GetRuntimeClass(), RUNTIME_CLASS(CCircle));
  EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CSquare)));
  EXPECT_FALSE(object->IsSerializable());
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, object), &circle);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(&square)), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CCircle, static_cast<CObject*>(nullptr)), nullptr);
}

TEST(CObjectTest, CreateObjectOnlyForDynCreateClasses) {
  CObject* created = RUNTIME_CLASS(CCircle)->CreateObject();
  ASSERT_NE(created, nullptr);
  EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CCircle)));
  EXPECT_EQ(static_cast<CCircle*>(created)->m_radius, 7);
  delete created;
  EXPECT_EQ(RUNTIME_CLASS(CSquare)->CreateObject(), nullptr);
}

bool g_evaluated = false;
bool Evaluate(bool value) {
  g_evaluated = true;
  return value;
}

TEST(CObjectTest, AssertionsReportThroughTheSandbox) {
  ASSERT(1 + 1 == 2);
  VERIFY(Evaluate(true));
  EXPECT_TRUE(g_evaluated);
  EXPECT_ASSERTION(ASSERT(Evaluate(false)), "Assertion failed: ");
  EXPECT_ASSERTION(ASSERT(false), "object_test.cpp(");

  static CCircle circle;
  static CBroken broken;
  ASSERT_VALID(&circle);
  EXPECT_ASSERTION(ASSERT_VALID(&broken), "Assertion failed");
  EXPECT_ASSERTION(ASSERT_VALID(static_cast<CObject*>(nullptr)), "Assertion failed");
  EXPECT_ASSERTION(ASSERT_KINDOF(CSquare, &circle), "Assertion failed");
  TRACE("trace output: %d %s\n", 42, CString("text"));
}

TEST(CObjectTest, DumpWritesToAFile) {
  const std::string folder = sandbox::MapTempDrive('T');
  (void)folder;
  CCircle circle;
  {
    CFile file("T:\\dump.txt", CFile::modeCreate | CFile::modeWrite);
    CDumpContext dc(&file);
    dc << &circle << "n=" << 5 << " u=" << 7u << " neg=" << -3 << " " << CString("str") << "|";
    dc << static_cast<const CObject*>(nullptr);
    dc.Flush();
  }
  CFile file("T:\\dump.txt", CFile::modeRead);
  char text[256] = {};
  file.Read(text, sizeof text - 1);
  const std::string dumped = text;
  EXPECT_EQ(dumped.rfind("a CCircle at $", 0), 0u) << dumped;
  EXPECT_NE(dumped.find("\nn=5 u=7 neg=-3 str|NULL"), std::string::npos) << dumped;
}

}  // namespace
