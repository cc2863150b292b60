// The component description writer: the element tree of a record, the byte form of the sample
// catalogue, round trips through the reader, failures that leave the file as it was, and the
// COM initialisation a copy takes.
#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <afxdisp.h>
#include <objbase.h>

#include "ComponentXML.h"
#include "sandbox/test_support.h"

namespace {

std::vector<CString> List(std::initializer_list<const char*> items) { return {items.begin(), items.end()}; }

// The element tree of a file, one line per element: its name, indented two blanks a level, then
// ": " and the text when its one child is a text, or its attributes.
void Outline(const xmlNode* node, int depth, std::vector<std::string>& out) {
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    std::string line(static_cast<size_t>(2 * depth), ' ');
    line += reinterpret_cast<const char*>(node->name);
    if (node->nsDef != nullptr) line += std::string(" xmlns=") + reinterpret_cast<const char*>(node->nsDef->href);
    const xmlNode* child = node->children;
    if (child != nullptr && child->next == nullptr && child->type == XML_TEXT_NODE) {
      line += std::string(": ") + reinterpret_cast<const char*>(child->content);
      out.push_back(line);
      continue;
    }
    out.push_back(line);
    Outline(child, depth + 1, out);
  }
}

std::vector<std::string> OutlineOf(const std::string& hostPath) {
  std::vector<std::string> out;
  xmlDoc* doc = xmlReadFile(hostPath.c_str(), nullptr, XML_PARSE_NONET);
  EXPECT_NE(doc, nullptr) << hostPath;
  if (doc == nullptr) return out;
  Outline(xmlDocGetRootElement(doc), 0, out);
  xmlFreeDoc(doc);
  return out;
}

class WriterTest : public sandbox::testing::TempDriveTest<'T'> {
 protected:
  // Saves the record and returns the exception's status, S_OK when nothing was thrown.
  SCODE Save(const char* path, const CComponent& component) {
    try {
      CComponentXML writer(path);
      writer.Save(component);
      return S_OK;
    } catch (COleException* e) {
      const SCODE sc = e->m_sc;
      e->Delete();
      return sc;
    }
  }

  // The files in T:\, by name.
  std::vector<std::string> Files() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(host_)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(WriterTest, PopulatedRecordGivesTheFormatsTree) {
  CComponent c;
  c.Hidden = true;
  c.SelectedByDefault = false;
  c.MFCRequired = true;
  c.Selected = true;  // run-time state, never written
  c.ComponentName = "TqWidget";
  c.ComponentDescription = "Widgets";
  c.Category = "User Interface";
  c.XMLFormatVersion = "1.0";
  c.Namespace = "Tq";
  c.SetComponentHeaders(List({"TqWidget.h", "TqWidgetEx.h"}));
  c.SetCompilerReleaseSettings(List({"/D \"NDEBUG\""}));
  c.SetRemoveCompilerDebugSettings(List({"/MDd"}));
  c.SetLinkerDebugSettings(List({"TqWidgetd.lib"}));
  c.SetIncludesFileHeaderIncludes(List({"TqWidget.h"}));
  c.SetDSWControlPalletGuids(List({"8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B"}));
  c.SetComponentDependancies(List({"TqCore", "TqUtility"}));
  c.SetSections({{.GUID = "1111", .SectionEntries = {{"ClassName", "CTqWidget"}, {"HeaderFile", "TqWidget.h"}}},
                 {.GUID = "2222", .SectionEntries = {}}});
  c.SetComponentSources({{.SourceFile = "w.cpp",
                          .AddCompilerSettings = List({"/D A"}),
                          .SubtractCompilerSettings = List({"/Yu\"stdafx.h\""}),
                          .RemoveAddCompilerSettings = {},
                          .RemoveSubtractCompilerSettings = List({"/YX", "/Yc"})}});
  ASSERT_EQ(Save("T:\\TqWidget.xml", c), S_OK);

  const std::vector<std::string> expected = {
      "Component xmlns=urn:sablewing:component-description",
      "  Hidden: 1",
      "  SelectedByDefault: 0",
      "  MFCRequired: 1",
      "  ComponentName: TqWidget",
      "  ComponentDescription: Widgets",
      "  Category: User Interface",
      "  XMLFormatVersion: 1.0",
      "  Namespace: Tq",
      "  ComponentHeaders",
      "    ComponentHeader: TqWidget.h",
      "    ComponentHeader: TqWidgetEx.h",
      "  CompilerReleaseSettings",
      "    CompilerReleaseSetting: /D \"NDEBUG\"",
      "  CompilerDebugSettings",
      "  RemoveCompilerReleaseSettings",
      "  RemoveCompilerDebugSettings",
      "    RemoveCompilerDebugSetting: /MDd",
      "  LinkerReleaseSettings",
      "  LinkerDebugSettings",
      "    LinkerDebugSetting: TqWidgetd.lib",
      "  RemoveLinkerReleaseSettings",
      "  RemoveLinkerDebugSettings",
      "  IncludesFileHeaderIncludes",
      "    IncludesFileHeaderInclude: TqWidget.h",
      "  DSWControlPalletGuids",
      "    DSWControlPalletGuid: 8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B",
      "  ComponentDependancies",
      "    ComponentDependancies: TqCore",
      "    ComponentDependancies: TqUtility",
      "  Sections",
      "    Section",
      "      GUID: 1111",
      "      SectionEntries",
      "        SectionEntry",
      "          Type: ClassName",
      "          Value: CTqWidget",
      "        SectionEntry",
      "          Type: HeaderFile",
      "          Value: TqWidget.h",
      "    Section",
      "      GUID: 2222",
      "      SectionEntries",
      "  Sources",
      "    Source",
      "      SourceFile: w.cpp",
      "      AddCompilerSettings",
      "        AddCompilerSettings",
      "          AddCompilerSetting: /D A",
      "      RemoveAddCompilerSettings",
      "      SubtractCompilerSettings",
      "        SubtractCompilerSettings",
      "          SubtractCompilerSetting: /Yu\"stdafx.h\"",
      "      RemoveSubtractCompilerSettings",
      "        RemoveSubtractCompilerSettings",
      "          RemoveSubtractCompilerSetting: /YX",
      "        RemoveSubtractCompilerSettings",
      "          RemoveSubtractCompilerSetting: /Yc",
  };
  EXPECT_EQ(OutlineOf(host_ + "/TqWidget.xml"), expected);
}

TEST_F(WriterTest, EmptyRecordWritesEveryElement) {
  ASSERT_EQ(Save("T:\\Empty.xml", CComponent()), S_OK);
  EXPECT_EQ(DiskBytes("T:\\Empty.xml"),
            "<?xml version=\"1.0\"?>\r\n"
            "<Component xmlns=\"urn:sablewing:component-description\"><Hidden>0</Hidden>"
            "<SelectedByDefault>0</SelectedByDefault><MFCRequired>0</MFCRequired>"
            "<ComponentName></ComponentName><ComponentDescription></ComponentDescription><Category></Category>"
            "<XMLFormatVersion></XMLFormatVersion><Namespace></Namespace>"
            "<ComponentHeaders/><CompilerReleaseSettings/><CompilerDebugSettings/><RemoveCompilerReleaseSettings/>"
            "<RemoveCompilerDebugSettings/><LinkerReleaseSettings/><LinkerDebugSettings/>"
            "<RemoveLinkerReleaseSettings/><RemoveLinkerDebugSettings/><IncludesFileHeaderIncludes/>"
            "<DSWControlPalletGuids/><ComponentDependancies/><Sections/><Sources/></Component>\r\n");
  EXPECT_EQ(Files(), std::vector<std::string>{"Empty.xml"}) << "nothing left beside it";
}

// Texts go into the file as they are and come back through the reader as they were: markup
// characters, a character of the code page beyond ASCII, and empty texts.
TEST_F(WriterTest, RoundTripThroughTheReader) {
  CComponent c;
  c.SelectedByDefault = true;
  c.ComponentName = "A<B>&\"C\"";
  c.ComponentDescription = "Caf\xE9 & more";
  c.Category = "";
  c.Namespace = "";
  c.SetComponentHeaders(List({"<1>", "&amp;"}));
  c.SetSections({{.GUID = "\"g\"", .SectionEntries = {{"T&", "<V>"}}}});
  c.SetComponentSources({{.SourceFile = "\xE9.cpp",
                          .AddCompilerSettings = List({"/D \"X=<1>\""}),
                          .SubtractCompilerSettings = {},
                          .RemoveAddCompilerSettings = {},
                          .RemoveSubtractCompilerSettings = {}}});
  ASSERT_EQ(Save("T:\\RoundTrip.xml", c), S_OK);
  EXPECT_NE(DiskBytes("T:\\RoundTrip.xml").find("<ComponentDescription>Caf\xC3\xA9 &amp; more</ComponentDescription>"),
            std::string::npos)
      << "escaped, in UTF-8";

  CComponent back;
  CComponentXML("T:\\RoundTrip.xml").Read(back);
  EXPECT_TRUE(back.SelectedByDefault);
  EXPECT_FALSE(back.Hidden);
  EXPECT_STREQ(back.ComponentName, "A<B>&\"C\"");
  EXPECT_STREQ(back.ComponentDescription, "Caf\xE9 & more");
  EXPECT_STREQ(back.Category, "");
  ASSERT_EQ(back.ComponentHeaders.size(), 2u);
  EXPECT_STREQ(back.ComponentHeaders[1], "&amp;");
  ASSERT_EQ(back.Sections.size(), 1u);
  EXPECT_STREQ(back.Sections[0].SectionEntries[0].Value, "<V>");
  ASSERT_EQ(back.ComponentSources.size(), 1u);
  EXPECT_STREQ(back.ComponentSources[0].SourceFile, "\xE9.cpp");
  EXPECT_STREQ(back.ComponentSources[0].AddCompilerSettings[0], "/D \"X=<1>\"");

  // Written again, the record read back gives the same bytes: nothing was lost on the way.
  ASSERT_EQ(Save("T:\\Again.xml", back), S_OK);
  EXPECT_EQ(DiskBytes("T:\\Again.xml"), DiskBytes("T:\\RoundTrip.xml"));
}

// The sample catalogue's files in the writer's byte form, read and saved again, give their
// bytes back.
TEST_F(WriterTest, SampleFilesInTheWritersFormComeBackByteForByte) {
  const std::string components = sandbox::testing::SourceRoot() + "/sample/Sablewing/Components";
  CopyToDisk(components, "Components");
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(components)) {
    const std::string name = entry.path().filename();
    if (name == "TqDataSocket.xml") continue;  // laid out by hand, not in the writer's form
    SCOPED_TRACE(name);
    CComponent record;
    CComponentXML(("T:\\Components\\" + name).c_str()).Read(record);
    ASSERT_EQ(Save(("T:\\" + name).c_str(), record), S_OK);
    EXPECT_EQ(DiskBytes("T:\\" + name), sandbox::testing::ReadHostFile(entry.path()));
    ++compared;
  }
  EXPECT_EQ(compared, 11);
}

// Whatever fails, the file that was there stays as it was and nothing is left beside it.
TEST_F(WriterTest, FailedSaveLeavesTheFileAsItWas) {
  WriteDisk("Keep.xml", "<old/>");
  CComponent good;
  good.ComponentName = "Good";
  CComponent control;
  control.ComponentDescription = "bell \x07 here";
  struct Case {
    const char* name;
    const char* failingPath;  // "" for none
    const char* operation;
    const CComponent* record;
    SCODE status;
  };
  const Case cases[] = {
      {"write fails", "T:\\Keep.xml.~sav", "write", &good, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
      {"rename fails", "T:\\Keep.xml", "move", &good, HRESULT_FROM_WIN32(ERROR_DISK_FULL)},
      {"control character", "", "", &control, E_FAIL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (*c.failingPath) sandbox::InjectFileFailure(c.failingPath, c.operation, ERROR_DISK_FULL);
    EXPECT_EQ(Save("T:\\Keep.xml", *c.record), c.status);
    EXPECT_EQ(DiskBytes("T:\\Keep.xml"), "<old/>");
    EXPECT_EQ(Files(), std::vector<std::string>{"Keep.xml"});
    sandbox::ClearFileFailures();
  }
  EXPECT_EQ(Save("T:\\Keep.xml", good), S_OK);
  EXPECT_NE(DiskBytes("T:\\Keep.xml").find("<ComponentName>Good</ComponentName>"), std::string::npos);
}

// Every object holds its own COM initialisation of its thread, a copy too; assignment takes none.
TEST_F(WriterTest, CopyTakesAndGivesBackItsOwnComInitialisation) {
  std::thread([] {
    // S_FALSE while something still holds the thread in COM, S_OK once everything was given back.
    auto stillInCom = [] {
      const HRESULT hr = CoInitialize(NULL);
      CoUninitialize();
      return hr == S_FALSE;
    };
    {
      CComponentXML original("T:\\a.xml");
      {
        CComponentXML copy(original);
        EXPECT_STREQ(copy.GetFilePath(), "T:\\a.xml");
        CComponentXML other("T:\\b.xml");
        other = copy;
        CComponentXML& same = other;
        other = same;  // self-assignment
        EXPECT_STREQ(other.GetFilePath(), "T:\\a.xml");
      }
      EXPECT_TRUE(stillInCom()) << "the copies gave back only their own";
    }
    EXPECT_FALSE(stillInCom()) << "every initialisation was given back";
  }).join();
}

}  // namespace

namespace {

// Save swept over the DOM's file calls: each fails in turn, and the files are copied aside just
// before each (a crash there). A failure is thrown and leaves the file as it was with nothing
// beside it; a crash leaves it whole, old or new.
TEST_F(WriterTest, EverySaveLeavesTheFileOldOrNewAtEveryPoint) {
  CComponent record;
  record.ComponentName = "Swept";
  record.ComponentHeaders = List({"TqSwept.h"});
  const std::optional<std::string> rows[] = {std::nullopt, "<old/>"};
  for (const auto& before : rows) {
    SCOPED_TRACE(before ? "replacing a file" : "a new file");
    std::optional<std::string> after, crashed;
    auto bytes = [this]() -> std::optional<std::string> {
      if (!OnDisk("T:\\Swept.xml")) return std::nullopt;
      return DiskBytes("T:\\Swept.xml");
    };
    sandbox::testing::SweepFileFaults({
        .arrange =
            [&] {
              std::filesystem::remove_all(host_);
              std::filesystem::create_directory(host_);
              if (before) WriteDisk("Swept.xml", *before);
            },
        .run =
            [&] {
              if (Save("T:\\Swept.xml", record) != S_OK) return false;
              if (!after) after = bytes();
              return true;
            },
        .checkFailed =
            [&](const sandbox::FileCall&, bool succeeded) {
              EXPECT_EQ(bytes(), succeeded ? after : before);
              EXPECT_EQ(Files().size(), bytes() ? 1u : 0u) << "nothing beside the file";
              EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
            },
        .snapshot = [&] { crashed = bytes(); },
        .checkCrash = [&](const sandbox::FileCall&) { EXPECT_TRUE(crashed == before || crashed == after); },
    });
  }
}

}  // namespace
