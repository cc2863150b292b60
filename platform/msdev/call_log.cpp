// The call log and injected failures (call_log.h).
#include "call_log.h"

#include <map>
#include <mutex>

#include "com_values.h"
#include "sandbox/internal.h"

namespace msdev {
namespace {

struct State {
  std::mutex lock;
  std::vector<std::string> lines;
  uint64_t generation = 0;  // a cleared log forgets the calls still running
  std::map<std::string, int> failures;
  std::map<std::string, HRESULT> results;
};

State& S() {
  static State* state = new State;  // used by objects that may outlive static destruction
  return *state;
}

constexpr size_t kGenerationShift = 40;

}  // namespace

std::vector<std::string> CallLog() {
  std::lock_guard<std::mutex> g(S().lock);
  return S().lines;
}

void ClearCallLog() {
  std::lock_guard<std::mutex> g(S().lock);
  S().lines.clear();
  ++S().generation;
}

void InjectFailure(const std::string& method, HRESULT result, int count) {
  std::lock_guard<std::mutex> g(S().lock);
  if (count == 0) {
    S().failures.erase(method);
    return;
  }
  S().failures[method] = count;
  S().results[method] = result;
}

void ClearFailures() {
  std::lock_guard<std::mutex> g(S().lock);
  S().failures.clear();
  S().results.clear();
}

// The entry is the line's index tagged with the log's generation, so that EndCall after a
// ClearCallLog writes nothing.
size_t BeginCall(const char* method, const std::string& arguments) {
  std::lock_guard<std::mutex> g(S().lock);
  S().lines.push_back(std::string(method) + "(" + arguments + ")");
  return (static_cast<size_t>(S().generation) << kGenerationShift) | (S().lines.size() - 1);
}

void EndCall(size_t entry, HRESULT result) {
  std::lock_guard<std::mutex> g(S().lock);
  const size_t index = entry & ((size_t{1} << kGenerationShift) - 1);
  if ((entry >> kGenerationShift) != (S().generation & ((size_t{1} << (64 - kGenerationShift)) - 1))) return;
  if (index < S().lines.size()) S().lines[index] += " -> " + LogHresult(result);
}

std::optional<HRESULT> TakeInjectedFailure(const char* method) {
  std::lock_guard<std::mutex> g(S().lock);
  auto it = S().failures.find(method);
  if (it == S().failures.end()) return std::nullopt;
  const HRESULT result = S().results[method];
  if (it->second > 0 && --it->second == 0) S().failures.erase(it);
  return result;
}

HRESULT Unmodelled(const char* method) {
  sandbox::internal::ReportUnmodelled(method);
  return E_NOTIMPL;
}

}  // namespace msdev
