// The callback-table manager's settings files (.hga), read by CUIRMgr::LoadState; the .uir files
// they name are found on the sample drive. A file loads (0) or is refused (1, the manager then
// empty); a loaded one is saved, loaded and saved again, and the two saves are identical. The
// input and the drive stay as they were, and nothing is left beside the saved file.
#include <filesystem>
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"
#include "uir/UIRMgr.h"

extern const UINT g_nUIREngineMessageId = 54;

namespace {

const char kSaved[] = "F:\\Saved.hga";

int Load(CUIRMgr& manager, const std::string& path) {
  int answer = -1;
  try {
    answer = manager.LoadState(path.c_str());
  } catch (CUIRMgrExc e) {
    fuzz::Finding("a settings file is refused by an exception: CUIRMgrExc " + std::to_string(e));
  }
  fuzz::Check(answer == 0 || answer == 1, "LoadState answers " + std::to_string(answer));
  return answer;
}

std::string Saved(const CUIRMgr& manager) {
  try {
    const_cast<CUIRMgr&>(manager).SaveState(kSaved);
  } catch (CUIRMgrExc e) {
    fuzz::Finding("a loaded settings file cannot be saved: CUIRMgrExc " + std::to_string(e));
  }
  for (const auto& entry : std::filesystem::directory_iterator(sandbox::HostPath("F:\\"))) {
    const std::string name = entry.path().filename().string();
    fuzz::Check(name == "Input.hga" || name == "Saved.hga", "saving left " + name + " behind");
  }
  return fuzz::DiskBytes(kSaved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::AllowUnmodelledPaths();
  fuzz::SampleDrive();
  const std::string path = fuzz::PutInput("Input.hga", data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  CUIRMgr manager;
  manager.SetTableFile("F:\\Before.c");
  manager.SetPromptDSPSave(TRUE);
  if (Load(manager, path) == 1) {
    fuzz::Check(manager.GetTableFile().IsEmpty() && manager.GetUIRs().empty(),
                "a refused settings file left the manager filled");
  } else {
    for (const CFileStamp& uir : manager.GetUIRs())
      fuzz::Check(::GetFileAttributes(uir.m_path) != INVALID_FILE_ATTRIBUTES,
                  "a loaded settings file keeps a file that is gone: " + std::string(uir.m_path));
    const std::string first = Saved(manager);
    CUIRMgr again;
    fuzz::Check(Load(again, kSaved) == 0, "a saved settings file does not load");
    fuzz::Check(Saved(again) == first, "a saved settings file does not save back the same");
  }
  fuzz::Check(fuzz::DiskBytes(path) == input, "loading changed the settings file");
  fuzz::CheckNoHandles();
  fuzz::CheckSampleUnchanged();
  fuzz::CheckUnmodelledPathsOnly();
  return 0;
}
