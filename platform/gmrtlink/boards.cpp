// The boards of the real-time driver stand-in: each board's memory a named block of host shared
// memory, mapped on first use; the calls of every entry point counted; answers the sandbox sets
// given in place of the work.
//
// The blocks are named after a key: this process's id, or the key a parent process passed in the
// environment (SABLEWING_GMRTLINK_BOARDS), so that a user program started by a test reaches the
// test's boards. The process that owns the key removes the blocks at its start (a block left by
// a process that had the same id is no board of ours), on a sandbox reset and at its exit.
#include <array>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <utility>

#include "board.h"
#include "host_shared_memory.h"
#include "sandbox/gmrtlink.h"
#include "sandbox/internal.h"

namespace gmrtboard {
namespace {

using sandbox::gmrtlink::kBoards;
using sandbox::gmrtlink::kBoardSize;

constexpr const char* kEnvironmentName = "SABLEWING_GMRTLINK_BOARDS";

constexpr const char* kEntryNames[kEntryPoints] = {
    "MMDPeekB", "MMDPeekW", "MMDPeekL", "MMDPeekFS", "MMDPeekFD", "MMDPokeB",
    "MMDPokeW", "MMDPokeL", "MMDPokeFS", "MMDPokeFD", "MMDAQNumOfUserDevRegs"};

struct Boards {
  std::mutex lock;
  std::string key;
  bool owner = false;
  std::array<std::atomic<unsigned char*>, kBoards> memory{};
  std::array<std::atomic<unsigned>, kEntryPoints> calls{};
  // Set answers by entry point and call number (counted as `calls` counts).
  std::map<std::pair<int, unsigned>, int32_t> answers;
  std::atomic<bool> anyAnswer{false};

  std::string BlockName(int device) const { return "/sablewing-gmrtlink-" + key + "-board" + std::to_string(device); }

  void RemoveBlocks() {
    for (int device = 0; device < kBoards; ++device) host::Unlink(BlockName(device));
  }

  // Unmaps every board (and, for the owner, removes the blocks): the next access finds zeroes.
  void Forget() {
    for (auto& board : memory) host::Unmap(board.exchange(nullptr), kBoardSize);
    if (owner) RemoveBlocks();
  }
};

Boards& State() {
  static Boards* state = [] {
    auto* made = new Boards;  // never destroyed: the driver may be called during exit
    if (auto inherited = host::Environment(kEnvironmentName)) {
      made->key = *inherited;
    } else {
      made->key = std::to_string(host::ProcessId());
      made->owner = true;
      made->RemoveBlocks();
    }
    return made;
  }();
  return *state;
}

// The owner's blocks go with its process.
struct Cleanup {
  ~Cleanup() {
    Boards& boards = State();
    if (boards.owner) boards.RemoveBlocks();
  }
} g_cleanup;

struct Registration {
  Registration() {
    sandbox::internal::RegisterReset("gmrtboard", [] {
      Boards& boards = State();
      std::lock_guard<std::mutex> g(boards.lock);
      boards.Forget();
      boards.answers.clear();
      boards.anyAnswer = false;
      for (auto& count : boards.calls) count = 0;
    });
  }
} g_registration;

// The board's memory, mapped on first use; nullptr for a device that is no board, or when the
// host refuses the memory (reported: the board then answers as a missing one).
unsigned char* Board(int device) {
  if (device < 0 || device >= kBoards) return nullptr;
  Boards& boards = State();
  if (unsigned char* mapped = boards.memory[device].load(std::memory_order_acquire)) return mapped;
  std::lock_guard<std::mutex> g(boards.lock);
  if (unsigned char* mapped = boards.memory[device].load()) return mapped;
  std::string why;
  unsigned char* mapped = host::MapShared(boards.BlockName(device), kBoardSize, why);
  if (mapped == nullptr) {
    sandbox::internal::Fail("gmrtlink: board " + std::to_string(device) + " has no memory: " + why);
    return nullptr;
  }
  boards.memory[device].store(mapped, std::memory_order_release);
  return mapped;
}

bool InBoard(int32_t offset, size_t size) {
  return offset >= 0 && static_cast<size_t>(offset) <= static_cast<size_t>(kBoardSize) &&
         size <= static_cast<size_t>(kBoardSize - offset);
}

// Counts the call and gives the answer set for it, if any.
std::optional<int32_t> SetAnswer(EntryPoint entry) {
  Boards& boards = State();
  const unsigned call = ++boards.calls[entry];
  if (!boards.anyAnswer.load(std::memory_order_relaxed)) return std::nullopt;
  std::lock_guard<std::mutex> g(boards.lock);
  auto found = boards.answers.find({entry, call});
  if (found == boards.answers.end()) return std::nullopt;
  const int32_t answer = found->second;
  boards.answers.erase(found);
  return answer;
}

// Board memory is shared with other threads and processes: each byte moves as one atomic access.
void CopyIn(unsigned char* to, const unsigned char* from, uint32_t size) {
  for (uint32_t i = 0; i < size; ++i) __atomic_store_n(to + i, from[i], __ATOMIC_RELAXED);
}
void CopyOut(unsigned char* to, const unsigned char* from, uint32_t size) {
  for (uint32_t i = 0; i < size; ++i) to[i] = __atomic_load_n(from + i, __ATOMIC_RELAXED);
}

unsigned char* Checked(int device, int32_t offset, const void* value, uint32_t size, int32_t& answer) {
  unsigned char* board = Board(device);
  if (board == nullptr) {
    answer = sandbox::gmrtlink::kNoBoard;
    return nullptr;
  }
  if (value == nullptr || !InBoard(offset, size)) {
    answer = sandbox::gmrtlink::kBadArgument;
    return nullptr;
  }
  return board + offset;
}

}  // namespace

int32_t Peek(EntryPoint entry, int16_t device, int32_t offset, void* value, uint32_t size) {
  if (auto answer = SetAnswer(entry)) return *answer;
  int32_t answer = sandbox::gmrtlink::kDone;
  if (unsigned char* at = Checked(device, offset, value, size, answer)) CopyOut(static_cast<unsigned char*>(value), at, size);
  return answer;
}

int32_t Poke(EntryPoint entry, int16_t device, int32_t offset, const void* value, uint32_t size) {
  if (auto answer = SetAnswer(entry)) return *answer;
  int32_t answer = sandbox::gmrtlink::kDone;
  if (unsigned char* at = Checked(device, offset, value, size, answer)) CopyIn(at, static_cast<const unsigned char*>(value), size);
  return answer;
}

int32_t NotModelled(EntryPoint entry, const char* function) {
  if (auto answer = SetAnswer(entry)) return *answer;
  sandbox::internal::ReportUnmodelled(function);
  return sandbox::gmrtlink::kNotModelled;
}

}  // namespace gmrtboard

namespace sandbox::gmrtlink {

namespace {

unsigned char* CheckedRange(int device, int32_t offset, size_t count, const char* call) {
  if (device < 0 || device >= kBoards)
    throw std::invalid_argument(std::string(call) + ": device " + std::to_string(device) + " is no board");
  if (!gmrtboard::InBoard(offset, count))
    throw std::invalid_argument(std::string(call) + ": the range lies outside the board's memory");
  unsigned char* board = gmrtboard::Board(device);
  if (board == nullptr) throw std::runtime_error(std::string(call) + ": the host gave board " + std::to_string(device) + " no memory");
  return board + offset;
}

}  // namespace

std::vector<uint8_t> ReadBoard(int device, int32_t offset, size_t count) {
  const unsigned char* at = CheckedRange(device, offset, count, "ReadBoard");
  std::vector<uint8_t> bytes(count);
  gmrtboard::CopyOut(bytes.data(), at, static_cast<uint32_t>(count));
  return bytes;
}

void WriteBoard(int device, int32_t offset, const std::vector<uint8_t>& bytes) {
  unsigned char* at = CheckedRange(device, offset, bytes.size(), "WriteBoard");
  gmrtboard::CopyIn(at, bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void AnswerAt(const std::string& entryPoint, unsigned call, int32_t answer) {
  int entry = 0;
  while (entry < gmrtboard::kEntryPoints && entryPoint != gmrtboard::kEntryNames[entry]) ++entry;
  if (entry == gmrtboard::kEntryPoints) throw std::invalid_argument("AnswerAt: no entry point \"" + entryPoint + "\"");
  if (call == 0) throw std::invalid_argument("AnswerAt: calls count from 1");
  gmrtboard::Boards& boards = gmrtboard::State();
  std::lock_guard<std::mutex> g(boards.lock);
  boards.answers[{entry, boards.calls[entry] + call}] = answer;
  boards.anyAnswer = true;
}

std::string BoardsEnvironment() { return std::string(gmrtboard::kEnvironmentName) + "=" + gmrtboard::State().key; }

}  // namespace sandbox::gmrtlink
