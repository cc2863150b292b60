#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "Component.h"
#include "sandbox/sandbox.h"

namespace {

std::string DumpOf(const CComponent& component) {
  const std::string host = sandbox::MapTempDrive('T');
  {
    TQ::CTqFile file;
    EXPECT_TRUE(file.Open("T:\\dump.txt", CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file << component;
    file.Close();
  }
  std::ifstream in(host + "/dump.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Component, DefaultRecordIsEmpty) {
  CComponent c;
  EXPECT_FALSE(c.Hidden || c.SelectedByDefault || c.MFCRequired || c.Selected || c.WycInstrRequried ||
               c.InVXIPNP || c.HasImportLibrary);
  EXPECT_TRUE(c.GetComponentName().IsEmpty());
  EXPECT_TRUE(c.GetComponentHeaders().empty());
  EXPECT_TRUE(c.GetSections().empty());
  EXPECT_TRUE(c.Dependancies.empty());
}

TEST(Component, CopiesShareTheLinkedRecords) {
  std::vector<CComponent> catalogue(3);
  catalogue[0].ComponentName = "Base";
  catalogue[1].ComponentName = "Graph";
  catalogue[2].ComponentName = "Plot";
  catalogue[1].Dependancies.push_back(&catalogue[0]);
  catalogue[1].Dependants.push_back(&catalogue[2]);
  catalogue[1].HasImportLibrary = true;
  catalogue[1].SetComponentHeaders({"graph.h"});
  CComponent copy(catalogue[1]);
  ASSERT_EQ(copy.Dependancies.size(), 1u);
  EXPECT_EQ(copy.Dependancies[0], &catalogue[0]) << "the same record, not a copy";
  EXPECT_EQ(copy.Dependants[0], &catalogue[2]);
  EXPECT_TRUE(copy.HasImportLibrary);
  EXPECT_EQ(copy.GetComponentHeaders(), std::vector<CString>{"graph.h"});
  CComponent& same = copy;
  copy = same;  // self-assignment
  EXPECT_STREQ(copy.GetComponentName(), "Graph");
  CComponent assigned;
  assigned = catalogue[1];
  EXPECT_EQ(assigned.Dependants[0], &catalogue[2]);
}

TEST(Component, OrdersByByteValueOfTheName) {
  std::vector<CComponent> records(3);
  records[0].ComponentName = "apple";
  records[1].ComponentName = "Zebra";
  records[2].ComponentName = "Mango";
  std::sort(records.begin(), records.end());
  EXPECT_STREQ(records[0].ComponentName, "Mango");
  EXPECT_STREQ(records[1].ComponentName, "Zebra") << "upper-case Z orders before lower-case a";
  EXPECT_STREQ(records[2].ComponentName, "apple");
}

TEST(Component, DumpWritesLabelledLines) {
  CComponent base, plot, table;
  base.ComponentName = "Base";
  plot.ComponentName = "Plot";
  table.ComponentName = "Table";
  CComponent c;
  c.ComponentName = "Graph";
  c.Hidden = true;
  c.ComponentDescription = "Graph control";
  c.Category = "User Interface";
  c.XMLFormatVersion = "1.0";
  c.Namespace = "Tq";
  c.SetComponentHeaders({"graph.h", "axis.h"});
  c.SetComponentDependancies({"Base"});
  c.SetSections({{.GUID = "1234", .SectionEntries = {}}, {.GUID = "5678", .SectionEntries = {{"Key", "V"}}}});
  ComponentSource bare;
  bare.SourceFile = "graph.cpp";
  ComponentSource set;
  set.SourceFile = "axis.cpp";
  set.SubtractCompilerSettings = {"/Yu\"stdafx.h\""};
  c.SetComponentSources({bare, set});
  c.Dependancies.push_back(&base);
  c.Dependants = {&plot, &table};
  const std::string expected =
      "Component Name:\t\t\tGraph\r\n"
      "\tHidden:\t\t\ttrue\r\n"
      "\tSelectedByDefault:\tfalse\r\n"
      "\tSelected:\t\tfalse\r\n"
      "\tWycInstrRequried:\tfalse\r\n"
      "\tInVXIPNP:\t\tfalse\r\n"
      "\tComponentDescription:\tGraph control\r\n"
      "\tCategory:\t\tUser Interface\r\n"
      "\tXMLFormatVersion:\t1.0\r\n"
      "\tNamespace:\t\tTq\r\n"
      "\tComponentHeaders:\r\n"
      "\t\tgraph.h\r\n"
      "\t\taxis.h\r\n"
      "\tCompilerReleaseSettings:\r\n"
      "\tCompilerDebugSettings:\r\n"
      "\tRemoveCompilerReleaseSettings:\r\n"
      "\tRemoveCompilerDebugSettings:\r\n"
      "\tLinkerReleaseSettings:\r\n"
      "\tLinkerDebugSettings:\r\n"
      "\tRemoveLinkerReleaseSettings:\r\n"
      "\tRemoveLinkerDebugSettings:\r\n"
      "\tIncludesFileHeaderIncludes:\r\n"
      "\tDSWControlPalletGuids:\r\n"
      "\tComponentDependancies:\r\n"
      "\t\tBase\r\n"
      "\tSections:\r\n"
      "\t\tGUID:\t1234\r\n"
      "\t\tSectionEntry; \r\n"
      "\t\tGUID:\t5678\r\n"
      "\t\tSectionEntry; \r\n"
      "\t\t\tType:\tKey\r\n"
      "\t\t\tValue:\tV\r\n"
      "\tComponentSources:\r\n"
      "\t\tSourceFile:\tgraph.cpp\r\n"
      "\t\tAddCompilerSettings:\r\n"
      "\t\tRemoveAddCompilerSettings:\r\n"
      "\t\tSubtractCompilerSettings:\r\n"
      "\t\tRemoveSubtractCompilerSettings:\r\n"
      "\t\tSourceFile:\taxis.cpp\r\n"
      "\t\tAddCompilerSettings:\r\n"
      "\t\tRemoveAddCompilerSettings:\r\n"
      "\t\tSubtractCompilerSettings:\r\n"
      "\t\t\t/Yu\"stdafx.h\"\r\n"
      "\t\tRemoveSubtractCompilerSettings:\r\n"
      "\tDependancies:\r\n"
      "\t\tDependancy Name: Base\r\n"
      "\tDependants:\r\n"
      "\t\tDependant Name: Plot\r\n"
      "\t\tDependant Name: Table\r\n";
  EXPECT_EQ(DumpOf(c), expected);
}

}  // namespace
