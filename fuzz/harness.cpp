#include "harness.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "sandbox/sandbox.h"

namespace fuzz {
namespace {

std::string g_host;  // F:'s host folder

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
