// The IDE stand-in's own reader of workspace and project files, and the paths a workspace names
// (resolved and read through kernel32 on the sandbox drive).
#include <windows.h>

#include <string>
#include <vector>

#include "file_io.h"
#include "harness.h"
#include "sandbox/sandbox.h"
#include "workspace_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  // The paths a workspace names reach kernel32 as written: device names and the like are forms
  // the file stand-in does not model. It says so and fails the call, which is the outcome here.
  sandbox::SetStrict(false);
  sandbox::ClearUnmodelledCalls();
  const std::string path = fuzz::PutInput("Input.dsw", data, size);
  const std::string text(reinterpret_cast<const char*>(data), size);

  std::string fullPath, error;
  std::vector<msdev::WorkspaceEntry> projects;
  if (msdev::ReadWorkspaceFile(path, fullPath, projects, &error)) {
    fuzz::Check(fullPath == "F:\\Input.dsw", "the workspace's full path is " + fullPath);
    for (const msdev::WorkspaceEntry& project : projects) {
      std::string bytes;
      unsigned long code = 0;
      if (msdev::ReadWholeFile(project.fullPath, bytes, &code)) {
        msdev::ProjectFileInfo info;
        std::string problem;
        if (!msdev::ParseProject(bytes, info, &problem)) fuzz::Check(!problem.empty(), "a project refused without a word");
      } else {
        fuzz::Check(code != 0, "a project file that cannot be read gives no error");
      }
    }
  } else {
    fuzz::Check(!error.empty(), "a workspace refused without a word");
    fuzz::Check(projects.empty(), "a refused workspace gives projects");
  }

  msdev::ProjectFileInfo info;
  error.clear();
  if (msdev::ParseProject(text, info, &error)) {
    bool found = info.defaultConfiguration.empty();
    for (const std::string& configuration : info.configurations) found = found || configuration == info.defaultConfiguration;
    fuzz::Check(found, "the default configuration is not one of the project's");
  } else {
    fuzz::Check(!error.empty(), "a project refused without a word");
  }
  fuzz::CheckNoHandles();
  return 0;
}
