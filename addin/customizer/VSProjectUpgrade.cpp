// Projects made for the previous (1.0) version of the class library: how they are recognised and
// converted into projects that use the equivalent 6.0 components.
#include "bridge/VSApplication.h"
#include "customizer/CustomizerNames.h"
#include "customizer/TextInFile.h"
#include "customizer/VSProjectCustomizer.h"
#include "dsp/DspLookupTables.h"
#include "editors/DspEditor.h"
#include "editors/DswEditor.h"
#include "editors/IncludesFileEditor.h"
#include "editors/ReplaceFile.h"
#include "editors/TextFile.h"

#include <mbstring.h>

using namespace customizer;

namespace {

// The interface libraries a 1.0 project links, release and debug.
const LPCTSTR kVersion1Libraries[] = {"TqInterface.lib", "TqInterfaceD.lib"};

// The MFC static libraries that only applications (never DLLs) lose in the conversion.
const LPCTSTR kMfcStaticLibraries[] = {"mfcs42.lib", "mfcs42d.lib"};

// The components of the 1.0 library, by their 6.0 names.
const LPCTSTR kVersion1Components[] = {
    "3D Graph",          "4882",          "Common",    "Linkwell", "Advanced Analysis",
    "Base Analysis",     "UI Common",     "User Interface", "Utility",  "VISA",
};

// The headers of the 1.0 library, as the project tree lists them below "Sablewing"/"Include".
const LPCTSTR kVersion1Headers[] = {
    "Tq4882.h",         "TqAll.h",           "TqAxes.h",          "TqAxes3d.h",         "TqAxis.h",
    "TqAxis3d.h",       "TqBinding.h",       "TqBindings.h",      "TqButton.h",         "TqColor.h",
    "TqColorVector.h",  "TqCommon.h",        "TqComplex.h",       "TqComplexMatrix.h",  "TqComplexVector.h",
    "TqContour.h",      "TqContours.h",      "TqControlMetrics.h", "TqCursor.h",        "TqCursors.h",
    "TqLinkwell.h",     "TqLinkwellServer.h", "TqDataTypes.h",    "TqException.h",      "TqFile.h",
    "TqFont.h",         "TqGraph.h",         "TqGraph3d.h",       "TqImage.h",          "TqIviAttribute.h",
    "TqIviInstrument.h", "TqIviStdObjects.h", "TqKnob.h",         "TqLabels.h",         "TqLabels3d.h",
    "TqLight.h",        "TqLights.h",        "TqMath.h",          "TqMatrix.h",         "TqNumedit.h",
    "TqPicture.h",      "TqPlot.h",          "TqPlot3d.h",        "TqPlots.h",          "TqPlots3d.h",
    "TqPointer.h",      "TqPointers.h",      "TqScalarMatrix.h",  "TqScalarVector.h",   "TqSlide.h",
    "TqSound.h",        "TqString.h",        "TqSystem.h",        "TqTicks.h",          "TqTicks3d.h",
    "TqTime.h",         "TqTimer.h",         "TqUtility.h",       "TqValuepair.h",      "TqValuepairs.h",
    "TqVariant.h",      "TqVector.h",        "TqVisa.h",          "TqVxiPnpInstrument.h",
};
static_assert(sizeof kVersion1Headers / sizeof kVersion1Headers[0] == 64);

// Where the 1.0 headers lay: the product's macro, then the header's name.
const char kVersion1HeaderFolder[] = "$(SABLEWING_CPP_PATH)\\Include\\";

// What a 1.0 project's StdAfx.h includes; the conversion takes it out.
const LPCTSTR kVersion1IncludeBlock = "#include \"TqAll.h\"\nusing namespace TQ;\n\n";
const LPCTSTR kStdAfxName = "StdAfx.h";

}  // namespace

bool ProjectTextUsesVersion1Library(const CString& text) {
  for (LPCTSTR library : kVersion1Libraries)
    if (text.Find(library) >= 0) return true;
  return false;
}

bool ProjectFileUsesVersion1Library(CVSApplication& app) {
  app.LoadProjectList();
  do {
    CString text;
    try {
      if (!ReadWholeTextFile(app.GetProjectFilePath(), text)) return false;
    } catch (CFileException* e) {
      // A project file that cannot be read ends the search, as an empty one does.
      e->Delete();
      return false;
    }
    if (text.IsEmpty()) return false;
    if (ProjectTextUsesVersion1Library(text)) return true;
  } while (app.NextProject());
  return false;
}

bool CVSProjectCustomizer::IsVersion1Project(CVSApplication& app) {
  app.SaveAll();
  CDspEditor dsp;
  dsp.Open(app.GetProjectFilePath());
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CDspConfigurationEditor& configuration = dsp.GetConfigurationEditor(i);
    for (LPCTSTR library : kVersion1Libraries)
      if (configuration.HasLinkerSetting(library)) return true;
  }
  return false;
}

bool CVSProjectCustomizer::IsVersion1Component(const CComponent& component) {
  for (LPCTSTR name : kVersion1Components) {
    if (_mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(component.ComponentName)),
                reinterpret_cast<const unsigned char*>(name)) == 0)
      return true;
  }
  return false;
}

void CVSProjectCustomizer::RemoveVersion1HeaderFiles(CDspEditor& dsp) {
  CDspFolderEditor& product = dsp.GetTopLevelFileGroupEditor().AddFolder(kProductFolder, "", -1, false);
  CDspFolderEditor& folder = product.AddFolder(kComponentFolder, kHeaderFilter, -1, false);
  for (LPCTSTR header : kVersion1Headers) folder.RemoveFile(CString("\"") + kVersion1HeaderFolder + header + "\"");
}

void CVSProjectCustomizer::UpgradeProject(CVSApplication& app, std::vector<CComponent>& catalogue, bool backupWorkspace,
                                          bool backupProject, std::list<CString>& backupPaths) {
  CDspEditor dsp;
  CDswEditor dsw;
  CIncludesFileEditor includes;
  const CString includesPath = OpenForRewrite(app, dsw, dsp, includes);

  RemoveVersion1HeaderFiles(dsp);
  const bool isDll = dsp.GetTargetType() == dspTargetDynamicLibrary;
  for (int i = 0; i < dsp.GetConfigurationCount(); ++i) {
    CDspConfigurationEditor& configuration = dsp.GetConfigurationEditor(i);
    for (LPCTSTR library : kVersion1Libraries) configuration.RemoveLinkerSetting(library);
    if (!isDll)
      for (LPCTSTR library : kMfcStaticLibraries) configuration.RemoveLinkerSetting(library);
  }

  // StdAfx.h loses the 1.0 include block in memory; the precompiled-header step below then edits
  // that text, and every file is written in one unit at the end.
  PrecompiledHeaderEdits headers;
  const CString stdAfxPath = app.GetProjectDir() + kStdAfxName;
  CString stdAfx;
  if (ReadWholeTextFile(stdAfxPath, stdAfx) && RemoveText(stdAfx, kVersion1IncludeBlock))
    headers.changed.emplace_back(stdAfxPath, stdAfx);

  for (CComponent& component : catalogue)
    if (IsVersion1Component(component)) component.Selected = true;
  includes.Clear();
  AddSelectedComponents(dsw, dsp, includes, catalogue);
  UpdateIncludesFile(dsp, catalogue, includesPath);
  EditPrecompiledHeaders(app, dsp, catalogue, headers);

  CReplacementSet files;
  CString dswBackup, dspBackup;
  dsw.StageSave(files, backupWorkspace, &dswBackup, kMaxBackups, kBackupFolder, kBackupTag);
  dsp.StageSave(files, backupProject, &dspBackup, kMaxBackups, kBackupFolder, kBackupTag);
  includes.StageSave(files, false, NULL, kMaxBackups, kBackupFolder, kBackupTag);
  for (const auto& [path, text] : headers.changed) StageTextFile(files, path, text);
  files.ReplaceAll();
  if (backupWorkspace) backupPaths.push_back(dswBackup);
  if (backupProject) backupPaths.push_back(dspBackup);
  if (headers.tellNoPrecompiledHeader) TellNoPrecompiledHeader();

  for (CComponent& component : catalogue) component.Selected = false;
}
