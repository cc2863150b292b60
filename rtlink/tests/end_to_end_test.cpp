// A user program, run as its own process over a registry file bound through the environment,
// pokes board 0 through GmRTDLL.dll; this process reads the board's memory afterwards.
#include "rtlink_fixture.h"

#include <filesystem>

#include "sandbox/test_process.h"

namespace rtlink_test {
namespace {

// The Windows form of a host path on Z: (the whole host), which any process maps the same way.
std::string OnZ(const std::filesystem::path& host) {
  std::string path = "Z:" + host.string();
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

class EndToEnd : public RtLinkTest {
 protected:
  // Runs GmRTUser with GmRTDLL.dll and the exports to call; returns its exit code (-1: it did not
  // exit normally).
  int RunUserProgram(const std::vector<std::string>& exports) {
    std::vector<std::string> arguments = {OnZ(GMRTDLL_FILE)};
    arguments.insert(arguments.end(), exports.begin(), exports.end());
    const std::vector<std::string> world = {"SABLEWING_REGISTRY=" + registryFile_,
                                            sandbox::gmrtlink::BoardsEnvironment()};
    return sandbox::testing::RunProgram(GMRTUSER_FILE, arguments, world);
  }

  std::string registryFile_;
};

TEST_F(EndToEnd, UserProgramPokesBoard0ThroughGmRtDll) {
  const std::filesystem::path host = sandbox::HostPath("T:\\");
  std::filesystem::create_directories(host / "Glimmer" / "8.0");
  std::filesystem::copy_file(GMRTLINK_DRIVER_FILE, host / "Glimmer" / "8.0" / "gmrtlink.dll");
  sandbox::RegistrySetString(std::string(kRunTimeKey) + "\\8.0", "Path", OnZ(host / "Glimmer" / "8.0"));
  registryFile_ = (host / "machine.reg").string();
  ASSERT_TRUE(sandbox::RegistrySave(registryFile_));
  sandbox::gmrtlink::WriteBoard(0, 0, {0x11, 0x22, 0x33, 0x44, 0x55});

  EXPECT_EQ(RunUserProgram({"PokeInt"}), 0);
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 0, 5), (Bytes{0x11, 0x22, 0x33, 0x33, 0x55}));
  EXPECT_EQ(RunUserProgram({"Initialize"}), 0);
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 0, 5), (Bytes{0, 0, 0, 0, 0x55}));

  // Without a run-time in its registry the program's calls fail and the board stays as it is.
  sandbox::gmrtlink::WriteBoard(0, 0, {0x11, 0x22, 0x33, 0x44});
  sandbox::RegistryDeleteKey(kRunTimeKey);
  ASSERT_TRUE(sandbox::RegistrySave(registryFile_));
  EXPECT_EQ(RunUserProgram({"Initialize", "PokeInt"}), 1);
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 0, 4), (Bytes{0x11, 0x22, 0x33, 0x44}));
}

}  // namespace
}  // namespace rtlink_test
