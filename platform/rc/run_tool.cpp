// The one file of the resource build that starts processes (posix_spawn).
#include "run_tool.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace rc {

ToolRun RunTool(const std::vector<std::string>& argv, const std::filesystem::path& directory,
                const std::filesystem::path& log) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);

  ToolRun run;
  if (spawned != 0) {
    run.output = argv[0] + ": cannot run: " + std::strerror(spawned) + "\n";
    return run;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
  std::ifstream in(log, std::ios::binary);
  run.output.assign(std::istreambuf_iterator<char>(in), {});
  if (run.exitCode < 0) run.output += argv[0] + ": ended abnormally\n";
  return run;
}

}  // namespace rc
