// One entry of the component catalogue: what adding the component to a project means, and what it
// depends on. The field names are the element names of the description files.
#pragma once

#include "stdafx.h"

#include <utility>

#include "TqFile.h"

// One project-file section entry: a key word and its value.
struct ComponentSectionEntry {
  CString Type;
  CString Value;
};

// One project-file section block.
struct ComponentSection {
  CString GUID;
  std::vector<ComponentSectionEntry> SectionEntries;
};

// One source file of a component with its per-file compiler settings.
struct ComponentSource {
  CString SourceFile;
  std::vector<CString> AddCompilerSettings;
  std::vector<CString> SubtractCompilerSettings;
  std::vector<CString> RemoveAddCompilerSettings;
  std::vector<CString> RemoveSubtractCompilerSettings;
};

class CComponent : public CObject {
 public:
  CComponent();
  CComponent(const CComponent& other);
  CComponent& operator=(const CComponent& other);
  CComponent(CComponent&& other) noexcept;
  CComponent& operator=(CComponent&& other) noexcept;
  ~CComponent() override;

  // Orders by name, byte by byte, case-sensitively.
  bool operator<(const CComponent& other) const;

  CString GetComponentName() const { return ComponentName; }
  CString GetComponentDescription() const { return ComponentDescription; }
  CString GetCategory() const { return Category; }
  CString GetXMLFormatVersion() const { return XMLFormatVersion; }
  CString GetNamespace() const { return Namespace; }

  std::vector<CString> GetComponentHeaders() const { return ComponentHeaders; }
  std::vector<CString> GetCompilerReleaseSettings() const { return CompilerReleaseSettings; }
  std::vector<CString> GetCompilerDebugSettings() const { return CompilerDebugSettings; }
  std::vector<CString> GetRemoveCompilerReleaseSettings() const { return RemoveCompilerReleaseSettings; }
  std::vector<CString> GetRemoveCompilerDebugSettings() const { return RemoveCompilerDebugSettings; }
  std::vector<CString> GetLinkerReleaseSettings() const { return LinkerReleaseSettings; }
  std::vector<CString> GetLinkerDebugSettings() const { return LinkerDebugSettings; }
  std::vector<CString> GetRemoveLinkerReleaseSettings() const { return RemoveLinkerReleaseSettings; }
  std::vector<CString> GetRemoveLinkerDebugSettings() const { return RemoveLinkerDebugSettings; }
  std::vector<CString> GetIncludesFileHeaderIncludes() const { return IncludesFileHeaderIncludes; }
  std::vector<CString> GetDSWControlPalletGuids() const { return DSWControlPalletGuids; }
  std::vector<CString> GetComponentDependancies() const { return ComponentDependancies; }
  std::vector<ComponentSection> GetSections() const { return Sections; }
  std::vector<ComponentSource> GetComponentSources() const { return ComponentSources; }

  // The setters take the list by value: a list built for the record moves in, a kept one is
  // copied once.
  void SetComponentHeaders(std::vector<CString> v) { ComponentHeaders = std::move(v); }
  void SetCompilerReleaseSettings(std::vector<CString> v) { CompilerReleaseSettings = std::move(v); }
  void SetCompilerDebugSettings(std::vector<CString> v) { CompilerDebugSettings = std::move(v); }
  void SetRemoveCompilerReleaseSettings(std::vector<CString> v) { RemoveCompilerReleaseSettings = std::move(v); }
  void SetRemoveCompilerDebugSettings(std::vector<CString> v) { RemoveCompilerDebugSettings = std::move(v); }
  void SetLinkerReleaseSettings(std::vector<CString> v) { LinkerReleaseSettings = std::move(v); }
  void SetLinkerDebugSettings(std::vector<CString> v) { LinkerDebugSettings = std::move(v); }
  void SetRemoveLinkerReleaseSettings(std::vector<CString> v) { RemoveLinkerReleaseSettings = std::move(v); }
  void SetRemoveLinkerDebugSettings(std::vector<CString> v) { RemoveLinkerDebugSettings = std::move(v); }
  void SetIncludesFileHeaderIncludes(std::vector<CString> v) { IncludesFileHeaderIncludes = std::move(v); }
  void SetDSWControlPalletGuids(std::vector<CString> v) { DSWControlPalletGuids = std::move(v); }
  void SetComponentDependancies(std::vector<CString> v) { ComponentDependancies = std::move(v); }
  void SetSections(std::vector<ComponentSection> v) { Sections = std::move(v); }
  void SetComponentSources(std::vector<ComponentSource> v) { ComponentSources = std::move(v); }

  // The flags, strings, Selected and the two link lists are the catalogue classes' to read and
  // assign directly.
  bool Hidden;
  bool SelectedByDefault;
  bool MFCRequired;
  bool Selected;
  bool WycInstrRequried;
  bool InVXIPNP;
  bool HasImportLibrary;
  CString ComponentName;
  CString ComponentDescription;
  CString Category;
  CString XMLFormatVersion;
  CString Namespace;
  std::vector<CString> ComponentHeaders;
  std::vector<CString> CompilerReleaseSettings;
  std::vector<CString> CompilerDebugSettings;
  std::vector<CString> RemoveCompilerReleaseSettings;
  std::vector<CString> RemoveCompilerDebugSettings;
  std::vector<CString> LinkerReleaseSettings;
  std::vector<CString> LinkerDebugSettings;
  std::vector<CString> RemoveLinkerReleaseSettings;
  std::vector<CString> RemoveLinkerDebugSettings;
  std::vector<CString> IncludesFileHeaderIncludes;
  std::vector<CString> DSWControlPalletGuids;
  std::vector<CString> ComponentDependancies;
  std::vector<ComponentSection> Sections;
  std::vector<ComponentSource> ComponentSources;
  // Non-owning links into the depot's catalogue, valid while the catalogue is not resized.
  std::vector<CComponent*> Dependancies;
  std::vector<CComponent*> Dependants;

 private:
  void CopyFlags(const CComponent& other);
};

// Writes the record as labelled lines (the depot's diagnostic dump).
TQ::CTqFile& operator<<(TQ::CTqFile& file, const CComponent& component);
