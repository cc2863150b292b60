// User-interface resource files (.uir), read through the run-time engine stand-in by
// CUIR::ReadCallbacks and turned into a callback table by CUIRMgr::WriteTableFile. A file gives
// its callback names (distinct within each kind, the same on a second read) or is refused with
// CUIRExc 1 or 2; the engine holds nothing loaded afterwards. The table counts every name of an
// accepted file; a refused file leaves the old table as it was and nothing beside it.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"
#include "sandbox/wycrte.h"
#include "uir/UIR.h"
#include "uir/UIRMgr.h"

extern const UINT g_nUIREngineMessageId = 54;

namespace {

const char kTable[] = "F:\\Table.c";
const char kOldTable[] = "// the table before\n";

// The names of each kind, or the refusal.
std::string Read(const std::string& path, int& names) {
  CUIR reader;
  names = 0;
  try {
    reader.ReadCallbacks(path.c_str());
  } catch (CUIRExc e) {
    fuzz::Check(e == UIR_EXC_MALFORMED || e == UIR_EXC_ENGINE, "an undocumented refusal: CUIRExc " + std::to_string(e));
    return "refused " + std::to_string(e);
  }
  std::string text;
  for (int kind = CUIR::PANEL_CALLBACKS; kind <= CUIR::MENU_CALLBACKS; ++kind) {
    std::set<std::string> distinct;
    for (const CString& name : reader.GetCallbacks(kind)) {
      fuzz::Check(!name.IsEmpty() && distinct.insert(static_cast<LPCTSTR>(name)).second, "a callback name is empty or twice");
      text += std::to_string(kind) + " " + static_cast<LPCTSTR>(name) + "\n";
      ++names;
    }
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  static const bool engine = [] {
    fuzz::SampleDrive([](const std::string& drive) {
      std::filesystem::create_directories(drive + "/rt");
      std::filesystem::copy_file(WYCRTE_LIBRARY_FILE, drive + "/rt/wycrte.dll",
                                 std::filesystem::copy_options::overwrite_existing);
    });
    sandbox::SetModuleSearchPath({"C:\\rt"});
    // The table writer waits a second after each table: the sandbox's clock, standing, moves
    // instead.
    sandbox::SetClock(946684800000);  // 2000-01-01
    sandbox::SetSleepMovesClock(true);
    return true;
  }();
  (void)engine;
  const std::string path = fuzz::PutInput("Fuzz.uir", data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);

  int names = 0;
  const std::string first = Read(path, names);
  fuzz::Check(sandbox::wycrte::LiveHandles() == 0, "the engine holds a panel or menu bar after a read");
  int again = 0;
  fuzz::Check(Read(path, again) == first, "a file reads differently the second time");

  std::ofstream(sandbox::HostPath("F:\\") + "/Table.c", std::ios::binary) << kOldTable;
  CUIRMgr manager;
  manager.SetTableFile(kTable);
  CFileStamp stamp;
  fuzz::Check(CFileStamp::OfFile(path.c_str(), true, stamp), "the input is not there");
  manager.SetUIRs({stamp});
  const bool refused = first.compare(0, 8, "refused ") == 0;
  try {
    manager.WriteTableFile();
    fuzz::Check(!refused, "a table was written from a file the reader refused");
    const std::string count = "int __UICallbackSymbolCount = " + std::to_string(names) + ";";
    fuzz::Check(fuzz::DiskBytes(kTable).find(count) != std::string::npos, "the table does not count every name");
  } catch (CUIRMgrExc e) {
    fuzz::Check(refused && e == UIRMGR_EXC_FILE, "the table writer refuses with CUIRMgrExc " + std::to_string(e));
    fuzz::Check(fuzz::DiskBytes(kTable) == kOldTable, "a refused file changed the old table");
  }
  fuzz::Check(sandbox::wycrte::LiveHandles() == 0, "the engine holds a panel or menu bar after the table");
  for (const auto& entry : std::filesystem::directory_iterator(sandbox::HostPath("F:\\"))) {
    const std::string name = entry.path().filename().string();
    fuzz::Check(name == "Fuzz.uir" || name == "Table.c", "the table writer left " + name + " behind");
  }
  fuzz::Check(fuzz::DiskBytes(path) == input, "reading changed the file");
  fuzz::CheckNoHandles();
  fuzz::CheckSampleUnchanged();
  return 0;
}
