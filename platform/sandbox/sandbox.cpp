// Sandbox core state: strict mode, the failure handler, unmodelled calls, reset hooks, the
// scripted user and the clock.
#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

#include "sandbox/internal.h"

namespace sandbox {
namespace {

struct State {
  std::recursive_mutex lock;
  bool strict = false;
  FailureHandler failure;
  std::vector<std::string> unmodelled;
  std::vector<std::pair<std::string, std::function<void()>>> resets;
  std::map<std::string, std::deque<Answer>> answers;
  std::vector<Modal> modals;
  std::vector<uint64_t> modalTickets;  // parallel to modals
  uint64_t nextTicket = 1;
  std::vector<std::function<void()>> clockListeners;
  bool clockSet = false;
  int64_t clockMs = 0;
  bool sleepMovesClock = false;
  int biasMinutes = 0;
};

State& S() {
  static State* state = new State;  // never destroyed: stand-ins may ask it during exit
  return *state;
}

int64_t HostNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Tells every wait on the clock to look again; called without the state's lock held, since the
// listeners take the locks of their own waits.
void NotifyClockChanged() {
  std::vector<std::function<void()>> listeners;
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    listeners = S().clockListeners;
  }
  for (auto& listener : listeners) listener();
}

}  // namespace

void Reset() {
  std::vector<std::function<void()>> hooks;
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    S().strict = false;
    S().unmodelled.clear();
    S().answers.clear();
    S().modals.clear();
    S().modalTickets.clear();
    S().clockSet = false;
    S().sleepMovesClock = false;
    S().biasMinutes = 0;
    for (auto& [name, fn] : S().resets) hooks.push_back(fn);
  }
  NotifyClockChanged();
  // Newest first, as destructors run: a module registers after the modules it is built on, so it
  // puts itself back while they still work (the IDE releases its add-ins before COM unloads them).
  for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) (*it)();
}

void SetStrict(bool strict) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().strict = strict;
}

bool IsStrict() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  return S().strict;
}

void SetFailureHandler(FailureHandler handler) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().failure = std::move(handler);
}

std::vector<std::string> UnmodelledCalls() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  return S().unmodelled;
}

void ClearUnmodelledCalls() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().unmodelled.clear();
}

void SetClock(int64_t unixMilliseconds) {
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    S().clockSet = true;
    S().clockMs = unixMilliseconds;
  }
  NotifyClockChanged();
}

void AdvanceClock(int64_t milliseconds) {
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    if (!S().clockSet) {
      S().clockSet = true;
      S().clockMs = HostNowMs();
    }
    S().clockMs += milliseconds;
  }
  NotifyClockChanged();
}

void UseRealClock() {
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    S().clockSet = false;
  }
  NotifyClockChanged();
}

int64_t ClockNow() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  return S().clockSet ? S().clockMs : HostNowMs();
}

void SetSleepMovesClock(bool on) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().sleepMovesClock = on;
}

void SetTimeZoneBias(int minutesEastOfUtc) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().biasMinutes = minutesEastOfUtc;
}

void QueueAnswer(const std::string& kind, Answer answer) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().answers[kind].push_back(std::move(answer));
}

size_t PendingAnswers() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  size_t n = 0;
  for (auto& [kind, q] : S().answers) n += q.size();
  return n;
}

std::vector<Modal> Modals() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  return S().modals;
}

void ClearModals() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().modals.clear();
  S().modalTickets.clear();
}

namespace internal {

void Fail(const std::string& message) {
  FailureHandler handler;
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    handler = S().failure;
  }
  if (handler) handler(message);
}

void ReportUnmodelled(const char* function) {
  bool strict;
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    for (auto& name : S().unmodelled)
      if (name == function) return;
    S().unmodelled.emplace_back(function);
    strict = S().strict;
  }
  if (strict) Fail(std::string("unmodelled platform call: ") + function);
}

void RegisterReset(const char* module, std::function<void()> reset) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  for (auto& [name, fn] : S().resets)
    if (name == module) {
      fn = std::move(reset);
      return;
    }
  S().resets.emplace_back(module, std::move(reset));
}

Answer Ask(Modal modal, int cancelResult, uint64_t* ticket) {
  Answer answer{cancelResult, {}};
  bool unanswered = false;
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    auto it = S().answers.find(modal.kind);
    if (it != S().answers.end() && !it->second.empty()) {
      answer = it->second.front();
      it->second.pop_front();
      modal.answered = true;
    } else {
      unanswered = S().strict;
    }
    modal.result = answer.result;
    S().modals.push_back(modal);
    S().modalTickets.push_back(S().nextTicket);
    if (ticket != nullptr) *ticket = S().nextTicket;
    ++S().nextTicket;
  }
  if (unanswered)
    Fail("no answer queued for " + modal.kind + " \"" + modal.caption + "\": " + modal.text);
  return answer;
}

void FinishModal(uint64_t ticket, int result) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  for (size_t i = 0; i < S().modalTickets.size(); ++i)
    if (S().modalTickets[i] == ticket) S().modals[i].result = result;
}

void OnClockChange(std::function<void()> listener) {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  S().clockListeners.push_back(std::move(listener));
}

bool SleepOnStandingClock(uint32_t milliseconds) {
  {
    std::lock_guard<std::recursive_mutex> g(S().lock);
    if (!S().sleepMovesClock || !S().clockSet) return false;
    S().clockMs += milliseconds;
  }
  NotifyClockChanged();
  return true;
}

uint64_t FileTimeNow() {
  // 11644473600 seconds lie between 1601-01-01 and 1970-01-01.
  const int64_t ms = ClockNow();
  return static_cast<uint64_t>(ms + 11644473600000LL) * 10000ULL;
}

int TimeZoneBiasMinutes() {
  std::lock_guard<std::recursive_mutex> g(S().lock);
  return S().biasMinutes;
}

}  // namespace internal
}  // namespace sandbox
