// The component description reader over the sample catalogue, the format's value rules on small
// inline documents, the refused files of sample/bad, and the reader's COM initialisation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <afxdisp.h>
#include <msxml.h>
#include <objbase.h>
#include <standin_com.h>
#include <windows.h>

#include "ComponentXML.h"
#include "TqException.h"
#include "sandbox/sandbox.h"

namespace {

std::string Str(const CString& s) { return std::string(static_cast<LPCTSTR>(s)); }

std::vector<std::string> Strs(const std::vector<CString>& list) {
  std::vector<std::string> out;
  for (const CString& s : list) out.push_back(Str(s));
  return out;
}

std::string Join(const std::vector<CString>& list) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) out += ',';
    out += Str(list[i]);
  }
  return out;
}

// "GUID{Type=Value;...}" per section, one after the other.
std::string Describe(const std::vector<ComponentSection>& sections) {
  std::string out;
  for (const ComponentSection& s : sections) {
    out += Str(s.GUID) + "{";
    for (const ComponentSectionEntry& e : s.SectionEntries) out += Str(e.Type) + "=" + Str(e.Value) + ";";
    out += "}";
  }
  return out;
}

// "File[add|removeAdd|subtract|removeSubtract]" per source.
std::string Describe(const std::vector<ComponentSource>& sources) {
  std::string out;
  for (const ComponentSource& s : sources)
    out += Str(s.SourceFile) + "[" + Join(s.AddCompilerSettings) + "|" + Join(s.RemoveAddCompilerSettings) + "|" +
           Join(s.SubtractCompilerSettings) + "|" + Join(s.RemoveSubtractCompilerSettings) + "]";
  return out;
}

// Every field of the record, the run-time ones included, so that "unchanged" can be checked.
std::string Describe(const CComponent& c) {
  std::ostringstream out;
  out << c.Hidden << c.SelectedByDefault << c.MFCRequired << c.Selected << c.WycInstrRequried << c.InVXIPNP
      << c.HasImportLibrary << "|" << Str(c.ComponentName) << "|" << Str(c.ComponentDescription) << "|"
      << Str(c.Category) << "|" << Str(c.XMLFormatVersion) << "|" << Str(c.Namespace);
  for (const auto* list : {&c.ComponentHeaders, &c.CompilerReleaseSettings, &c.CompilerDebugSettings,
                           &c.RemoveCompilerReleaseSettings, &c.RemoveCompilerDebugSettings, &c.LinkerReleaseSettings,
                           &c.LinkerDebugSettings, &c.RemoveLinkerReleaseSettings, &c.RemoveLinkerDebugSettings,
                           &c.IncludesFileHeaderIncludes, &c.DSWControlPalletGuids, &c.ComponentDependancies})
    out << "|" << Join(*list);
  out << "|" << Describe(c.Sections) << "|" << Describe(c.ComponentSources);
  for (const CComponent* p : c.Dependancies) out << "|dep " << p;
  for (const CComponent* p : c.Dependants) out << "|dependant " << p;
  return out.str();
}

// A record with something in every field, to show what a read assigns and what it leaves alone.
CComponent Poisoned(CComponent* linked) {
  CComponent c;
  c.Hidden = c.SelectedByDefault = c.MFCRequired = c.Selected = true;
  c.WycInstrRequried = c.InVXIPNP = c.HasImportLibrary = true;
  c.ComponentName = c.ComponentDescription = c.Category = c.XMLFormatVersion = c.Namespace = "poison";
  const std::vector<CString> junk{"poison"};
  c.SetComponentHeaders(junk);
  c.SetCompilerReleaseSettings(junk);
  c.SetCompilerDebugSettings(junk);
  c.SetRemoveCompilerReleaseSettings(junk);
  c.SetRemoveCompilerDebugSettings(junk);
  c.SetLinkerReleaseSettings(junk);
  c.SetLinkerDebugSettings(junk);
  c.SetRemoveLinkerReleaseSettings(junk);
  c.SetRemoveLinkerDebugSettings(junk);
  c.SetIncludesFileHeaderIncludes(junk);
  c.SetDSWControlPalletGuids(junk);
  c.SetComponentDependancies(junk);
  c.SetSections({ComponentSection{"poison", {{"ClassName", "poison"}}}});
  c.SetComponentSources({ComponentSource{"poison", junk, junk, junk, junk}});
  c.Dependancies.push_back(linked);
  c.Dependants.push_back(linked);
  return c;
}

class ComponentXMLTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* source = std::getenv("SABLEWING_SOURCE_DIR");
    ASSERT_NE(source, nullptr) << "the test runs with SABLEWING_SOURCE_DIR set";
    sandbox::MapDrive('S', std::string(source) + "/sample");
    temp_ = sandbox::MapTempDrive('T');
  }

  // Reads `path`; a failure of the reader fails the test.
  static CComponent Read(const CString& path) {
    CComponent component;
    try {
      CComponentXML reader(path);
      reader.Read(component);
    } catch (CException* e) {
      char text[512] = "";
      e->GetErrorMessage(text, sizeof text);
      ADD_FAILURE() << "reading " << Str(path) << " threw: " << text;
      e->Delete();
    }
    return component;
  }

  static CComponent ReadSample(const char* file) {
    return Read(CString("S:\\Sablewing\\Components\\") + file);
  }

  // Writes a document whose root holds `body` to the temporary drive and reads it.
  CComponent ReadInline(const std::string& body) {
    WriteTemp("inline.xml", "<?xml version=\"1.0\"?>\r\n<Component xmlns=\"urn:sablewing:component-description\">" +
                                body + "</Component>\r\n");
    return Read("T:\\inline.xml");
  }

  void WriteTemp(const std::string& name, const std::string& bytes) {
    std::ofstream(temp_ + "/" + name, std::ios::binary) << bytes;
  }

  std::string temp_;
};

// --- the sample catalogue ---------------------------------------------------------------------

TEST_F(ComponentXMLTest, EverySampleFileReadsAndTheCatalogueHangsTogether) {
  std::vector<CComponent> catalogue;
  WIN32_FIND_DATA found;
  HANDLE find = FindFirstFile("S:\\Sablewing\\Components\\*.xml", &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    SCOPED_TRACE(found.cFileName);
    catalogue.push_back(Read(CString("S:\\Sablewing\\Components\\") + found.cFileName));
  } while (FindNextFile(find, &found));
  FindClose(find);
  ASSERT_EQ(catalogue.size(), 12u);

  const std::set<std::string> categories{"Core Components", "User Interface", "Analysis", "Hardware APIs",
                                         "Networking"};
  std::set<std::string> names, seenCategories;
  int hidden = 0;
  for (const CComponent& c : catalogue) {
    SCOPED_TRACE(Str(c.ComponentName));
    EXPECT_FALSE(c.ComponentName.IsEmpty());
    EXPECT_FALSE(c.ComponentDescription.IsEmpty());
    EXPECT_FALSE(c.GetComponentHeaders().empty());
    EXPECT_FALSE(c.GetIncludesFileHeaderIncludes().empty()) << "the customizer finds a selection by these";
    EXPECT_EQ(categories.count(Str(c.Category)), 1u);
    EXPECT_TRUE(names.insert(Str(c.ComponentName)).second) << "names are unique";
    seenCategories.insert(Str(c.Category));
    hidden += c.Hidden;
  }
  EXPECT_EQ(seenCategories, categories);
  EXPECT_EQ(hidden, 1);
  // Every dependency resolves, or the depot would refuse the whole catalogue.
  int dependingOnCore = 0;
  for (const CComponent& c : catalogue) {
    for (const CString& dependency : c.GetComponentDependancies()) {
      EXPECT_EQ(names.count(Str(dependency)), 1u) << Str(c.ComponentName) << " needs " << Str(dependency);
      dependingOnCore += dependency == "TqCore";
    }
  }
  EXPECT_GE(dependingOnCore, 3) << "TqCore is the shared dependency";
}

TEST_F(ComponentXMLTest, TqGraphReadsEveryField) {
  CComponent c = ReadSample("TqGraph.xml");
  EXPECT_FALSE(c.Hidden);
  EXPECT_TRUE(c.SelectedByDefault);
  EXPECT_TRUE(c.MFCRequired);
  EXPECT_FALSE(c.Selected);
  EXPECT_EQ(Str(c.ComponentName), "TqGraph");
  EXPECT_EQ(Str(c.ComponentDescription), "Graph control: strip charts, XY plots and cursors");
  EXPECT_EQ(Str(c.Category), "User Interface");
  EXPECT_EQ(Str(c.XMLFormatVersion), "1.0");
  EXPECT_EQ(Str(c.Namespace), "TqUI");
  using V = std::vector<std::string>;
  EXPECT_EQ(Strs(c.GetComponentHeaders()),
            (V{"$(SABLEWING_CPP_DIR)\\include\\TqGraph.h", "$(SABLEWING_CPP_DIR)\\include\\TqGraphCtrl.h",
               "$(SABLEWING_CPP_DIR)\\include\\TqLegendCtrl.h"}));
  EXPECT_EQ(Strs(c.GetCompilerReleaseSettings()),
            (V{"/I \"$(SABLEWING_CPP_DIR)\\include\"", "/D \"TQ_USE_GRAPH\""}));
  EXPECT_EQ(Strs(c.GetCompilerDebugSettings()),
            (V{"/I \"$(SABLEWING_CPP_DIR)\\include\"", "/D \"TQ_USE_GRAPH\"", "/GR"}));
  EXPECT_EQ(Strs(c.GetRemoveCompilerReleaseSettings()), V{});
  EXPECT_EQ(Strs(c.GetRemoveCompilerDebugSettings()), V{});
  EXPECT_EQ(Strs(c.GetLinkerReleaseSettings()), V{"TqGraph.lib"});
  EXPECT_EQ(Strs(c.GetLinkerDebugSettings()), V{"TqGraphd.lib"});
  EXPECT_EQ(Strs(c.GetRemoveLinkerReleaseSettings()), V{});
  EXPECT_EQ(Strs(c.GetRemoveLinkerDebugSettings()), V{});
  EXPECT_EQ(Strs(c.GetIncludesFileHeaderIncludes()), V{"TqGraph.h"});
  EXPECT_EQ(Strs(c.GetDSWControlPalletGuids()),
            (V{"8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B", "8A2C4E11-3B5D-4F61-9E7A-0C1D2E3F4A5B"}));
  EXPECT_EQ(Strs(c.GetComponentDependancies()), V{"TqControls"});
  EXPECT_EQ(Describe(c.GetSections()),
            "8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5B{ClassName=CTqGraphCtrl;HeaderFile=TqGraphCtrl.h;"
            "ImplFile=TqGraphCtrl.cpp;DefaultSinkHeaderFile=TqGraphCtrl.h;DefaultSinkClassName=CTqGraphCtrl;}"
            "8A2C4E11-3B5D-4F61-9E7A-0C1D2E3F4A5B{ClassName=CTqLegendCtrl;HeaderFile=TqLegendCtrl.h;"
            "ImplFile=TqLegendCtrl.cpp;}");
  EXPECT_EQ(Describe(c.GetComponentSources()),
            "$(SABLEWING_CPP_DIR)\\source\\TqGraphCtrl.cpp[/D \"TQ_GRAPH_WRAPPER\"|/D \"TQ_GRAPH_LEGACY\"|"
            "/Yu\"stdafx.h\"|/YX]"
            "$(SABLEWING_CPP_DIR)\\source\\TqLegendCtrl.cpp[||/Yu\"stdafx.h\"|]");
}

TEST_F(ComponentXMLTest, TqCoreReadsEveryField) {
  CComponent c = ReadSample("TqCore.xml");
  EXPECT_FALSE(c.Hidden);
  EXPECT_TRUE(c.SelectedByDefault);
  EXPECT_TRUE(c.MFCRequired);
  EXPECT_EQ(Str(c.ComponentName), "TqCore");
  EXPECT_EQ(Str(c.ComponentDescription), "Core classes: exceptions, strings, timers and data buffers");
  EXPECT_EQ(Str(c.Category), "Core Components");
  EXPECT_EQ(Str(c.XMLFormatVersion), "1.0");
  EXPECT_EQ(Str(c.Namespace), "TqCore");
  using V = std::vector<std::string>;
  const std::string inc = "/I \"$(SABLEWING_CPP_DIR)\\include\"";
  const std::string libpath = "/libpath:\"$(SABLEWING_CPP_DIR)\\lib\"";
  EXPECT_EQ(Strs(c.GetComponentHeaders()),
            (V{"$(SABLEWING_CPP_DIR)\\include\\TqCore.h", "$(SABLEWING_CPP_DIR)\\include\\TqCoreBuffer.h"}));
  EXPECT_EQ(Strs(c.GetCompilerReleaseSettings()), (V{"/MD", inc, "/D \"TQ_USE_CORE\""}));
  EXPECT_EQ(Strs(c.GetCompilerDebugSettings()), (V{"/MDd", inc, "/D \"TQ_USE_CORE\""}));
  EXPECT_EQ(Strs(c.GetRemoveCompilerReleaseSettings()), (V{"/ML", "/MT"}));
  EXPECT_EQ(Strs(c.GetRemoveCompilerDebugSettings()), (V{"/MLd", "/MTd"}));
  EXPECT_EQ(Strs(c.GetLinkerReleaseSettings()), (V{"TqCore.lib", libpath}));
  EXPECT_EQ(Strs(c.GetLinkerDebugSettings()), (V{"TqCored.lib", libpath}));
  EXPECT_EQ(Strs(c.GetRemoveLinkerReleaseSettings()), V{"/nodefaultlib:\"msvcrt.lib\""});
  EXPECT_EQ(Strs(c.GetRemoveLinkerDebugSettings()), V{"/nodefaultlib:\"msvcrtd.lib\""});
  EXPECT_EQ(Strs(c.GetIncludesFileHeaderIncludes()), V{"TqCore.h"});
  EXPECT_EQ(Strs(c.GetDSWControlPalletGuids()), V{});
  EXPECT_EQ(Strs(c.GetComponentDependancies()), V{"TqCoreRuntime"});
  EXPECT_EQ(Describe(c.GetSections()), "");
  EXPECT_EQ(Describe(c.GetComponentSources()),
            "$(SABLEWING_CPP_DIR)\\source\\TqCoreInit.cpp[/D \"TQ_CORE_STATIC_INIT\"||/Yu\"stdafx.h\"|]");
}

// The hand-laid-out file carries indentation, a comment before the root and one inside a list:
// none of it may reach the record.
TEST_F(ComponentXMLTest, HandEditedTqDataSocketReadsLikeAWrittenFile) {
  CComponent c = ReadSample("TqDataSocket.xml");
  EXPECT_FALSE(c.Hidden);
  EXPECT_FALSE(c.SelectedByDefault);
  EXPECT_TRUE(c.MFCRequired);
  EXPECT_EQ(Str(c.ComponentName), "TqDataSocket");
  EXPECT_EQ(Str(c.Category), "Networking");
  EXPECT_EQ(Str(c.XMLFormatVersion), "1.1");
  EXPECT_EQ(Str(c.Namespace), "TqNet");
  using V = std::vector<std::string>;
  EXPECT_EQ(Strs(c.GetLinkerDebugSettings()), (V{"TqDataSocketd.lib", "wsock32.lib"}));
  EXPECT_EQ(Strs(c.GetRemoveCompilerDebugSettings()), V{});
  EXPECT_EQ(Strs(c.GetComponentDependancies()), (V{"TqCore", "TqUtility"}));
  EXPECT_EQ(Strs(c.GetDSWControlPalletGuids()), V{"C3B1A970-2E4D-4B6F-8A1C-9D0E1F2A3B4C"});
  EXPECT_EQ(Describe(c.GetSections()),
            "C3B1A970-2E4D-4B6F-8A1C-9D0E1F2A3B4C{ClassName=CTqDataSocketCtrl;HeaderFile=TqDataSocketCtrl.h;"
            "ImplFile=TqDataSocketCtrl.cpp;}");
  EXPECT_EQ(Describe(c.GetComponentSources()),
            "$(SABLEWING_CPP_DIR)\\source\\TqDataSocketCtrl.cpp[||/Yu\"stdafx.h\"|]");
}

TEST_F(ComponentXMLTest, SampleTextsComeInTheCodePage) {
  EXPECT_EQ(Str(ReadSample("TqDaq.xml").ComponentDescription),
            "Data acquisition: analog input in \xB5V, thermocouples in \xB0" "C, counters and triggers");
  EXPECT_EQ(Str(ReadSample("TqVisa.xml").ComponentDescription),
            "VISA instrument I/O sessions, message-based & register-based");
  const CComponent runtime = ReadSample("TqCoreRuntime.xml");
  EXPECT_TRUE(runtime.Hidden);
  EXPECT_EQ(Str(runtime.Namespace), "") << "an element with an empty text";
}

// The depot builds the path from the registry and the directory listing: blanks, '#', '%',
// letters outside ASCII and any letter case must all load.
TEST_F(ComponentXMLTest, PathsWithBlanksAndMarksLoad) {
  std::ifstream in(std::string(std::getenv("SABLEWING_SOURCE_DIR")) + "/sample/Sablewing/Components/TqGraph.xml",
                   std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_TRUE(CreateDirectory("T:\\Program Files", NULL));
  ASSERT_TRUE(CreateDirectory("T:\\Program Files\\Sablewing #2 100%", NULL));
  ASSERT_TRUE(CreateDirectory("T:\\J\xFCrgen", NULL));
  for (const char* path : {"T:\\Program Files\\Sablewing #2 100%\\Tq Graph.xml", "T:\\J\xFCrgen\\TqGraph.xml"}) {
    SCOPED_TRACE(path);
    HANDLE file = CreateFile(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL));
    CloseHandle(file);
    EXPECT_EQ(Str(Read(path).ComponentName), "TqGraph");
  }
  EXPECT_EQ(Str(Read("s:/SABLEWING/components/tqgraph.XML").ComponentName), "TqGraph");
}

// --- the value rules ----------------------------------------------------------------------------

TEST_F(ComponentXMLTest, BooleanRules) {
  struct Row {
    const char* name;
    const char* body;
    bool hidden;
  };
  const Row rows[] = {
      {.name = "1", .body = "<Hidden>1</Hidden>", .hidden = true},
      {.name = "0", .body = "<Hidden>0</Hidden>", .hidden = false},
      {.name = "false is not 0", .body = "<Hidden>false</Hidden>", .hidden = true},
      {.name = "true", .body = "<Hidden>true</Hidden>", .hidden = true},
      {.name = "blanks around 0", .body = "<Hidden> 0 </Hidden>", .hidden = true},
      {.name = "0 as a reference", .body = "<Hidden>&#48;</Hidden>", .hidden = false},
      {.name = "0 in CDATA", .body = "<Hidden><![CDATA[0]]></Hidden>", .hidden = false},
      {.name = "1 in CDATA", .body = "<Hidden><![CDATA[1]]></Hidden>", .hidden = true},
      {.name = "empty element", .body = "<Hidden/>", .hidden = false},
      {.name = "white space only", .body = "<Hidden>  \r\n\t </Hidden>", .hidden = false},
      {.name = "absent", .body = "<Category>x</Category>", .hidden = false},
      {.name = "comment first", .body = "<Hidden><!-- yes -->1</Hidden>", .hidden = false},
      {.name = "white space then comment", .body = "<Hidden>\r\n  <!-- yes -->1</Hidden>", .hidden = false},
      {.name = "processing instruction first", .body = "<Hidden><?tq x?>1</Hidden>", .hidden = false},
      {.name = "element first", .body = "<Hidden><b>1</b></Hidden>", .hidden = false},
      {.name = "the first of two counts", .body = "<Hidden>0</Hidden><Hidden>1</Hidden>", .hidden = false},
      {.name = "attributes are not read", .body = "<Hidden value=\"1\"/>", .hidden = false},
      {.name = "only children of the root", .body = "<Flags><Hidden>1</Hidden></Flags>", .hidden = false},
      {.name = "names are case-sensitive", .body = "<hidden>1</hidden>", .hidden = false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ReadInline(row.body).Hidden, row.hidden);
  }
}

TEST_F(ComponentXMLTest, TheThreeFlagsAreReadIndependently) {
  const CComponent c = ReadInline("<MFCRequired>1</MFCRequired><Hidden>0</Hidden><SelectedByDefault>yes</SelectedByDefault>");
  EXPECT_FALSE(c.Hidden);
  EXPECT_TRUE(c.SelectedByDefault);
  EXPECT_TRUE(c.MFCRequired);
}

TEST_F(ComponentXMLTest, TextRules) {
  struct Row {
    const char* name;
    const char* body;
    const char* text;
  };
  const Row rows[] = {
      {.name = "plain", .body = "<ComponentName>TqGraph</ComponentName>", .text = "TqGraph"},
      {.name = "blanks kept", .body = "<ComponentName>  Tq Graph  </ComponentName>", .text = "  Tq Graph  "},
      {.name = "references expanded", .body = "<ComponentName>&lt;Tq&amp;Graph&gt;</ComponentName>", .text = "<Tq&Graph>"},
      {.name = "CDATA", .body = "<ComponentName><![CDATA[a <b> & c]]></ComponentName>", .text = "a <b> & c"},
      {.name = "CR LF becomes LF", .body = "<ComponentName>one\r\ntwo</ComponentName>", .text = "one\ntwo"},
      {.name = "only the first child", .body = "<ComponentName>Tq<!-- cut -->Graph</ComponentName>", .text = "Tq"},
      {.name = "text before an element", .body = "<ComponentName>Tq<b>Graph</b></ComponentName>", .text = "Tq"},
      {.name = "comment first", .body = "<ComponentName><!-- c -->TqGraph</ComponentName>", .text = ""},
      {.name = "element first", .body = "<ComponentName><b>TqGraph</b></ComponentName>", .text = ""},
      {.name = "white space only", .body = "<ComponentName>   </ComponentName>", .text = ""},
      {.name = "empty", .body = "<ComponentName></ComponentName>", .text = ""},
      {.name = "absent", .body = "<Hidden>1</Hidden>", .text = ""},
      {.name = "first of two", .body = "<ComponentName>A</ComponentName><ComponentName>B</ComponentName>", .text = "A"},
      {.name = "in the code page", .body = "<ComponentName>Gr&#xE4;ph \xE2\x82\xAC</ComponentName>", .text = "Gr\xE4ph \x80"},
      {.name = "outside the code page", .body = "<ComponentName>Tq&#x4E2D;</ComponentName>", .text = "Tq?"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Str(ReadInline(row.body).ComponentName), row.text);
  }
}

TEST_F(ComponentXMLTest, EachTextElementFillsItsField) {
  const CComponent c = ReadInline(
      "<Namespace>N</Namespace><XMLFormatVersion>V</XMLFormatVersion><Category>C</Category>"
      "<ComponentDescription>D</ComponentDescription><ComponentName>A</ComponentName>");
  EXPECT_EQ(Str(c.ComponentName) + Str(c.ComponentDescription) + Str(c.Category) + Str(c.XMLFormatVersion) +
                Str(c.Namespace),
            "ADCVN");
}

TEST_F(ComponentXMLTest, TextsFollowADoubleByteCodePage) {
  sandbox::SetCodePage(932);
  EXPECT_EQ(Str(ReadInline("<ComponentName>\xE8\xA8\x88\xE6\xB8\xAC</ComponentName>").ComponentName),
            "\x8C\x76\x91\xAA");
}

TEST_F(ComponentXMLTest, ListRules) {
  struct Row {
    const char* name;
    const char* items;  // the children of ComponentDependancies
    std::vector<std::string> list;
  };
  const Row rows[] = {
      {.name = "items named like the list",
       .items = "<ComponentDependancies>TqCore</ComponentDependancies><ComponentDependancies>TqUtility</ComponentDependancies>",
       .list = {"TqCore", "TqUtility"}},
      {.name = "items of any name", .items = "<Dependency>TqCore</Dependency><x>TqUtility</x>", .list = {"TqCore", "TqUtility"}},
      {.name = "order and duplicates kept", .items = "<d>B</d><d>A</d><d>B</d>", .list = {"B", "A", "B"}},
      {.name = "an item without text is left out", .items = "<d>A</d><d/><d></d><d>B</d>", .list = {"A", "B"}},
      {.name = "white space only is no text", .items = "<d>A</d><d>  </d>", .list = {"A"}},
      {.name = "an item with a comment first", .items = "<d><!-- old -->X</d><d>B</d>", .list = {"B"}},
      {.name = "an item holding an element", .items = "<d><name>X</name></d><d>B</d>", .list = {"B"}},
      {.name = "CDATA items", .items = "<d><![CDATA[A&B]]></d>", .list = {"A&B"}},
      {.name = "comments and PIs between items", .items = "<!-- c --><d>A</d><?tq x?><d>B</d><!-- e -->", .list = {"A", "B"}},
      {.name = "text beside the items", .items = "loose<d>A</d>text", .list = {"A"}},
      {.name = "text alone is no item", .items = "TqCore", .list = {}},
      {.name = "empty container", .items = "", .list = {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CComponent c = ReadInline(std::string("<ComponentDependancies>") + row.items + "</ComponentDependancies>");
    EXPECT_EQ(Strs(c.GetComponentDependancies()), row.list);
  }
  EXPECT_EQ(Strs(ReadInline("<Hidden>1</Hidden>").GetComponentDependancies()), std::vector<std::string>{})
      << "absent list";
  EXPECT_EQ(Strs(ReadInline("<ComponentHeaders><h>a</h></ComponentHeaders><ComponentHeaders><h>b</h></ComponentHeaders>")
                     .GetComponentHeaders()),
            std::vector<std::string>{"a"})
      << "the first container counts";
}

TEST_F(ComponentXMLTest, SectionRules) {
  struct Row {
    const char* name;
    const char* sections;  // the children of Sections
    const char* read;      // Describe() of what is read
  };
  const Row rows[] = {
      {.name = "complete",
       .sections = "<Section><GUID>G1</GUID><SectionEntries><SectionEntry><Type>ClassName</Type><Value>CA</Value>"
                   "</SectionEntry><SectionEntry><Type>HeaderFile</Type><Value>a.h</Value></SectionEntry>"
                   "</SectionEntries></Section>",
       .read = "G1{ClassName=CA;HeaderFile=a.h;}"},
      {.name = "any names, parts in any order",
       .sections = "<S><SectionEntries><E><Value>CA</Value><Type>ClassName</Type></E></SectionEntries><GUID>G1</GUID></S>",
       .read = "G1{ClassName=CA;}"},
      {.name = "without SectionEntries the section goes", .sections = "<Section><GUID>G1</GUID></Section>", .read = ""},
      {.name = "without GUID the section goes",
       .sections = "<Section><SectionEntries><E><Type>T</Type><Value>V</Value></E></SectionEntries></Section>", .read = ""},
      {.name = "an empty GUID is none", .sections = "<Section><GUID/><SectionEntries/></Section>", .read = ""},
      {.name = "empty SectionEntries", .sections = "<Section><GUID>G1</GUID><SectionEntries/></Section>", .read = "G1{}"},
      {.name = "entries without Type or Value go",
       .sections = "<Section><GUID>G1</GUID><SectionEntries><E><Type>T</Type></E><E><Value>V</Value></E>"
                   "<E><Type>T</Type><Value/></E><E><Type>K</Type><Value>W</Value></E></SectionEntries></Section>",
       .read = "G1{K=W;}"},
      {.name = "comments ignored at both levels",
       .sections = "<!-- s --><Section><GUID>G1</GUID><SectionEntries><!-- e --><E><Type>T</Type><Value>V</Value></E>"
                   "</SectionEntries></Section>",
       .read = "G1{T=V;}"},
      {.name = "a skipped section leaves the others in order",
       .sections = "<Section><GUID>A</GUID><SectionEntries/></Section><Section><GUID>B</GUID></Section>"
                   "<Section><GUID>C</GUID><SectionEntries/></Section>",
       .read = "A{}C{}"},
      {.name = "any entry type is carried",
       .sections = "<Section><GUID>G</GUID><SectionEntries><E><Type>Colour</Type><Value>blue</Value></E>"
                   "</SectionEntries></Section>",
       .read = "G{Colour=blue;}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Describe(ReadInline(std::string("<Sections>") + row.sections + "</Sections>").GetSections()), row.read);
  }
  EXPECT_EQ(Describe(ReadInline("<Hidden>1</Hidden>").GetSections()), "") << "absent Sections";
}

TEST_F(ComponentXMLTest, SourceRules) {
  const std::string four = "<AddCompilerSettings/><RemoveAddCompilerSettings/><SubtractCompilerSettings/>"
                           "<RemoveSubtractCompilerSettings/>";
  struct Row {
    const char* name;
    std::string sources;  // the children of Sources
    const char* read;     // Describe() of what is read
  };
  const Row rows[] = {
      {.name = "as written",
       .sources = "<Source><SourceFile>a.cpp</SourceFile>"
                  "<AddCompilerSettings><AddCompilerSettings><AddCompilerSetting>/D \"A\"</AddCompilerSetting>"
                  "</AddCompilerSettings><AddCompilerSettings><AddCompilerSetting>/W4</AddCompilerSetting>"
                  "</AddCompilerSettings></AddCompilerSettings>"
                  "<RemoveAddCompilerSettings><RemoveAddCompilerSettings><RemoveAddCompilerSetting>/D \"OLD\""
                  "</RemoveAddCompilerSetting></RemoveAddCompilerSettings></RemoveAddCompilerSettings>"
                  "<SubtractCompilerSettings><SubtractCompilerSettings><SubtractCompilerSetting>/Yu\"stdafx.h\""
                  "</SubtractCompilerSetting></SubtractCompilerSettings></SubtractCompilerSettings>"
                  "<RemoveSubtractCompilerSettings><RemoveSubtractCompilerSettings><RemoveSubtractCompilerSetting>/YX"
                  "</RemoveSubtractCompilerSetting></RemoveSubtractCompilerSettings></RemoveSubtractCompilerSettings>"
                  "</Source>",
       .read = "a.cpp[/D \"A\",/W4|/D \"OLD\"|/Yu\"stdafx.h\"|/YX]"},
      {.name = "four empty containers", .sources = "<Source><SourceFile>a.cpp</SourceFile>" + four + "</Source>",
       .read = "a.cpp[|||]"},
      {.name = "containers in any order, wrappers and sources of any name",
       .sources = "<File><RemoveSubtractCompilerSettings/><SubtractCompilerSettings><w><SubtractCompilerSetting>/Yu"
                  "</SubtractCompilerSetting></w></SubtractCompilerSettings><RemoveAddCompilerSettings/>"
                  "<AddCompilerSettings/><SourceFile>b.cpp</SourceFile></File>",
       .read = "b.cpp[||/Yu|]"},
      {.name = "without RemoveSubtractCompilerSettings the source goes",
       .sources = "<Source><SourceFile>a.cpp</SourceFile><AddCompilerSettings/><RemoveAddCompilerSettings/>"
                  "<SubtractCompilerSettings/></Source>",
       .read = ""},
      {.name = "without SourceFile the source goes", .sources = "<Source>" + four + "</Source>", .read = ""},
      {.name = "an empty SourceFile is none", .sources = "<Source><SourceFile/>" + four + "</Source>", .read = ""},
      {.name = "a setting without its wrapper is not read",
       .sources = "<Source><SourceFile>a.cpp</SourceFile><AddCompilerSettings><AddCompilerSetting>/W4"
                  "</AddCompilerSetting></AddCompilerSettings><RemoveAddCompilerSettings/><SubtractCompilerSettings/>"
                  "<RemoveSubtractCompilerSettings/></Source>",
       .read = "a.cpp[|||]"},
      {.name = "wrappers without the item, items without text, comments",
       .sources = "<Source><SourceFile>a.cpp</SourceFile><AddCompilerSettings><!-- c --><w><other>/X</other></w>"
                  "<w><AddCompilerSetting/></w><w>/Y</w><w><AddCompilerSetting>/W4</AddCompilerSetting>"
                  "<AddCompilerSetting>/W3</AddCompilerSetting></w></AddCompilerSettings><RemoveAddCompilerSettings/>"
                  "<SubtractCompilerSettings/><RemoveSubtractCompilerSettings/></Source>",
       .read = "a.cpp[/W4|||]"},
      {.name = "the item name belongs to its container",
       .sources = "<Source><SourceFile>a.cpp</SourceFile><AddCompilerSettings><w><SubtractCompilerSetting>/Yu"
                  "</SubtractCompilerSetting></w></AddCompilerSettings><RemoveAddCompilerSettings/>"
                  "<SubtractCompilerSettings/><RemoveSubtractCompilerSettings/></Source>",
       .read = "a.cpp[|||]"},
      {.name = "a skipped source leaves the others in order",
       .sources = "<Source><SourceFile>a.cpp</SourceFile>" + four + "</Source><Source><SourceFile>x.cpp</SourceFile>"
                  "</Source><!-- c --><Source><SourceFile>c.cpp</SourceFile>" + four + "</Source>",
       .read = "a.cpp[|||]c.cpp[|||]"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Describe(ReadInline("<Sources>" + row.sources + "</Sources>").GetComponentSources()), row.read);
  }
  EXPECT_EQ(Describe(ReadInline("<Hidden>1</Hidden>").GetComponentSources()), "") << "absent Sources";
}

TEST_F(ComponentXMLTest, AnyRootIsReadTheSameWay) {
  struct Row {
    const char* open;
    const char* close;
  };
  const Row rows[] = {
      {.open = "<Component>", .close = "</Component>"},
      {.open = "<Catalogue xmlns=\"urn:sablewing:component-description\">", .close = "</Catalogue>"},
      {.open = "<Component xmlns=\"urn:another:namespace\">", .close = "</Component>"},
      {.open = "<tq:Component xmlns:tq=\"urn:other\">", .close = "</tq:Component>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.open);
    WriteTemp("root.xml", std::string("<?xml version=\"1.0\"?>") + row.open +
                              "<Hidden>1</Hidden><ComponentName>TqGraph</ComponentName>"
                              "<ComponentHeaders><h>g.h</h></ComponentHeaders>" + row.close);
    const CComponent c = Read("T:\\root.xml");
    EXPECT_TRUE(c.Hidden);
    EXPECT_EQ(Str(c.ComponentName), "TqGraph");
    EXPECT_EQ(Strs(c.GetComponentHeaders()), std::vector<std::string>{"g.h"});
  }
}

// Every field that the format carries is assigned, absent ones as false or empty; the run-time
// fields keep what the caller had.
TEST_F(ComponentXMLTest, ReadAssignsEveryFormatFieldAndNothingElse) {
  CComponent other;
  CComponent c = Poisoned(&other);
  try {
    CComponentXML reader("T:\\minimal.xml");
    WriteTemp("minimal.xml", "<?xml version=\"1.0\"?><Component/>");
    reader.Read(c);
  } catch (CException* e) {
    e->Delete();
    FAIL() << "a document with an empty root is no error";
  }
  CComponent expected;
  expected.Selected = expected.WycInstrRequried = expected.InVXIPNP = expected.HasImportLibrary = true;
  expected.Dependancies.push_back(&other);
  expected.Dependants.push_back(&other);
  EXPECT_EQ(Describe(c), Describe(expected));
}

// --- refused files ------------------------------------------------------------------------------

TEST_F(ComponentXMLTest, RefusedFilesThrowEFailAndAssignNothing) {
  ASSERT_TRUE(CreateDirectory("T:\\folder.xml", NULL));
  const char* paths[] = {
      "S:\\bad\\Truncated.xml",       "S:\\bad\\InvalidUtf8.xml",    "S:\\bad\\UnknownEncoding.xml",
      "S:\\bad\\ExternalDoctype.xml", "S:\\bad\\ExternalEntity.xml", "S:\\bad\\Empty.xml",
      "S:\\bad\\Missing.xml",         "T:\\folder.xml",              "Q:\\unmapped\\TqGraph.xml",
  };
  for (const char* path : paths) {
    SCOPED_TRACE(path);
    CComponent other;
    CComponent c = Poisoned(&other);
    const std::string before = Describe(c);
    try {
      CComponentXML reader(path);
      reader.Read(c);
      ADD_FAILURE() << "read without complaint";
    } catch (COleException* e) {
      EXPECT_EQ(e->m_sc, E_FAIL);
      EXPECT_EQ(dynamic_cast<TQ::CTqOleException*>(e), nullptr) << "the load failure is MFC's exception";
      e->Delete();
    } catch (CException* e) {
      ADD_FAILURE() << "not a COleException";
      e->Delete();
    }
    EXPECT_EQ(Describe(c), before);
  }
}

// --- COM ----------------------------------------------------------------------------------------

// The depot's thread is normally in COM already: the reader's own initialisation must count as
// success and be given back without taking the caller's.
TEST_F(ComponentXMLTest, WorksOnAThreadAlreadyInCom) {
  ASSERT_EQ(CoInitialize(NULL), S_OK);
  {
    CComponent c;
    CComponentXML reader("S:\\Sablewing\\Components\\TqKnobs.xml");
    reader.Read(c);
    EXPECT_EQ(Str(c.ComponentName), "TqKnobs");
  }
  EXPECT_EQ(CoInitialize(NULL), S_FALSE) << "the caller's initialisation is still there";
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitialize(NULL), S_OK) << "and now it is gone";
  CoUninitialize();
}

TEST_F(ComponentXMLTest, GivesBackItsOwnInitialisation) {
  {
    CComponentXML first("S:\\Sablewing\\Components\\TqKnobs.xml");
    CComponentXML second("S:\\Sablewing\\Components\\TqGpib.xml");
    CComponent c;
    second.Read(c);
    first.Read(c);
    EXPECT_EQ(Str(c.ComponentName), "TqKnobs");
  }
  EXPECT_EQ(CoInitialize(NULL), S_OK) << "the thread left COM with the last reader";
  CoUninitialize();
}

TEST_F(ComponentXMLTest, RefusesAThreadInTheMultithreadedApartment) {
  ASSERT_EQ(CoInitializeEx(NULL, COINIT_MULTITHREADED), S_OK);
  try {
    CComponentXML reader("S:\\Sablewing\\Components\\TqKnobs.xml");
    ADD_FAILURE() << "constructed";
  } catch (COleException* e) {
    EXPECT_EQ(e->m_sc, RPC_E_CHANGED_MODE);
    EXPECT_NE(dynamic_cast<TQ::CTqOleException*>(e), nullptr);
    e->Delete();
  }
  EXPECT_EQ(CoInitializeEx(NULL, COINIT_MULTITHREADED), S_FALSE) << "the caller's apartment is untouched";
  CoUninitialize();
  CoUninitialize();
}

// Without a DOM document there is nothing to read: the creation's own result, as the library's
// exception, and the record untouched. The class is swapped through the platform's table of
// built-in classes and then served again by the module's second registration of the same object.
HRESULT NoDocument(REFIID, void** ppv) {
  *ppv = nullptr;
  return E_OUTOFMEMORY;
}
HRESULT DocumentThroughSecondClass(REFIID riid, void** ppv) {
  constexpr CLSID kDomDocument2 = {0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};
  return CoCreateInstance(kDomDocument2, NULL, CLSCTX_INPROC_SERVER, riid, ppv);
}

TEST_F(ComponentXMLTest, NoDocumentThrowsTheCreationResult) {
  ASSERT_EQ(StandinRegisterClass(CLSID_DOMDocument, "Microsoft.XMLDOM", &NoDocument), S_OK);
  CComponent other;
  CComponent c = Poisoned(&other);
  const std::string before = Describe(c);
  try {
    CComponentXML reader("S:\\Sablewing\\Components\\TqKnobs.xml");
    reader.Read(c);
    ADD_FAILURE() << "read without a document";
  } catch (COleException* e) {
    EXPECT_EQ(e->m_sc, E_OUTOFMEMORY);
    EXPECT_NE(dynamic_cast<TQ::CTqOleException*>(e), nullptr);
    e->Delete();
  }
  EXPECT_EQ(Describe(c), before);
  ASSERT_EQ(StandinRegisterClass(CLSID_DOMDocument, "Microsoft.XMLDOM", &DocumentThroughSecondClass), S_OK);
  EXPECT_EQ(Str(ReadSample("TqKnobs.xml").ComponentName), "TqKnobs");
}

}  // namespace
