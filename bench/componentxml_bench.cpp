// Reading a catalogue of 1,000 component description files through CComponentXML, beside the same
// files parsed by libxml2 alone (xmlReadFile and a walk over every node). Build with optimisation
// (CMAKE_BUILD_TYPE=Release) to measure.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <objbase.h>

#include "ComponentXML.h"
#include "sandbox/sandbox.h"

namespace {

const int kFiles = 1000;

// One list container with `count` items, in the writer's form.
void List(std::string& out, const char* container, const char* item, const std::string& stem, int count) {
  if (count == 0) {
    out += std::string("<") + container + "/>";
    return;
  }
  out += std::string("<") + container + ">";
  for (int i = 0; i < count; ++i)
    out += std::string("<") + item + ">" + stem + std::to_string(i) + "</" + item + ">";
  out += std::string("</") + container + ">";
}

// One per-source settings container with one wrapped setting.
void SourceList(std::string& out, const char* container, const char* item, const std::string& setting) {
  out += std::string("<") + container + "><" + container + "><" + item + ">" + setting + "</" + item + "></" +
         container + "></" + container + ">";
}

// A component as the writer saves it, about the size of the larger sample files: every list
// filled, two sections of five entries and three sources.
std::string GeneratedComponent(int n) {
  const std::string name = "TqGenerated" + std::to_string(n);
  std::string out = "<?xml version=\"1.0\"?>\r\n<Component xmlns=\"urn:sablewing:component-description\">";
  out += "<Hidden>0</Hidden><SelectedByDefault>" + std::string(n % 3 ? "0" : "1") +
         "</SelectedByDefault><MFCRequired>1</MFCRequired>";
  out += "<ComponentName>" + name + "</ComponentName>";
  out += "<ComponentDescription>Generated component number " + std::to_string(n) +
         " for reading the catalogue at scale</ComponentDescription>";
  out += "<Category>Core Components</Category><XMLFormatVersion>1.0</XMLFormatVersion><Namespace>TqGen</Namespace>";
  List(out, "ComponentHeaders", "ComponentHeader", "$(SABLEWING_CPP_DIR)\\include\\" + name + "_", 4);
  List(out, "CompilerReleaseSettings", "CompilerReleaseSetting", "/D \"TQ_GEN_RELEASE_", 3);
  List(out, "CompilerDebugSettings", "CompilerDebugSetting", "/D \"TQ_GEN_DEBUG_", 3);
  List(out, "RemoveCompilerReleaseSettings", "RemoveCompilerReleaseSetting", "/O", 1);
  List(out, "RemoveCompilerDebugSettings", "RemoveCompilerDebugSetting", "/Z", 1);
  List(out, "LinkerReleaseSettings", "LinkerReleaseSetting", name + ".lib", 2);
  List(out, "LinkerDebugSettings", "LinkerDebugSetting", name + "d.lib", 2);
  List(out, "RemoveLinkerReleaseSettings", "RemoveLinkerReleaseSetting", "/pdb:none", 0);
  List(out, "RemoveLinkerDebugSettings", "RemoveLinkerDebugSetting", "/pdb:none", 0);
  List(out, "IncludesFileHeaderIncludes", "IncludesFileHeaderInclude", name + "_", 2);
  List(out, "DSWControlPalletGuids", "DSWControlPalletGuid", "8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5", 1);
  List(out, "ComponentDependancies", "ComponentDependancies", "TqGenerated", 2);
  out += "<Sections>";
  for (int s = 0; s < 2; ++s) {
    out += "<Section><GUID>8A2C4E1" + std::to_string(s) + "-3B5D-4F61-9E7A-0C1D2E3F4A5B</GUID><SectionEntries>";
    for (const char* type : {"ClassName", "HeaderFile", "ImplFile", "DefaultSinkHeaderFile", "DefaultSinkClassName"})
      out += std::string("<SectionEntry><Type>") + type + "</Type><Value>CTqGen" + std::to_string(s) + type +
             "</Value></SectionEntry>";
    out += "</SectionEntries></Section>";
  }
  out += "</Sections><Sources>";
  for (int s = 0; s < 3; ++s) {
    out += "<Source><SourceFile>$(SABLEWING_CPP_DIR)\\source\\" + name + "_" + std::to_string(s) + ".cpp</SourceFile>";
    SourceList(out, "AddCompilerSettings", "AddCompilerSetting", "/D \"TQ_GEN_SOURCE\"");
    SourceList(out, "RemoveAddCompilerSettings", "RemoveAddCompilerSetting", "/D \"TQ_GEN_OLD\"");
    SourceList(out, "SubtractCompilerSettings", "SubtractCompilerSetting", "/Yu\"stdafx.h\"");
    SourceList(out, "RemoveSubtractCompilerSettings", "RemoveSubtractCompilerSetting", "/YX");
    out += "</Source>";
  }
  out += "</Sources></Component>\r\n";
  return out;
}

struct Catalogue {
  std::vector<std::string> windowsPaths;
  std::vector<std::string> hostPaths;
};

// The generated catalogue on the sandbox drive, made once.
const Catalogue& Files() {
  static const Catalogue catalogue = [] {
    Catalogue c;
    const std::string host = sandbox::MapTempDrive('T');
    for (int i = 0; i < kFiles; ++i) {
      const std::string name = "Component" + std::to_string(i) + ".xml";
      std::ofstream(host + "/" + name, std::ios::binary) << GeneratedComponent(i);
      c.windowsPaths.push_back("T:\\" + name);
      c.hostPaths.push_back(host + "/" + name);
    }
    return c;
  }();
  return catalogue;
}

// Touches every node as a reader must: element names and the length of every text.
size_t Walk(const xmlNode* node) {
  size_t seen = 0;
  for (; node != nullptr; node = node->next) {
    if (node->type == XML_ELEMENT_NODE) {
      seen += xmlStrlen(node->name) + Walk(node->children);
    } else if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
      seen += xmlStrlen(node->content);
    }
  }
  return seen;
}

void Libxml2Alone(benchmark::State& state) {
  const Catalogue& files = Files();
  for (auto _ : state) {
    for (const std::string& path : files.hostPaths) {
      xmlDoc* doc = xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET);
      if (doc == nullptr) {
        state.SkipWithError("libxml2 refused a generated file");
        return;
      }
      benchmark::DoNotOptimize(Walk(xmlDocGetRootElement(doc)));
      xmlFreeDoc(doc);
    }
  }
}

// As the depot reads the catalogue: one reader per file into a fresh record, on a thread that is
// already in COM (Developer Studio's user-interface thread).
void ComponentXMLRead(benchmark::State& state) {
  const Catalogue& files = Files();
  for (auto _ : state) {
    for (const std::string& path : files.windowsPaths) {
      try {
        CComponentXML reader(path.c_str());
        CComponent component;
        reader.Read(component);
        benchmark::DoNotOptimize(component.ComponentName.GetLength());
      } catch (CException* e) {
        e->Delete();
        state.SkipWithError("the reader refused a generated file");
        return;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  xmlInitParser();
  if (FAILED(CoInitialize(NULL))) {
    std::fprintf(stderr, "COM cannot be initialised\n");
    return 1;
  }
  Files();  // written before any timing
  bench::Interleave({{"Libxml2Alone", Libxml2Alone}, {"ComponentXMLRead", ComponentXMLRead}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("CComponentXML / libxml2 alone, 1,000 files", "ComponentXMLRead",
                "Libxml2Alone", 1.3);
  reporter.PrintGoals();
  CoUninitialize();
  xmlCleanupParser();
  benchmark::Shutdown();
  return 0;
}
