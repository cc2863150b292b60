// Running a program of the build as its own process, as a user or an installer starts it, with
// the world this process set up handed over through its environment (SABLEWING_REGISTRY,
// sandbox::DrivesEnvironment(), ...). For tests: a program started this way reads those variables
// at its start, does its work, and the test looks at what it left behind.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace sandbox::testing {

// Runs the host file `program` with `arguments` (its argv[1] on) and this process's environment,
// in which each "NAME=value" of `environment` takes the place of any variable of that name. Waits
// for it and returns its exit code; -1 when it could not be started or did not exit normally.
// With `output`, what the program writes to its standard output, and then to its standard error,
// is kept there instead of going to this process's.
inline int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, std::string* output = nullptr) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view text(*entry);
    bool replaced = false;
    for (const std::string& own : environment) {
      const std::string_view name = std::string_view(own).substr(0, own.find('=') + 1);
      if (text.starts_with(name)) replaced = true;
    }
    if (!replaced) entries.emplace_back(text);
  }
  entries.insert(entries.end(), environment.begin(), environment.end());
  std::vector<char*> envp;
  for (std::string& entry : entries) envp.push_back(entry.data());
  envp.push_back(nullptr);

  std::vector<std::string> argumentTexts = {program};
  argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argumentTexts) argv.push_back(argument.data());
  argv.push_back(nullptr);

  // The two streams go to files of their own, read once the program has ended.
  char outName[] = "/tmp/sablewing-out-XXXXXX";
  char errName[] = "/tmp/sablewing-err-XXXXXX";
  int outFd = -1, errFd = -1;
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  if (output != nullptr) {
    outFd = ::mkstemp(outName);
    errFd = ::mkstemp(errName);
    ::posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    ::posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  }
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  ::posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  const bool ended = spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
  if (output != nullptr) {
    output->clear();
    for (int fd : {outFd, errFd}) {
      ::lseek(fd, 0, SEEK_SET);
      char buffer[4096];
      for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) output->append(buffer, static_cast<size_t>(n));
      ::close(fd);
    }
    ::unlink(outName);
    ::unlink(errName);
  }
  return ended ? WEXITSTATUS(status) : -1;
}

}  // namespace sandbox::testing
