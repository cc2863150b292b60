// What GoogleTest programs of the system's folders share: bytes of host files, the messages of
// exceptions thrown by pointer, a test fixture with a fresh temporary drive, the keys below a
// registry key, and the calling thread's message loop.
#pragma once

#ifdef SYSTEM_CODE
#error "sandbox headers are the test surface of the stand-ins; system code must not include them"
#endif

#include <afx.h>
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace sandbox::testing {

// The source tree, as the test registration passes it (SABLEWING_SOURCE_DIR).
inline std::string SourceRoot() {
  const char* root = std::getenv("SABLEWING_SOURCE_DIR");
  return root != nullptr ? std::string(root) : std::string(".");
}

inline std::string ReadHostFile(const std::string& hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << hostPath;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteHostFile(const std::string& hostPath, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
  std::ofstream out(hostPath, std::ios::binary);
  out << bytes;
}

// The keys below `root` (a key's full name), as the registry's export lists them, one a "[...]"
// line.
inline std::vector<std::string> RegistryKeysBelow(const std::string& root) {
  std::vector<std::string> keys;
  const std::string text = RegistryExport(root);
  for (size_t pos = text.find("\r\n["); pos != std::string::npos; pos = text.find("\r\n[", pos + 1)) {
    const size_t end = text.find("]\r\n", pos);
    const std::string key = text.substr(pos + 3, end - pos - 3);
    if (key != root) keys.push_back(key);
  }
  return keys;
}

// Takes and dispatches what the calling thread's queue holds, as a message loop (the IDE's, on
// its UI thread) would the next time it runs.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
}

// The message a CException carries, through its own GetErrorMessage.
inline std::string MessageOf(CException* e) {
  char text[2048] = {};
  e->GetErrorMessage(text, sizeof text);
  return text;
}

// Runs `body`, which must throw an E*, and returns the exception's message; the exception is
// deleted. Any other outcome fails the test.
template <typename E, typename Body>
std::string ThrownMessage(Body body) {
  try {
    body();
  } catch (E* e) {
    std::string message = MessageOf(e);
    e->Delete();
    return message;
  } catch (CException* e) {
    ADD_FAILURE() << "unexpected exception: " << MessageOf(e);
    e->Delete();
    return "";
  }
  ADD_FAILURE() << "nothing thrown";
  return "";
}

// Runs `body`, which must throw a CFileException, and returns its cause (-1 when none came).
template <typename Body>
int ThrownFileCause(Body body) {
  try {
    body();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  } catch (CException* e) {
    ADD_FAILURE() << "unexpected exception: " << MessageOf(e);
    e->Delete();
    return -1;
  }
  ADD_FAILURE() << "nothing thrown";
  return -1;
}

// A fault sweep over a piece of work that writes files. `arrange` puts the world back as it was
// before the work; `run` does the work and says whether it succeeded. The work runs once clean,
// recording its file calls; then once per recorded call with that call failing, after which
// `checkFailed` looks at what it left (it is told which call failed and whether the run still
// succeeded); then once per recorded call with `snapshot` taken just before that call, as a crash
// there would leave the files, which `checkCrash` looks at. Returns the clean run's calls.
struct FaultSweep {
  std::function<void()> arrange;
  std::function<bool()> run;
  std::function<void(const FileCall& failed, bool succeeded)> checkFailed;
  std::function<void()> snapshot;
  std::function<void(const FileCall& next)> checkCrash;
};

inline std::vector<FileCall> SweepFileFaults(const FaultSweep& sweep, bool cleanRunSucceeds = true) {
  sweep.arrange();
  RecordFileCalls(true);
  const bool clean = sweep.run();
  const std::vector<FileCall> calls = RecordedFileCalls();
  RecordFileCalls(false);
  EXPECT_EQ(clean, cleanRunSucceeds) << "the clean run";
  EXPECT_FALSE(calls.empty()) << "the work makes no file call";
  for (size_t n = 1; n <= calls.size(); ++n) {
    SCOPED_TRACE("call " + std::to_string(n) + " fails: " + ToString(calls[n - 1]));
    sweep.arrange();
    FailNthFileCall("*", static_cast<int>(n), 112 /* ERROR_DISK_FULL */);
    const bool succeeded = sweep.run();
    ClearFileFailures();
    sweep.checkFailed(calls[n - 1], succeeded);
  }
  for (size_t n = 1; n <= calls.size(); ++n) {
    SCOPED_TRACE("a crash before call " + std::to_string(n) + ": " + ToString(calls[n - 1]));
    sweep.arrange();
    BeforeNthFileCall("*", static_cast<int>(n), sweep.snapshot);
    EXPECT_EQ(sweep.run(), cleanRunSucceeds);
    ClearFileFailures();
    sweep.checkCrash(calls[n - 1]);
  }
  return calls;
}

// The same sweep over a piece of work that writes the registry, over its write-class calls
// (create, set and delete): each fails in turn (ERROR_ACCESS_DENIED), and `snapshot` runs just
// before each (a crash there leaves the registry as RegistryExport then gives it). The checks are
// told the call's place among the clean run's write-class calls (from 0), which `recorded` gets
// once, after the clean run. Returns those calls.
struct RegistryFaultSweep {
  std::function<void()> arrange;
  std::function<bool()> run;
  std::function<void(const std::vector<RegistryCall>& calls)> recorded;
  std::function<void(size_t at, bool succeeded)> checkFailed;
  std::function<void()> snapshot;
  std::function<void(size_t at)> checkCrash;
};

inline std::vector<RegistryCall> SweepRegistryFaults(const RegistryFaultSweep& sweep, bool cleanRunSucceeds = true) {
  sweep.arrange();
  RecordRegistryCalls(true);
  const bool clean = sweep.run();
  std::vector<RegistryCall> calls;
  for (const RegistryCall& call : RecordedRegistryCalls())
    if (call.operation == "create" || call.operation == "set" || call.operation == "delete") calls.push_back(call);
  RecordRegistryCalls(false);
  EXPECT_EQ(clean, cleanRunSucceeds) << "the clean run";
  EXPECT_FALSE(calls.empty()) << "the work writes nothing to the registry";
  if (sweep.recorded) sweep.recorded(calls);
  // Each call as the n-th of its kind.
  std::vector<int> nth(calls.size());
  for (size_t i = 0; i < calls.size(); ++i)
    for (size_t j = 0; j <= i; ++j) nth[i] += calls[j].operation == calls[i].operation ? 1 : 0;
  for (size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE("registry call " + std::to_string(i + 1) + " fails: " + calls[i].operation + " " + calls[i].key);
    sweep.arrange();
    FailNthRegistryCall(calls[i].operation, nth[i], 5 /* ERROR_ACCESS_DENIED */);
    const bool succeeded = sweep.run();
    RegistryClearFailures();
    sweep.checkFailed(i, succeeded);
  }
  for (size_t i = 0; i < calls.size(); ++i) {
    SCOPED_TRACE("a crash before registry call " + std::to_string(i + 1) + ": " + calls[i].operation + " " +
                 calls[i].key);
    sweep.arrange();
    BeforeNthRegistryCall(calls[i].operation, nth[i], sweep.snapshot);
    EXPECT_EQ(sweep.run(), cleanRunSucceeds);
    RegistryClearFailures();
    sweep.checkCrash(i);
  }
  return calls;
}

// Gives the file at `windowsPath` the last-write time `time` through the stand-in's own calls.
inline void SetWriteTime(const std::string& windowsPath, const FILETIME& time) {
  HANDLE file = CreateFile(windowsPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << windowsPath;
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}

// The names in the folder at `windowsFolder`, sorted.
inline std::vector<std::string> FolderNames(const std::string& windowsFolder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(HostPath(windowsFolder)))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A test with drive `Letter` mapped to a fresh host folder.
template <char Letter>
class TempDriveTest : public ::testing::Test {
 protected:
  void SetUp() override { host_ = MapTempDrive(Letter); }

  // Writes bytes to <Letter>:\<relative> (relative uses '/' between folders).
  void WriteDisk(const std::string& relative, const std::string& bytes) {
    WriteHostFile((std::filesystem::path(host_) / relative).string(), bytes);
  }
  // Copies a host folder with everything in it to <Letter>:\<relative>.
  void CopyToDisk(const std::string& hostFolder, const std::string& relative) {
    const std::filesystem::path target = std::filesystem::path(host_) / relative;
    std::filesystem::create_directories(target);
    std::filesystem::copy(hostFolder, target, std::filesystem::copy_options::recursive);
  }

  std::string DiskBytes(const std::string& windowsPath) { return ReadHostFile(HostPath(windowsPath)); }
  bool OnDisk(const std::string& windowsPath) { return std::filesystem::exists(HostPath(windowsPath)); }

  std::string host_;
};

}  // namespace sandbox::testing

namespace sandbox {
// How GoogleTest shows a recorded call.
inline void PrintTo(const FileCall& call, std::ostream* out) { *out << ToString(call); }
}  // namespace sandbox
