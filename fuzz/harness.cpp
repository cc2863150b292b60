#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sandbox/sandbox.h"

namespace fuzz {
namespace {

std::string g_host;    // F:'s host folder
std::string g_sample;  // C:'s host folder
std::string g_sampleFingerprint;

}  // namespace

void Initialise() {
  if (!g_host.empty()) return;
  // The drive in memory where the host has a memory file system: every save flushes its file to
  // the disk, which would cost more than all the rest of a run.
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) ::setenv("TMPDIR", "/dev/shm", 1);
  sandbox::Reset();
  sandbox::SetFailureHandler([](const std::string& message) { Finding("a stand-in reported: " + message); });
  sandbox::UnmapDrive('Z');
  g_host = sandbox::MapTempDrive('F');
  ::SetCurrentDirectory("F:\\");
  sandbox::SetStrict(true);
}

std::string PutInput(const std::string& name, const uint8_t* data, size_t size) {
  for (const auto& entry : std::filesystem::directory_iterator(g_host)) std::filesystem::remove_all(entry.path());
  std::ofstream out(g_host + "/" + name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  Check(out.good(), "the input could not be put on F:");
  return "F:\\" + name;
}

namespace {

// Every file on C: with its size and write time.
std::string SampleFingerprint() {
  std::string print;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(g_sample)) {
    print += entry.path().string();
    if (entry.is_regular_file())
      print += " " + std::to_string(entry.file_size()) + " " +
               std::to_string(entry.last_write_time().time_since_epoch().count());
    print += "\n";
  }
  return print;
}

}  // namespace

std::string SampleDrive(const std::function<void(const std::string& host)>& extra) {
  if (!g_sample.empty()) return g_sample;
  Initialise();
  g_sample = sandbox::MapTempDrive('C');
  std::filesystem::copy(SABLEWING_SOURCE_ROOT "/sample", g_sample, std::filesystem::copy_options::recursive);
  if (extra) extra(g_sample);
  g_sampleFingerprint = SampleFingerprint();
  return g_sample;
}

void CheckSampleUnchanged() { Check(SampleFingerprint() == g_sampleFingerprint, "a file on C: was changed"); }

std::string PutSampleInput(const std::string& windowsPath, const uint8_t* data, size_t size) {
  SampleDrive();
  std::ofstream out(sandbox::HostPath(windowsPath), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  out.close();
  Check(out.good(), "the input could not be put on C:");
  return windowsPath;
}

void RemoveSampleInput(const std::string& windowsPath) {
  std::error_code error;
  std::filesystem::remove(sandbox::HostPath(windowsPath), error);
}


void AllowUnmodelledPaths() {
  Initialise();
  sandbox::SetStrict(false);
  sandbox::ClearUnmodelledCalls();
}

void CheckUnmodelledPathsOnly() {
  for (const std::string& call : sandbox::UnmodelledCalls()) {
    const size_t open = call.find(" (");
    const std::string reason = open == std::string::npos ? "" : call.substr(open + 2);
    Check(reason.starts_with("device name ") || reason.starts_with("\\\\"),
          "an unmodelled platform call: " + call);
  }
  sandbox::ClearUnmodelledCalls();
}

std::string DiskBytes(const std::string& windowsPath) {
  std::ifstream in(sandbox::HostPath(windowsPath), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Finding(const std::string& what) {
  std::fprintf(stderr, "FINDING: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void CheckNoHandles() { Check(sandbox::OpenFileHandles() == 0, "a file handle was left open"); }

std::string MessageOf(CException* e) {
  char text[1024] = {};
  e->GetErrorMessage(text, sizeof text);
  return std::string(e->GetRuntimeClass() != nullptr ? e->GetRuntimeClass()->m_lpszClassName : "?") + ": " + text;
}

bool Accepted(const std::function<void()>& body, const std::function<bool(CException*)>& documented) {
  try {
    body();
    return true;
  } catch (CException* e) {
    const bool expected = documented(e);
    const std::string message = MessageOf(e);
    e->Delete();
    if (!expected) Finding("an undocumented refusal: " + message);
    return false;
  } catch (const std::exception& e) {
    Finding(std::string("a C++ exception: ") + e.what());
  } catch (...) {
    Finding("an unknown exception");
  }
}

void MustSucceed(const std::function<void()>& body, const std::string& what) {
  try {
    body();
  } catch (CException* e) {
    const std::string message = MessageOf(e);
    e->Delete();
    Finding(what + ": " + message);
  } catch (...) {
    Finding(what + ": an exception");
  }
}

}  // namespace fuzz
