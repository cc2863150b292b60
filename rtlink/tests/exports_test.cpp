// GmRTDLL.dll's exports over the driver stand-in: what Initialize and PokeInt do to board 0, the
// driver's answers and the statuses they become, every failure to bind, the Win32s path without
// the registry, concurrent first calls, and the unload.
#include "rtlink_fixture.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

namespace rtlink_test {
namespace {

using sandbox::gmrtlink::ReadBoard;
using sandbox::gmrtlink::WriteBoard;

class Exports : public RtLinkTest {
 protected:
  void SetUp() override {
    RtLinkTest::SetUp();
    InstallRunTime("8.0");
  }
};

TEST_F(Exports, InitializeClearsTheFirstFourBytesOfBoard0Only) {
  WriteBoard(0, 0, {1, 2, 3, 4, 5, 6});
  WriteBoard(1, 0, {9, 9, 9, 9});
  HMODULE gmRtDll = LoadGmRtDll();
  ASSERT_NE(gmRtDll, nullptr);
  EXPECT_EQ(Call(gmRtDll, "Initialize"), 0);
  EXPECT_EQ(ReadBoard(0, 0, 6), (Bytes{0, 0, 0, 0, 5, 6}));
  EXPECT_EQ(ReadBoard(1, 0, 4), (Bytes{9, 9, 9, 9}));
}

TEST_F(Exports, PokeIntCopiesByte2ToByte3) {
  WriteBoard(0, 0, {1, 2, 3, 4, 5});
  HMODULE gmRtDll = LoadGmRtDll();
  ASSERT_NE(gmRtDll, nullptr);
  EXPECT_EQ(Call(gmRtDll, "PokeInt"), 0);
  EXPECT_EQ(ReadBoard(0, 0, 5), (Bytes{1, 2, 3, 3, 5}));
}

// Answers 3 and 37 are the driver's failures; any other answer is success. A failing answer
// leaves the driver bound: the next call works.
TEST_F(Exports, DriverAnswersDecideTheResult) {
  const struct {
    const char* exportName;
    const char* entryPoint;
    unsigned call;
    int32_t answer;
    int result;
    Bytes board;  // bytes 0 to 4 after the call
  } rows[] = {
      {.exportName = "PokeInt", .entryPoint = "MMDPeekB", .call = 1, .answer = 3, .result = 1, .board = {1, 2, 3, 4, 5}},
      {.exportName = "PokeInt", .entryPoint = "MMDPeekB", .call = 1, .answer = 37, .result = 1, .board = {1, 2, 3, 4, 5}},
      {.exportName = "PokeInt", .entryPoint = "MMDPokeB", .call = 1, .answer = 37, .result = 1, .board = {1, 2, 3, 4, 5}},
      // The peek did nothing, and its value (still 0) was poked.
      {.exportName = "PokeInt", .entryPoint = "MMDPeekB", .call = 1, .answer = -5, .result = 0, .board = {1, 2, 3, 0, 5}},
      {.exportName = "Initialize", .entryPoint = "MMDPokeB", .call = 3, .answer = 37, .result = 1, .board = {0, 0, 3, 4, 5}},
      {.exportName = "Initialize", .entryPoint = "MMDPokeB", .call = 4, .answer = 3, .result = 1, .board = {0, 0, 0, 4, 5}},
      {.exportName = "Initialize", .entryPoint = "MMDPokeB", .call = 1, .answer = -1, .result = 0, .board = {1, 0, 0, 0, 5}},
      {.exportName = "Initialize", .entryPoint = "MMDPokeB", .call = 2, .answer = 36, .result = 0, .board = {0, 2, 0, 0, 5}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.exportName) + ": " + row.entryPoint + " call " + std::to_string(row.call) +
                 " answers " + std::to_string(row.answer));
    FreshWorld();
    InstallRunTime("8.0");
    WriteBoard(0, 0, {1, 2, 3, 4, 5});
    HMODULE gmRtDll = LoadGmRtDll();
    ASSERT_NE(gmRtDll, nullptr);
    sandbox::gmrtlink::AnswerAt(row.entryPoint, row.call, row.answer);
    EXPECT_EQ(Call(gmRtDll, row.exportName), row.result);
    EXPECT_EQ(ReadBoard(0, 0, 5), row.board);
    EXPECT_EQ(Call(gmRtDll, row.exportName), 0) << "the next call works";
    Free(gmRtDll);
  }
}

// The detailed statuses, which the exports keep inside.
TEST_F(Exports, StatusOfEachDriverAnswer) {
  const struct {
    int32_t answer;
    LONG status;
  } rows[] = {
      {.answer = 0, .status = 0},  {.answer = 3, .status = 4}, {.answer = 37, .status = 3}, {.answer = -5, .status = 0},
      {.answer = 1, .status = 0},  {.answer = 36, .status = 0}, {.answer = 38, .status = 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    FreshWorld();
    InstallRunTime("8.0");
    HMODULE probe = LoadProbe();
    ASSERT_NE(probe, nullptr);
    auto peek = Entry<LONG (*)(SHORT, LONG, BYTE*)>(probe, "ProbePeek");
    auto poke = Entry<LONG (*)(SHORT, LONG, BYTE)>(probe, "ProbePoke");
    BYTE value = 0;
    sandbox::gmrtlink::AnswerAt("MMDPeekB", 1, row.answer);
    EXPECT_EQ(peek(0, 0, &value), row.status) << "peek";
    sandbox::gmrtlink::AnswerAt("MMDPokeB", 1, row.answer);
    EXPECT_EQ(poke(0, 0, 7), row.status) << "poke";
    Free(probe);
  }
}

// Whatever keeps the driver from being bound, every call fails, the board stays as it was, and
// nothing is tried again while the library stays loaded.
TEST_F(Exports, UnboundDriverFailsEveryCallWithoutRetrying) {
  const struct {
    const char* name;
    std::function<void()> setUp;
  } rows[] = {
      {"the driver lacks MMDAQNumOfUserDevRegs", [] { sandbox::HideExport("gmrtlink.dll", "MMDAQNumOfUserDevRegs"); }},
      {"the driver lacks MMDPeekB", [] { sandbox::HideExport("gmrtlink.dll", "MMDPeekB"); }},
      {"the driver's load is refused", [] { sandbox::RefuseLoad("gmrtlink.dll", ERROR_ACCESS_DENIED); }},
      {"the driver's load is refused with last error 0", [] { sandbox::RefuseLoad("gmrtlink.dll", 0); }},
      {"the registry's load is refused with last error 0", [] { sandbox::RefuseLoad("advapi32.dll", 0); }},
      {"the registry lacks RegQueryValueExA", [] { sandbox::HideExport("advapi32.dll", "RegQueryValueExA"); }},
      {"no run-time key", [] { sandbox::RegistryDeleteKey(kRunTimeKey); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    FreshWorld();
    InstallRunTime("8.0");
    WriteBoard(0, 0, {1, 2, 3, 4});
    row.setUp();
    HMODULE gmRtDll = LoadGmRtDll();
    ASSERT_NE(gmRtDll, nullptr);
    EXPECT_EQ(Call(gmRtDll, "Initialize"), 1);
    const unsigned attempts = sandbox::LoadAttempts("gmrtlink.dll") + sandbox::LoadAttempts("advapi32.dll");
    EXPECT_EQ(Call(gmRtDll, "PokeInt"), 1);
    EXPECT_EQ(Call(gmRtDll, "Initialize"), 1);
    EXPECT_EQ(sandbox::LoadAttempts("gmrtlink.dll") + sandbox::LoadAttempts("advapi32.dll"), attempts)
        << "nothing loaded again";
    EXPECT_EQ(ReadBoard(0, 0, 4), (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
    Free(gmRtDll);

    HMODULE probe = LoadProbe();
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(Entry<LONG (*)(SHORT, LONG, BYTE)>(probe, "ProbePoke")(0, 0, 0), 2) << "the driver could not be bound";
    Free(probe);
  }
}

// Under Win32s 3.10 the driver is loaded by its bare name, and the registry is left alone.
TEST_F(Exports, Win32s310LoadsTheBareNameWithoutTheRegistry) {
  const struct {
    DWORD major, minor;
    const char* loads;
    unsigned registryLoads;
  } rows[] = {
      {.major = 3, .minor = 10, .loads = "T:\\Bare\\gmrtlink.dll", .registryLoads = 0},
      {.major = 3, .minor = 11, .loads = "T:\\RT\\8.0\\gmrtlink.dll", .registryLoads = 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.major) + "." + std::to_string(row.minor));
    FreshWorld();
    InstallRunTime("8.0");
    InstallDriver("T:\\Bare");
    sandbox::SetModuleSearchPath({"T:\\Bare"});
    sandbox::SetWindowsVersion(VER_PLATFORM_WIN32s, row.major, row.minor, 0);
    HMODULE gmRtDll = LoadGmRtDll();
    ASSERT_NE(gmRtDll, nullptr);
    EXPECT_EQ(Call(gmRtDll, "Initialize"), 0);
    EXPECT_EQ(LoadedDriver(), row.loads);
    EXPECT_EQ(sandbox::LoadAttempts("advapi32.dll"), row.registryLoads);
    Free(gmRtDll);
  }
}

// Eight threads make their first calls while the first of them is still loading the driver:
// the driver and the registry are loaded once, and every call succeeds.
TEST_F(Exports, ConcurrentFirstCallsBindOnce) {
  constexpr int kThreads = 8;
  HMODULE gmRtDll = LoadGmRtDll();
  ASSERT_NE(gmRtDll, nullptr);
  auto initialize = Entry<int (*)()>(gmRtDll, "Initialize");
  sandbox::HoldLoads("gmrtlink.dll");
  std::atomic<int> started{0};
  std::vector<int> results(kThreads, -1);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      ++started;
      results[t] = initialize();
    });
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while ((sandbox::HeldLoads("gmrtlink.dll") == 0 || started < kThreads) && std::chrono::steady_clock::now() < end)
    std::this_thread::yield();
  EXPECT_EQ(sandbox::HeldLoads("gmrtlink.dll"), 1u);
  // Let the other callers reach their wait for the creator.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(sandbox::HeldLoads("gmrtlink.dll"), 1u) << "one creator";
  sandbox::ReleaseLoads("gmrtlink.dll");
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(results, std::vector<int>(kThreads, 0));
  EXPECT_EQ(sandbox::LoadAttempts("gmrtlink.dll"), 1u);
  EXPECT_EQ(sandbox::LoadAttempts("advapi32.dll"), 1u);
}

TEST_F(Exports, UnloadFreesTheDriverAndTheRegistry) {
  HMODULE gmRtDll = LoadGmRtDll();
  ASSERT_NE(gmRtDll, nullptr);
  EXPECT_FALSE(RegistryLoaded()) << "nothing is bound at load time";
  EXPECT_EQ(LoadedDriver(), "");
  EXPECT_EQ(Call(gmRtDll, "Initialize"), 0);
  EXPECT_TRUE(RegistryLoaded());
  EXPECT_NE(LoadedDriver(), "");
  Free(gmRtDll);
  EXPECT_FALSE(RegistryLoaded());
  EXPECT_EQ(LoadedDriver(), "");
  EXPECT_EQ(GetModuleHandle("gmrtlink.dll"), nullptr) << "the driver library is unmapped";
}

// Of the project's modules GmRTDLL.dll needs kernel32 alone, and exports only what user programs
// call (and DllMain).
TEST_F(Exports, ExportsAndNeededLibraries) {
  HMODULE gmRtDll = LoadGmRtDll();
  ASSERT_NE(gmRtDll, nullptr);
  EXPECT_EQ(sandbox::ModuleExports(gmRtDll), (std::vector<std::string>{"DllMain", "Initialize", "PokeInt"}));

  char kernel32[MAX_PATH];
  ASSERT_NE(GetModuleFileName(GetModuleHandle("kernel32.dll"), kernel32, sizeof kernel32), 0u);
  const std::filesystem::path standIns = std::filesystem::path(sandbox::HostPath(kernel32)).parent_path();
  std::vector<std::string> ours;
  for (const std::string& needed : sandbox::ModuleNeededLibraries(gmRtDll))
    if (std::filesystem::exists(standIns / needed)) ours.push_back(needed);
  EXPECT_EQ(ours, std::vector<std::string>{"libkernel32.so"});
}

}  // namespace
}  // namespace rtlink_test
