#include "Component.h"

#include <mbstring.h>

CComponent::CComponent()
    : Hidden(false),
      SelectedByDefault(false),
      MFCRequired(false),
      Selected(false),
      WycInstrRequried(false),
      InVXIPNP(false),
      HasImportLibrary(false) {}

CComponent::CComponent(const CComponent& other) : CObject() { *this = other; }

void CComponent::CopyFlags(const CComponent& other) {
  Hidden = other.Hidden;
  SelectedByDefault = other.SelectedByDefault;
  MFCRequired = other.MFCRequired;
  Selected = other.Selected;
  WycInstrRequried = other.WycInstrRequried;
  InVXIPNP = other.InVXIPNP;
  HasImportLibrary = other.HasImportLibrary;
}

CComponent::CComponent(CComponent&& other) noexcept : CObject() { *this = std::move(other); }

CComponent& CComponent::operator=(const CComponent& other) {
  if (this == &other) return *this;
  CopyFlags(other);
  ComponentName = other.ComponentName;
  ComponentDescription = other.ComponentDescription;
  Category = other.Category;
  XMLFormatVersion = other.XMLFormatVersion;
  Namespace = other.Namespace;
  ComponentHeaders = other.ComponentHeaders;
  CompilerReleaseSettings = other.CompilerReleaseSettings;
  CompilerDebugSettings = other.CompilerDebugSettings;
  RemoveCompilerReleaseSettings = other.RemoveCompilerReleaseSettings;
  RemoveCompilerDebugSettings = other.RemoveCompilerDebugSettings;
  LinkerReleaseSettings = other.LinkerReleaseSettings;
  LinkerDebugSettings = other.LinkerDebugSettings;
  RemoveLinkerReleaseSettings = other.RemoveLinkerReleaseSettings;
  RemoveLinkerDebugSettings = other.RemoveLinkerDebugSettings;
  IncludesFileHeaderIncludes = other.IncludesFileHeaderIncludes;
  DSWControlPalletGuids = other.DSWControlPalletGuids;
  ComponentDependancies = other.ComponentDependancies;
  Sections = other.Sections;
  ComponentSources = other.ComponentSources;
  Dependancies = other.Dependancies;
  Dependants = other.Dependants;
  return *this;
}

// A record built for the catalogue moves in: its texts and lists change hands, the flags are copied.
CComponent& CComponent::operator=(CComponent&& other) noexcept {
  if (this == &other) return *this;
  CopyFlags(other);
  ComponentName = std::move(other.ComponentName);
  ComponentDescription = std::move(other.ComponentDescription);
  Category = std::move(other.Category);
  XMLFormatVersion = std::move(other.XMLFormatVersion);
  Namespace = std::move(other.Namespace);
  ComponentHeaders = std::move(other.ComponentHeaders);
  CompilerReleaseSettings = std::move(other.CompilerReleaseSettings);
  CompilerDebugSettings = std::move(other.CompilerDebugSettings);
  RemoveCompilerReleaseSettings = std::move(other.RemoveCompilerReleaseSettings);
  RemoveCompilerDebugSettings = std::move(other.RemoveCompilerDebugSettings);
  LinkerReleaseSettings = std::move(other.LinkerReleaseSettings);
  LinkerDebugSettings = std::move(other.LinkerDebugSettings);
  RemoveLinkerReleaseSettings = std::move(other.RemoveLinkerReleaseSettings);
  RemoveLinkerDebugSettings = std::move(other.RemoveLinkerDebugSettings);
  IncludesFileHeaderIncludes = std::move(other.IncludesFileHeaderIncludes);
  DSWControlPalletGuids = std::move(other.DSWControlPalletGuids);
  ComponentDependancies = std::move(other.ComponentDependancies);
  Sections = std::move(other.Sections);
  ComponentSources = std::move(other.ComponentSources);
  Dependancies = std::move(other.Dependancies);
  Dependants = std::move(other.Dependants);
  return *this;
}

CComponent::~CComponent() {}

bool CComponent::operator<(const CComponent& other) const {
  return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(ComponentName)),
                 reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(other.ComponentName))) < 0;
}

namespace {

using TQ::CTqFile;

void Line(CTqFile& file, const char* label, const CString& value) { file << CString(label) << value << TQ::endl; }

void Line(CTqFile& file, const char* label, bool flag) { Line(file, label, CString(flag ? "true" : "false")); }

void List(CTqFile& file, const char* label, const char* indent, const std::vector<CString>& items) {
  file << CString(label) << TQ::endl;
  for (const CString& item : items) Line(file, indent, item);
}

}  // namespace

CTqFile& operator<<(CTqFile& file, const CComponent& c) {
  Line(file, "Component Name:\t\t\t", c.ComponentName);
  Line(file, "\tHidden:\t\t\t", c.Hidden);
  Line(file, "\tSelectedByDefault:\t", c.SelectedByDefault);
  Line(file, "\tSelected:\t\t", c.Selected);
  Line(file, "\tWycInstrRequried:\t", c.WycInstrRequried);
  Line(file, "\tInVXIPNP:\t\t", c.InVXIPNP);
  Line(file, "\tComponentDescription:\t", c.ComponentDescription);
  Line(file, "\tCategory:\t\t", c.Category);
  Line(file, "\tXMLFormatVersion:\t", c.XMLFormatVersion);
  Line(file, "\tNamespace:\t\t", c.Namespace);

  const struct {
    const char* label;
    const std::vector<CString>& items;
  } lists[] = {
      {"\tComponentHeaders:", c.ComponentHeaders},
      {"\tCompilerReleaseSettings:", c.CompilerReleaseSettings},
      {"\tCompilerDebugSettings:", c.CompilerDebugSettings},
      {"\tRemoveCompilerReleaseSettings:", c.RemoveCompilerReleaseSettings},
      {"\tRemoveCompilerDebugSettings:", c.RemoveCompilerDebugSettings},
      {"\tLinkerReleaseSettings:", c.LinkerReleaseSettings},
      {"\tLinkerDebugSettings:", c.LinkerDebugSettings},
      {"\tRemoveLinkerReleaseSettings:", c.RemoveLinkerReleaseSettings},
      {"\tRemoveLinkerDebugSettings:", c.RemoveLinkerDebugSettings},
      {"\tIncludesFileHeaderIncludes:", c.IncludesFileHeaderIncludes},
      {"\tDSWControlPalletGuids:", c.DSWControlPalletGuids},
      {"\tComponentDependancies:", c.ComponentDependancies},
  };
  for (const auto& list : lists) List(file, list.label, "\t\t", list.items);

  file << CString("\tSections:") << TQ::endl;
  for (const ComponentSection& section : c.Sections) {
    Line(file, "\t\tGUID:\t", section.GUID);
    file << CString("\t\tSectionEntry; ") << TQ::endl;
    for (const ComponentSectionEntry& entry : section.SectionEntries) {
      Line(file, "\t\t\tType:\t", entry.Type);
      Line(file, "\t\t\tValue:\t", entry.Value);
    }
  }

  file << CString("\tComponentSources:") << TQ::endl;
  for (const ComponentSource& source : c.ComponentSources) {
    Line(file, "\t\tSourceFile:\t", source.SourceFile);
    List(file, "\t\tAddCompilerSettings:", "\t\t\t", source.AddCompilerSettings);
    List(file, "\t\tRemoveAddCompilerSettings:", "\t\t\t", source.RemoveAddCompilerSettings);
    List(file, "\t\tSubtractCompilerSettings:", "\t\t\t", source.SubtractCompilerSettings);
    List(file, "\t\tRemoveSubtractCompilerSettings:", "\t\t\t", source.RemoveSubtractCompilerSettings);
  }

  file << CString("\tDependancies:") << TQ::endl;
  for (const CComponent* dependency : c.Dependancies) Line(file, "\t\tDependancy Name: ", dependency->ComponentName);
  file << CString("\tDependants:") << TQ::endl;
  for (const CComponent* dependant : c.Dependants) Line(file, "\t\tDependant Name: ", dependant->ComponentName);
  return file;
}
