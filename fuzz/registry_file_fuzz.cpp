// Registry files (REGEDIT4), loaded by the registry stand-in: a file it loads is saved whole, and
// the saved file loads into the same registry; a file it refuses changes nothing.
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  const std::string input = sandbox::HostPath(fuzz::PutInput("Input.reg", data, size));
  sandbox::RegistryClear();
  sandbox::RegistrySetString("HKEY_CURRENT_USER\\Software\\Before", "kept", "yes");
  const std::string before = sandbox::RegistryExport();
  std::string error;
  if (!sandbox::RegistryLoad(input, &error)) {
    fuzz::Check(!error.empty(), "a registry file refused without a word");
    fuzz::Check(sandbox::RegistryExport() == before, "a refused registry file changed the registry");
    return 0;
  }
  const std::string loaded = sandbox::RegistryExport();
  const std::string saved = sandbox::HostPath(fuzz::PutInput("Saved.reg", nullptr, 0));
  fuzz::Check(sandbox::RegistrySave(saved, &error), "a loaded registry cannot be saved: " + error);
  sandbox::RegistryClear();
  fuzz::Check(sandbox::RegistryLoad(saved, &error), "a saved registry does not load: " + error);
  fuzz::Check(sandbox::RegistryExport() == loaded, "a saved registry loads as another");
  fuzz::Check(sandbox::RegistryOpenHandles() == 0, "a registry handle was left open");
  return 0;
}
