// Writing a catalogue of 1,000 component description files through CComponentXML::Save (the
// whole document built through the DOM, then saved), beside the DOM's own save of the same
// documents built once in memory. Prints how the two compare; the goal is at most 2. Build with
// optimisation (CMAKE_BUILD_TYPE=Release) to measure.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <cstdio>
#include <string>
#include <vector>

#include <comdef.h>
#include <msxml.h>
#include <objbase.h>

#include "ComponentXML.h"
#include "sandbox/sandbox.h"

namespace {

const int kFiles = 1000;

_COM_SMARTPTR_TYPEDEF(IXMLDOMDocument, __uuidof(IXMLDOMDocument));

std::vector<CString> Items(const std::string& stem, int count) {
  std::vector<CString> items;
  for (int i = 0; i < count; ++i) items.push_back((stem + std::to_string(i)).c_str());
  return items;
}

// A record about the size of the larger sample files: every list filled, two sections of five
// entries and three sources.
CComponent GeneratedComponent(int n) {
  const std::string name = "TqGenerated" + std::to_string(n);
  CComponent c;
  c.MFCRequired = true;
  c.SelectedByDefault = n % 3 == 0;
  c.ComponentName = name.c_str();
  c.ComponentDescription = ("Generated component number " + std::to_string(n) + " for writing the catalogue at scale").c_str();
  c.Category = "Core Components";
  c.XMLFormatVersion = "1.0";
  c.Namespace = "TqGen";
  c.SetComponentHeaders(Items("$(SABLEWING_CPP_DIR)\\include\\" + name + "_", 4));
  c.SetCompilerReleaseSettings(Items("/D \"TQ_GEN_RELEASE_", 3));
  c.SetCompilerDebugSettings(Items("/D \"TQ_GEN_DEBUG_", 3));
  c.SetRemoveCompilerReleaseSettings(Items("/O", 1));
  c.SetRemoveCompilerDebugSettings(Items("/Z", 1));
  c.SetLinkerReleaseSettings(Items(name + ".lib", 2));
  c.SetLinkerDebugSettings(Items(name + "d.lib", 2));
  c.SetIncludesFileHeaderIncludes(Items(name + "_", 2));
  c.SetDSWControlPalletGuids(Items("8A2C4E10-3B5D-4F61-9E7A-0C1D2E3F4A5", 1));
  c.SetComponentDependancies(Items("TqGenerated", 2));
  std::vector<ComponentSection> sections(2);
  for (int s = 0; s < 2; ++s) {
    sections[s].GUID = ("8A2C4E1" + std::to_string(s) + "-3B5D-4F61-9E7A-0C1D2E3F4A5B").c_str();
    for (const char* type : {"ClassName", "HeaderFile", "ImplFile", "DefaultSinkHeaderFile", "DefaultSinkClassName"})
      sections[s].SectionEntries.push_back({type, ("CTqGen" + std::to_string(s) + type).c_str()});
  }
  c.SetSections(sections);
  std::vector<ComponentSource> sources(3);
  for (int s = 0; s < 3; ++s) {
    sources[s].SourceFile = ("$(SABLEWING_CPP_DIR)\\source\\" + name + "_" + std::to_string(s) + ".cpp").c_str();
    sources[s].AddCompilerSettings = {"/D \"TQ_GEN_SOURCE\""};
    sources[s].RemoveAddCompilerSettings = {"/D \"TQ_GEN_OLD\""};
    sources[s].SubtractCompilerSettings = {"/Yu\"stdafx.h\""};
    sources[s].RemoveSubtractCompilerSettings = {"/YX"};
  }
  c.SetComponentSources(sources);
  return c;
}

struct Catalogue {
  std::vector<CComponent> records;
  std::vector<std::string> paths;
};

const Catalogue& Records() {
  static const Catalogue catalogue = [] {
    Catalogue c;
    sandbox::MapTempDrive('T');
    for (int i = 0; i < kFiles; ++i) {
      c.records.push_back(GeneratedComponent(i));
      c.paths.push_back("T:\\Component" + std::to_string(i) + ".xml");
    }
    return c;
  }();
  return catalogue;
}

// The same documents, built once: written by the writer, then loaded into DOM documents kept in
// memory.
const std::vector<IXMLDOMDocumentPtr>& Documents() {
  static const std::vector<IXMLDOMDocumentPtr> documents = [] {
    const Catalogue& catalogue = Records();
    std::vector<IXMLDOMDocumentPtr> built;
    for (int i = 0; i < kFiles; ++i) {
      CComponentXML(catalogue.paths[i].c_str()).Save(catalogue.records[i]);
      IXMLDOMDocumentPtr document;
      document.CreateInstance(CLSID_DOMDocument);
      VARIANT_BOOL loaded = VARIANT_FALSE;
      document->put_async(VARIANT_FALSE);
      document->load(_variant_t(("file:///" + catalogue.paths[i]).c_str()), &loaded);
      if (loaded == VARIANT_FALSE) std::fprintf(stderr, "a written file did not load\n");
      built.push_back(document);
    }
    return built;
  }();
  return documents;
}

void DomSaveAlone(benchmark::State& state) {
  const Catalogue& catalogue = Records();
  const std::vector<IXMLDOMDocumentPtr>& documents = Documents();
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      if (FAILED(documents[i]->save(_variant_t(catalogue.paths[i].c_str())))) {
        state.SkipWithError("the DOM refused to save");
        return;
      }
    }
  }
}

// As a tool would write the catalogue: one writer per file, on a thread already in COM.
void ComponentXMLSave(benchmark::State& state) {
  const Catalogue& catalogue = Records();
  for (auto _ : state) {
    for (int i = 0; i < kFiles; ++i) {
      try {
        CComponentXML writer(catalogue.paths[i].c_str());
        writer.Save(catalogue.records[i]);
      } catch (CException* e) {
        e->Delete();
        state.SkipWithError("the writer failed");
        return;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (FAILED(CoInitialize(NULL))) {
    std::fprintf(stderr, "COM cannot be initialised\n");
    return 1;
  }
  Documents();  // written and loaded before any timing
  bench::Interleave({{"DomSaveAlone", DomSaveAlone}, {"ComponentXMLSave", ComponentXMLSave}}, {});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("CComponentXML::Save / the DOM's save alone, 1,000 files", "ComponentXMLSave",
                "DomSaveAlone", 2);
  reporter.PrintGoals();
  CoUninitialize();
  benchmark::Shutdown();
  return 0;
}
