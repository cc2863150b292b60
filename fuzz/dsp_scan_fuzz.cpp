// Project files (.dsp) scanned by CUIRMgr::ScanProjectFile for the .uir files they name; the input
// lies in the sample project's folder, beside its .uir files. A scan finds files that are there
// (each named ".uir" in lower case) or is refused with CUIRMgrExc 1 (a named file does not open);
// the same file scanned again finds the same. Nothing on the drive changes, no handle stays open.
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"
#include "uir/UIRMgr.h"

extern const UINT g_nUIREngineMessageId = 54;

namespace {

const char kFolder[] = "C:\\Projects\\WycMeter\\";
const char kName[] = "Fuzz.dsp";

// The scan's answer, or -1 when it was refused.
int Scan(CUIRMgr& manager, int& count) {
  try {
    return manager.ScanProjectFile(kFolder, kName, count);
  } catch (CUIRMgrExc e) {
    fuzz::Check(e == UIRMGR_EXC_FILE, "an undocumented refusal: CUIRMgrExc " + std::to_string(e));
    return -1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::AllowUnmodelledPaths();
  fuzz::SampleDrive();
  const std::string path = fuzz::PutSampleInput(std::string(kFolder) + kName, data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  CUIRMgr manager;
  int count = -1;
  const int answer = Scan(manager, count);
  if (answer < 0) {
    fuzz::Check(manager.GetUIRs().empty(), "a refused scan changed the manager's files");
  } else {
    fuzz::Check(count == static_cast<int>(manager.GetUIRs().size()), "the count is not the number of files found");
    fuzz::Check(answer == (count > 0 ? CUIRMgr::SCAN_MORE : CUIRMgr::SCAN_SAME),
                "a first scan answers " + std::to_string(answer) + " for " + std::to_string(count) + " files");
    for (const CFileStamp& uir : manager.GetUIRs()) {
      const std::string name = static_cast<LPCTSTR>(uir.m_path);
      fuzz::Check(name.size() >= 4 && name.compare(name.size() - 4, 4, ".uir") == 0, "a scan found " + name);
      fuzz::Check(uir.m_flag && ::GetFileAttributes(uir.m_path) != INVALID_FILE_ATTRIBUTES,
                  "a scan found a file that is not there: " + name);
    }
    int again = -1;
    fuzz::Check(Scan(manager, again) == CUIRMgr::SCAN_SAME && again == count,
                "the same project scanned again finds another list");
  }
  fuzz::Check(fuzz::DiskBytes(path) == input, "the scan changed the project file");
  fuzz::CheckNoHandles();
  fuzz::RemoveSampleInput(path);
  fuzz::CheckSampleUnchanged();
  fuzz::CheckUnmodelledPathsOnly();
  return 0;
}
