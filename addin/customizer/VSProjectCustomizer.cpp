#include "customizer/VSProjectCustomizer.h"

#include "AddinResource.h"
#include "CatalogueResource.h"
#include "TqFile.h"
#include "bridge/VSApplication.h"
#include "customizer/CustomizerNames.h"
#include "customizer/TextInFile.h"
#include "customizer/VSProjectCustomizerException.h"
#include "dsp/DspLookupTables.h"
#include "editors/DspEditor.h"
#include "editors/DswEditor.h"
#include "editors/IncludesFileEditor.h"
#include "editors/ReplaceFile.h"
#include "editors/TextFile.h"

using namespace customizer;

namespace {

const LPCTSTR kDriverFolder = "Instrument Drivers";
const LPCTSTR kDriverCategory = "Legacy C and IVI C Drivers";
const LPCTSTR kDebugMarker = "/D \"_DEBUG\"";
const LPCTSTR kReleaseMarker = "/D \"NDEBUG\"";
const LPCTSTR kPrecompiledHeaderSwitch = "/Yu";
const LPCTSTR kInsertionMarker = "//{{AFX_INSERT_LOCATION}}";
const LPCTSTR kIncludeBlock = "//{{AFX Sablewing\n\n#include \"TqIncludes.h\"\n\n//}}AFX Sablewing\n\n";
const LPCTSTR kOldIncludeLine = "\n#include \"TqIncludes.h\"\n";

bool IsDriver(const CComponent& component) { return component.Category == kDriverCategory; }

CString Quoted(const CString& path) { return "\"" + path + "\""; }

// The folder a component's files go into below the product folder.
LPCTSTR FolderOf(const CComponent& component) { return IsDriver(component) ? kDriverFolder : kComponentFolder; }

bool IsReadOnlyFile(const CString& path) {
  CFileStatus status;
  return CFile::GetStatus(path, status) && (status.m_attribute & CFile::readOnly) != 0;
}

// A path that names its drive ("C:\x", "C:x") or a share ("\\server\share") stands on its own;
// anything else is relative to the project directory, so the answer never depends on the
// process's current directory or drive.
CString ResolveAgainst(const CString& projectDir, const CString& path) {
  if (path.GetLength() >= 2 && path[1] == ':') return path;
  if (path.Left(2) == "\\\\") return path;
  if (path.Left(1) == "\\") {
    // Rooted on the project's own drive.
    const int colon = projectDir.Find(':');
    return colon == 1 ? projectDir.Left(2) + path : path;
  }
  return projectDir + path;
}

// The debug-information switch a setting's text holds, or dspSwitchOther.
int DebugInfoKindOf(const CString& text) {
  CString switchText, argument;
  CCPPCompilerEntryEditor::SplitSetting(text, switchText, argument);
  return argument.IsEmpty() ? LookupDebugInfoSwitch(switchText) : static_cast<int>(dspSwitchOther);
}

// The index of the first setting of the line whose kind `matches`, -1 when there is none.
template <typename Match>
int FindSettingByKind(CDspCPPConfigEntry& entry, Match matches) {
  for (int i = 0; i < entry.GetSettingCount(); ++i)
    if (matches(entry.GetSetting(i)->GetKind())) return i;
  return -1;
}

// Adds a compiler setting unless it is there. A configuration carries one debug-information switch:
// the one asked for counts as present when the line holds it already, and takes the place of
// another one, so a line never names two of them.
void AddCompilerSetting(CCPPCompilerEntryEditor& compiler, const CString& text) {
  const int kind = DebugInfoKindOf(text);
  if (kind == dspSwitchOther) {
    compiler.AddSetting(text);
    return;
  }
  CDspCPPConfigEntry& entry = compiler.GetEntry();
  const int present = FindSettingByKind(entry, [](int found) { return found != dspSwitchOther; });
  if (present < 0)
    compiler.AddSetting(text);
  else if (entry.GetSetting(present)->GetKind() != kind)
    entry.GetSetting(present)->Set(kind, "");
}

// Removes a compiler setting. A debug-information switch is removed by its exact switch text (the
// editor never matches those switches, so that adding one always appends).
void RemoveCompilerSetting(CCPPCompilerEntryEditor& compiler, const CString& text) {
  const int kind = DebugInfoKindOf(text);
  if (kind == dspSwitchOther) {
    compiler.RemoveSetting(text);
    return;
  }
  CDspCPPConfigEntry& entry = compiler.GetEntry();
  const int present = FindSettingByKind(entry, [kind](int found) { return found == kind; });
  if (present >= 0) entry.RemoveSetting(present);
}

// The child folder `name` of `group`: its editor, or null when there is none.
CDspFolderEditor* FindFolder(CDspFileGroupEditor& group, const CString& name) {
  int index = -1;
  return group.HasFolder(name, &index) ? &group.GetFolderEditor(index) : NULL;
}

}  // namespace

CVSProjectCustomizer::CVSProjectCustomizer(bool isWindowsNT) : m_isWindowsNT(isWindowsNT) {}

int CVSProjectCustomizer::CountSelectedComponents(const std::vector<CComponent>& catalogue) {
  int count = 0;
  for (const CComponent& component : catalogue)
    if (component.Selected) ++count;
  return count;
}

CString CVSProjectCustomizer::OpenForRewrite(CVSApplication& app, CDswEditor& dsw, CDspEditor& dsp,
                                             CIncludesFileEditor& includes) {
  const CString workspacePath = app.GetWorkspacePath();
  const CString projectPath = app.GetProjectFilePath();
  const CString includesPath = app.GetProjectDir() + kIncludesFileName;

  app.SaveAll();
  dsw.Open(workspacePath);
  dsp.Open(projectPath);
  includes.Open(includesPath);

  // Before anything is closed or written: a refusal after some files were rewritten would leave
  // the project half changed.
  if (app.AreProjectFilesReadOnly() || AreFilesToEditReadOnly(app, dsp, includesPath))
    throw new CVSProjectCustomizerException(IDS_PROJECT_READ_ONLY);

  app.CloseWorkspace();
  return includesPath;
}

void CVSProjectCustomizer::ApplyComponentSelection(CVSApplication& app, std::vector<CComponent>& catalogue,
                                                   bool makeBackups, CString* dspBackupPath, CString* dswBackupPath) {
  CDspEditor dsp;
  CDswEditor dsw;
  CIncludesFileEditor includes;
  const CString includesPath = OpenForRewrite(app, dsw, dsp, includes);

  RemoveDeselectedComponents(dsw, dsp, includes, catalogue);
  includes.Clear();
  AddSelectedComponents(dsw, dsp, includes, catalogue);
  UpdateIncludesFile(dsp, catalogue, includesPath);
  PrecompiledHeaderEdits headers;
  EditPrecompiledHeaders(app, dsp, catalogue, headers);

  // The project's files are one unit: every new text is staged beside its file (the numbered
  // backups made first) before any file is replaced, so a failure leaves them all as they were.
  // The precompiled headers come last, so that they never include a TqIncludes.h not yet written.
  CReplacementSet files;
  dsp.StageSave(files, makeBackups, dspBackupPath, kMaxBackups, kBackupFolder, kBackupTag);
  dsw.StageSave(files, makeBackups, dswBackupPath, kMaxBackups, kBackupFolder, kBackupTag);
  includes.StageSave(files, false, NULL, kMaxBackups, kBackupFolder, kBackupTag);
  for (const auto& [path, text] : headers.changed) StageTextFile(files, path, text);
  files.ReplaceAll();
  if (headers.tellNoPrecompiledHeader) TellNoPrecompiledHeader();
}

bool CVSProjectCustomizer::AreFilesToEditReadOnly(CVSApplication& app, CDspEditor& dsp, const CString& includesPath) {
  if (IsReadOnlyFile(includesPath)) return true;
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CString header;
    if (GetPrecompiledHeaderPath(dsp, i, app.GetProjectDir(), header) && IsReadOnlyFile(header)) return true;
  }
  return false;
}

void CVSProjectCustomizer::RemoveDeselectedComponents(CDswEditor& dsw, CDspEditor& dsp, CIncludesFileEditor& includes,
                                                      const std::vector<CComponent>& catalogue) {
  for (const CComponent& component : catalogue) {
    if (component.Selected) continue;
    RemoveComponentFromProject(dsw, dsp, component);
    for (const CString& header : component.IncludesFileHeaderIncludes) includes.RemoveHeader(header);
    includes.RemoveNamespace(component.Namespace);
  }
}

void CVSProjectCustomizer::AddSelectedComponents(CDswEditor& dsw, CDspEditor& dsp, CIncludesFileEditor& includes,
                                                 const std::vector<CComponent>& catalogue) {
  for (const CComponent& component : catalogue) {
    if (!component.Selected) continue;
    AddComponentToProject(dsw, dsp, component);
    for (const CString& header : component.IncludesFileHeaderIncludes) includes.AddHeader(header);
    if (!component.Namespace.IsEmpty()) includes.AddNamespace(component.Namespace);
  }
}

void CVSProjectCustomizer::AddComponentToProject(CDswEditor& dsw, CDspEditor& dsp, const CComponent& component) {
  for (const CString& guid : component.DSWControlPalletGuids) dsw.AddControlGuid("{" + guid + "}");
  AddComponentHeaders(dsp, component);
  AddComponentSources(dsp, component);
  AddCompilerSettings(dsp, component);
  RemoveCompilerSettings(dsp, component);
  AddLinkerSettings(dsp, component);
  RemoveLinkerSettings(dsp, component);
  AddSections(dsp, component);
}

void CVSProjectCustomizer::RemoveComponentFromProject(CDswEditor& dsw, CDspEditor& dsp, const CComponent& component) {
  for (const CString& guid : component.DSWControlPalletGuids) dsw.RemoveControlGuid("{" + guid + "}");
  RemoveComponentFiles(dsp, component, component.ComponentHeaders);
  std::vector<CString> sources;
  for (const ComponentSource& source : component.ComponentSources) sources.push_back(source.SourceFile);
  RemoveComponentFiles(dsp, component, sources);
  RemoveSections(dsp, component);
  // The compiler and linker settings a component brought stay: another component, or the user,
  // may rely on them.
}

void CVSProjectCustomizer::AddComponentHeaders(CDspEditor& dsp, const CComponent& component) {
  if (component.ComponentHeaders.empty()) return;
  CDspFolderEditor& product = dsp.GetTopLevelFileGroupEditor().AddFolder(kProductFolder, "", -1, false);
  if (!IsDriver(component)) {
    CDspFolderEditor& folder = product.AddFolder(kComponentFolder, kHeaderFilter, -1, false);
    for (const CString& header : component.ComponentHeaders) folder.AddFile(Quoted(header), -1, false);
    return;
  }
  // A driver's headers are listed when it comes with the framework, or when the project compiles
  // its sources itself; a driver with only an import library needs none in the project.
  if (!component.InVXIPNP && (component.HasImportLibrary || component.ComponentSources.empty())) return;
  CDspFolderEditor& folder = product.AddFolder(kDriverFolder, "", -1, false);
  for (const CString& header : component.ComponentHeaders) folder.AddFile(Quoted(header), -1, false);
}

void CVSProjectCustomizer::AddComponentSources(CDspEditor& dsp, const CComponent& component) {
  if (component.ComponentSources.empty()) return;
  CDspFolderEditor& product = dsp.GetTopLevelFileGroupEditor().AddFolder(kProductFolder, "", -1, false);
  CDspFolderEditor& folder = product.AddFolder(FolderOf(component), "*.cpp", -1, false);
  for (const ComponentSource& source : component.ComponentSources) {
    CDspTargetFileEditor& file = folder.AddFile(Quoted(source.SourceFile), -1, false);
    for (const CString& setting : source.AddCompilerSettings) file.GetAddCompilerEntryEditor().AddSetting(setting);
    for (const CString& setting : source.SubtractCompilerSettings)
      file.GetSubtractCompilerEntryEditor().AddSetting(setting);
  }
}

void CVSProjectCustomizer::RemoveComponentFiles(CDspEditor& dsp, const CComponent& component,
                                                const std::vector<CString>& paths) {
  CDspTopLevelFileGroupEditor& top = dsp.GetTopLevelFileGroupEditor();
  CDspFolderEditor* product = FindFolder(top, kProductFolder);
  if (product == NULL) return;
  const CString folderName = FolderOf(component);
  CDspFolderEditor* folder = FindFolder(*product, folderName);
  if (folder == NULL) return;
  for (const CString& path : paths) folder->RemoveFile(Quoted(path));
  if (!folder->HasFoldersOrFiles()) product->RemoveFolder(folderName);
  if (!product->HasFoldersOrFiles()) top.RemoveFolder(kProductFolder);
}

CVSProjectCustomizer::ConfigurationKind CVSProjectCustomizer::KindOf(CCPPCompilerEntryEditor& compiler) {
  if (compiler.HasSetting(kDebugMarker)) return configDebug;
  if (compiler.HasSetting(kReleaseMarker)) return configRelease;
  return configNeither;
}

void CVSProjectCustomizer::AddCompilerSettings(CDspEditor& dsp, const CComponent& component) {
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CCPPCompilerEntryEditor& compiler = dsp.GetConfigurationEditor(i).GetCompilerEditor();
    const ConfigurationKind kind = KindOf(compiler);
    if (kind == configNeither) continue;
    const std::vector<CString>& settings =
        kind == configDebug ? component.CompilerDebugSettings : component.CompilerReleaseSettings;
    for (const CString& setting : settings) {
      if (m_isWindowsNT && setting == "/Z7") continue;
      AddCompilerSetting(compiler, setting);
    }
  }
}

void CVSProjectCustomizer::RemoveCompilerSettings(CDspEditor& dsp, const CComponent& component) {
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CCPPCompilerEntryEditor& compiler = dsp.GetConfigurationEditor(i).GetCompilerEditor();
    const ConfigurationKind kind = KindOf(compiler);
    if (kind == configNeither) continue;
    const std::vector<CString>& settings =
        kind == configDebug ? component.RemoveCompilerDebugSettings : component.RemoveCompilerReleaseSettings;
    for (const CString& setting : settings) {
      // Run-time type information stays whatever a component says: other code may need it.
      if (setting == "/GR") continue;
      if (m_isWindowsNT && setting == "/ZI") continue;
      RemoveCompilerSetting(compiler, setting);
    }
  }
}

void CVSProjectCustomizer::AddLinkerSettings(CDspEditor& dsp, const CComponent& component) {
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CDspConfigurationEditor& configuration = dsp.GetConfigurationEditor(i);
    const ConfigurationKind kind = KindOf(configuration.GetCompilerEditor());
    if (kind == configNeither) continue;
    const std::vector<CString>& settings =
        kind == configDebug ? component.LinkerDebugSettings : component.LinkerReleaseSettings;
    for (const CString& setting : settings) configuration.AddLinkerSetting(setting);
  }
}

void CVSProjectCustomizer::RemoveLinkerSettings(CDspEditor& dsp, const CComponent& component) {
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CDspConfigurationEditor& configuration = dsp.GetConfigurationEditor(i);
    const ConfigurationKind kind = KindOf(configuration.GetCompilerEditor());
    if (kind == configNeither) continue;
    const std::vector<CString>& settings =
        kind == configDebug ? component.RemoveLinkerDebugSettings : component.RemoveLinkerReleaseSettings;
    for (const CString& setting : settings) configuration.RemoveLinkerSetting(setting);
  }
}

void CVSProjectCustomizer::AddSections(CDspEditor& dsp, const CComponent& component) {
  static const struct {
    LPCTSTR type;
    int kind;
  } kEntryKinds[] = {
      {"ClassName", dspSectionClass},
      {"HeaderFile", dspSectionHeaderFile},
      {"ImplFile", dspSectionImplFile},
      {"DefaultSinkHeaderFile", dspSectionDefaultSinkHeaderFile},
      {"DefaultSinkClassName", dspSectionDefaultSinkClass},
  };
  for (const ComponentSection& section : component.Sections) {
    CDspSectionEditor& editor = dsp.GetSectionEditor(section.GUID);
    for (const ComponentSectionEntry& entry : section.SectionEntries) {
      for (const auto& known : kEntryKinds) {
        if (entry.Type == known.type) {
          editor.SetEntry(known.kind, entry.Value);
          break;
        }
      }
    }
  }
}

void CVSProjectCustomizer::RemoveSections(CDspEditor& dsp, const CComponent& component) {
  for (const ComponentSection& section : component.Sections) dsp.RemoveSection(section.GUID);
}

void CVSProjectCustomizer::UpdateIncludesFile(CDspEditor& dsp, const std::vector<CComponent>& catalogue,
                                              const CString& /*includesPath*/) {
  CDspTopLevelFileGroupEditor& top = dsp.GetTopLevelFileGroupEditor();
  CDspFolderEditor& product = top.AddFolder(kProductFolder, "", -1, false);
  CDspFolderEditor& folder = product.AddFolder(kComponentFolder, kHeaderFilter, -1, false);
  if (CountSelectedComponents(catalogue) >= 1) {
    folder.AddFile(kIncludesFileName, -1, false);
    return;
  }
  folder.RemoveFile(kIncludesFileName);
  if (!folder.HasFoldersOrFiles()) product.RemoveFolder(kComponentFolder);
  if (!product.HasFoldersOrFiles()) top.RemoveFolder(kProductFolder);
  // The header itself is not deleted here: the save writes it again from the emptied model, and
  // a failure before that save must leave it as it was, since StdAfx.h and the old project file
  // still name it.
}

bool CVSProjectCustomizer::GetPrecompiledHeaderPath(CDspEditor& dsp, int index, const CString& projectDir,
                                                    CString& path) {
  CString switchText;
  if (!dsp.GetConfigurationEditor(index).GetCompilerEditor().FindSettingByPrefix(kPrecompiledHeaderSwitch, switchText))
    return false;
  CString header = switchText.Mid(3);
  header.Remove('"');
  // "/Yu" alone names no header: the configuration uses none that could take the include block.
  if (header.IsEmpty()) return false;
  path = header.Find('\\') >= 0 ? ResolveAgainst(projectDir, header) : projectDir + header;
  return true;
}

void CVSProjectCustomizer::IncludeIncludesFileInStdAfx(CVSApplication& app, CDspEditor& dsp,
                                                       const std::vector<CComponent>& catalogue) {
  PrecompiledHeaderEdits headers;
  EditPrecompiledHeaders(app, dsp, catalogue, headers);
  CReplacementSet files;
  for (const auto& [path, text] : headers.changed) StageTextFile(files, path, text);
  files.ReplaceAll();
  if (headers.tellNoPrecompiledHeader) TellNoPrecompiledHeader();
}

void CVSProjectCustomizer::TellNoPrecompiledHeader() {
  CString text, caption;
  text.LoadString(IDS_NO_PRECOMPILED_HEADER);
  caption.LoadString(IDS_PRODUCT_NAME);
  ::MessageBox(CVSApplication::GetMainFrameHandle(), text, caption, MB_OK);
}

void CVSProjectCustomizer::EditPrecompiledHeaders(CVSApplication& app, CDspEditor& dsp,
                                                  const std::vector<CComponent>& catalogue,
                                                  PrecompiledHeaderEdits& edits) {
  const int selected = CountSelectedComponents(catalogue);
  bool missing = false;
  // Configurations usually share their precompiled header: each header is read once, changed in
  // memory and written once, with the same result as taking the configurations one by one.
  std::vector<CString> headers;
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CString path;
    if (!GetPrecompiledHeaderPath(dsp, i, app.GetProjectDir(), path)) {
      missing = true;
      continue;
    }
    bool seen = false;
    for (const CString& header : headers) seen = seen || header.CompareNoCase(path) == 0;
    if (!seen) headers.push_back(path);
  }
  // Every header is read before any is written: one that exists and cannot be read stops the run
  // with nothing changed. Only a header that is really absent has nothing to receive the block.
  edits.tellNoPrecompiledHeader = missing && selected > 0;
  for (const CString& path : headers) {
    CString* pending = NULL;
    for (auto& [editedPath, text] : edits.changed)
      if (editedPath.CompareNoCase(path) == 0) pending = &text;
    CString contents;
    if (pending != NULL)
      contents = *pending;
    else if (!ReadWholeTextFile(path, contents))
      continue;
    bool changed = RemoveText(contents, kIncludeBlock);
    // The old include line is a whole line between two line feeds: one of them stays, so that the
    // lines before and after it stay apart.
    changed = ReplaceText(contents, kOldIncludeLine, "\n") || changed;
    if (selected > 0) changed = InsertText(contents, kIncludeBlock, kInsertionMarker, true) || changed;
    if (pending != NULL)
      *pending = contents;
    else if (changed)
      edits.changed.emplace_back(path, contents);
  }
}

void CVSProjectCustomizer::ReadCurrentSelection(CVSApplication& app, std::vector<CComponent>& catalogue) {
  CDspEditor dsp;
  CIncludesFileEditor includes;
  dsp.Open(app.GetProjectFilePath());
  includes.Open(app.GetProjectDir() + kIncludesFileName);
  for (CComponent& component : catalogue) {
    component.Selected = false;
    for (const CString& header : component.IncludesFileHeaderIncludes) {
      if (includes.HasHeader(header) && (component.Namespace.IsEmpty() || includes.HasNamespace(component.Namespace)))
        component.Selected = true;
    }
  }
}

bool CVSProjectCustomizer::AllConfigurationsUseMFC(CVSApplication& app) {
  app.SaveAll();
  CDspEditor dsp;
  dsp.Open(app.GetProjectFilePath());
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i)
    if (dsp.GetConfigurationEditor(i).GetUseMFC() == 0) return false;
  return true;
}

bool CVSProjectCustomizer::IsDllProject(CVSApplication& app) {
  app.SaveAll();
  CDspEditor dsp;
  dsp.Open(app.GetProjectFilePath());
  return dsp.GetTargetType() == dspTargetDynamicLibrary;
}
