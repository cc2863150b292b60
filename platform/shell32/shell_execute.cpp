// ShellExecute: nothing is started; each request is recorded with the answer the sandbox chose.
#include <shellapi.h>

#include <mutex>
#include <string>
#include <vector>

#include "sandbox/internal.h"
#include "sandbox/shell.h"

namespace {

constexpr int kDefaultResult = 42;  // above 32: the shell accepted the request

struct Record {
  std::mutex lock;
  std::vector<sandbox::ShellExecution> calls;
  int result = kDefaultResult;
};

Record& R() {
  static Record* record = new Record;  // never destroyed: calls may come during exit
  return *record;
}

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("shell32.execute", [] {
      std::lock_guard<std::mutex> g(R().lock);
      R().calls.clear();
      R().result = kDefaultResult;
    });
  }
} g_registration;

std::string Text(LPCSTR text) { return text != NULL ? text : ""; }

}  // namespace

extern "C" STANDIN_API HINSTANCE WINAPI ShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                                     LPCSTR directory, INT showCommand) {
  std::lock_guard<std::mutex> g(R().lock);
  R().calls.push_back({Text(operation), Text(file), Text(parameters), Text(directory), showCommand, R().result});
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(R().result));
}

namespace sandbox {

std::vector<ShellExecution> ShellExecutions() {
  std::lock_guard<std::mutex> g(R().lock);
  return R().calls;
}

void SetShellExecuteResult(int result) {
  std::lock_guard<std::mutex> g(R().lock);
  R().result = result;
}

}  // namespace sandbox
