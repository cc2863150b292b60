// Function-panel files (.fp), read by CFPFile::Find with a C source beside them: a file is found
// with its names (0 or 2) or refused as invalid (4, no names kept); never anything else. Each name
// comes from an entry of at least five bytes, so there are never more names than that allows.
#include <fstream>
#include <string>

#include "harness.h"
#include "plugin/FPFile.h"
#include "sandbox/sandbox.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  const std::string path = fuzz::PutInput("Fuzz.fp", data, size);
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::ofstream(sandbox::HostPath("F:\\") + "/Fuzz.c").close();
  CPathSet folders;
  folders.insert("F:");
  for (const char* framework : {"", "F:"}) {
    CFPFile panel;
    const int answer = panel.Find("Fuzz", framework, folders);
    if (answer == CFPFile::INVALID) {
      fuzz::Check(panel.GetNames().empty(), "an invalid panel file kept names");
    } else {
      fuzz::Check(answer == CFPFile::FOUND_WITHOUT_HEADER, "Find answers " + std::to_string(answer));
      fuzz::Check(panel.GetKind() == CFPFile::C_SOURCE, "the C source beside is not the code file");
      fuzz::Check(panel.GetNameCount() == static_cast<int>(panel.GetNames().size()) &&
                      static_cast<size_t>(panel.GetNameCount()) * 5 <= size,
                  "more names than the file holds entries");
    }
  }
  fuzz::Check(fuzz::DiskBytes(path) == input, "reading changed the panel file");
  fuzz::CheckNoHandles();
  return 0;
}
