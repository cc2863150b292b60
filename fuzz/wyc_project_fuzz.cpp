// Wyc project files (.prj), read by CWycProject for a new project that uses the Wyc folder C:\Wyc,
// with the depot of the sample installation. The input lies in the sample project's folder, so the
// files it lists are found there. A refusal is one of the reader's own answers with the object
// reset; an accepted file gives a project whose files all exist, and reads the same again; nothing
// on the drive changes and no handle stays open.
#include <string>

#include "InformationDepot.h"
#include "WycProject.h"
#include "harness.h"
#include "plugin/CurrentDepot.h"
#include "sandbox/sandbox.h"

namespace {

const char kInput[] = "C:\\Projects\\WycMeter\\Fuzz.prj";
const char kWycFolder[] = "C:\\Wyc";

// Everything the project holds, as one text.
std::string Summary(const CWycProject& project) {
  std::string text = std::to_string(project.GetTargetType()) + " " + std::to_string(project.GetDllCopyTarget()) +
                     " " + std::to_string(project.GetExportIncludeSymbols()) +
                     std::to_string(project.GetInstrDriverSupportOnly()) + "\n";
  const CString texts[] = {project.GetIconFile(),        project.GetNumericFileVersion(), project.GetNumericProductVersion(),
                           project.GetFileVersion(),     project.GetProductVersion(),     project.GetComments(),
                           project.GetCompanyName(),     project.GetFileDescription(),    project.GetInternalName(),
                           project.GetLegalCopyright(),  project.GetLegalTrademarks(),    project.GetOriginalFilename(),
                           project.GetPrivateBuild(),    project.GetProductName(),        project.GetSpecialBuild(),
                           project.GetApplicationTitle(), project.GetBuildConfiguration(), project.GetVXIPNPDir()};
  for (const CString& t : texts) text += std::string(t, t.GetLength()) + "\n";
  for (const CString& path : project.GetIncludePaths()) text += "include " + std::string(path) + "\n";
  const CFileStampSet* sets[CWycProject::FILE_SET_COUNT];
  project.GetFileSets(sets);
  for (int i = 0; i < CWycProject::FILE_SET_COUNT; ++i) {
    fuzz::Check(sets[i] == &project.GetFileSet(i), "the file sets and GetFileSet disagree");
    for (const CFileStamp& stamp : *sets[i])
      text += std::to_string(i) + " " + std::string(stamp.m_path) + " " + std::to_string(stamp.m_flag) + " " +
              std::to_string(stamp.m_time.dwHighDateTime) + ":" + std::to_string(stamp.m_time.dwLowDateTime) + "\n";
  }
  return text;
}

// The answer of one read: the project's summary, or the exception's value.
std::string ReadOnce(CWycProject& project) {
  try {
    fuzz::Check(project.Read(kInput, kWycFolder), "a project file that is there reads as absent");
  } catch (CWycProjectExc e) {
    // 0 is out of memory or an unexpected failure: neither comes from a small file.
    fuzz::Check(e >= WYCPRJ_EXC_INI_READ && e <= WYCPRJ_EXC_INI_OPEN,
                "an undocumented refusal: CWycProjectExc " + std::to_string(e));
    CWycProject reset;
    fuzz::Check(Summary(project) == Summary(reset), "a refused project file left the object filled");
    return "refused " + std::to_string(e);
  }
  fuzz::Check(project.GetTargetType() >= CWycProject::EXECUTABLE &&
                  project.GetTargetType() <= CWycProject::CONSOLE_EXECUTABLE,
              "an accepted project has no target type");
  const CFileStampSet* sets[CWycProject::FILE_SET_COUNT];
  project.GetFileSets(sets);
  for (const CFileStampSet* set : sets)
    for (const CFileStamp& stamp : *set)
      fuzz::Check(::GetFileAttributes(stamp.m_path) != INVALID_FILE_ATTRIBUTES,
                  "an accepted project lists a file that is not there: " + std::string(stamp.m_path));
  return Summary(project);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::AllowUnmodelledPaths();
  static const bool registry = [] {
    fuzz::SampleDrive();
    std::string error;
    fuzz::Check(sandbox::RegistryLoad(sandbox::HostPath("C:\\sablewing.reg"), &error),
                "the sample registry does not load: " + error);
    return true;
  }();
  (void)registry;
  static CInformationDepot depot;
  g_pCurrentDepot = &depot;

  fuzz::PutSampleInput(kInput, data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    CWycProject project;
    const std::string first = ReadOnce(project);
    fuzz::Check(ReadOnce(project) == first, "a project file reads differently the second time");
  }
  fuzz::Check(fuzz::DiskBytes(kInput) == input, "the reader changed the project file");
  fuzz::CheckNoHandles();
  fuzz::RemoveSampleInput(kInput);
  fuzz::CheckSampleUnchanged();
  fuzz::CheckUnmodelledPathsOnly();
  return 0;
}
