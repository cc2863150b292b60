// The real-time driver stand-in through its entry points, as a program that loads it by path
// calls them: what they read and write is the board memory the sandbox shows, every copy of the
// library reaches the same boards, and the memory outlives the library.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "sandbox/gmrtlink.h"
#include "sandbox/sandbox.h"

namespace {

using sandbox::gmrtlink::kBadArgument;
using sandbox::gmrtlink::kBoardSize;
using sandbox::gmrtlink::kDone;
using sandbox::gmrtlink::kNoBoard;
using Bytes = std::vector<uint8_t>;

using PeekPokeB = int32_t (*)(int16_t, int32_t, uint8_t*);
using PeekPokeW = int32_t (*)(int16_t, int32_t, uint16_t*);

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

template <class T>
Bytes BytesOf(T value) {
  Bytes bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// Calls a peek or poke entry point of value type T on board 1 with `bytes` as the value.
template <class T>
int32_t Through(FARPROC entry, int32_t offset, Bytes& bytes) {
  T value;
  std::memcpy(&value, bytes.data(), sizeof value);
  const int32_t answer = reinterpret_cast<int32_t (*)(int16_t, int32_t, T*)>(reinterpret_cast<void (*)()>(entry))(1, offset, &value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return answer;
}

class Driver : public testing::Test {
 protected:
  void SetUp() override {
    sandbox::MapTempDrive('T');
    ASSERT_TRUE(CreateDirectory("T:\\a", nullptr));
    ASSERT_TRUE(CreateDirectory("T:\\b", nullptr));
    const std::string built = sandbox::WindowsPath(GMRTLINK_DRIVER_FILE);
    ASSERT_TRUE(CopyFile(built.c_str(), "T:\\a\\gmrtlink.dll", TRUE));
    ASSERT_TRUE(CopyFile(built.c_str(), "T:\\b\\gmrtlink.dll", TRUE));
    driver_ = LoadLibrary("T:\\a\\gmrtlink.dll");
    ASSERT_NE(driver_, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    if (driver_ != nullptr) {
      EXPECT_TRUE(FreeLibrary(driver_));
    }
  }

  HMODULE driver_ = nullptr;
};

TEST_F(Driver, EntryPointsMoveTheBoardsBytesInEveryWidth) {
  const struct {
    const char* poke;
    const char* peek;
    int32_t offset;
    Bytes bytes;
    // Pokes `bytes` through the entry point, or peeks into them.
    int32_t (*call)(FARPROC entry, int32_t offset, Bytes& bytes);
  } rows[] = {
      {.poke = "MMDPokeB", .peek = "MMDPeekB", .offset = 7, .bytes = {0xAB}, .call = Through<uint8_t>},
      {.poke = "MMDPokeW", .peek = "MMDPeekW", .offset = 10, .bytes = BytesOf<uint16_t>(0x1234), .call = Through<uint16_t>},
      {.poke = "MMDPokeL", .peek = "MMDPeekL", .offset = 14, .bytes = BytesOf<int32_t>(-2), .call = Through<int32_t>},
      {.poke = "MMDPokeFS", .peek = "MMDPeekFS", .offset = 20, .bytes = BytesOf<float>(1.5f), .call = Through<float>},
      {.poke = "MMDPokeFD", .peek = "MMDPeekFD", .offset = kBoardSize - 8, .bytes = BytesOf<double>(-0.25), .call = Through<double>},
  };
  HMODULE copy = LoadLibrary("T:\\b\\gmrtlink.dll");
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(copy, driver_);
  for (auto row : rows) {
    SCOPED_TRACE(row.poke);
    Bytes poked = row.bytes;
    ASSERT_EQ(row.call(GetProcAddress(driver_, row.poke), row.offset, poked), kDone);
    EXPECT_EQ(sandbox::gmrtlink::ReadBoard(1, row.offset, row.bytes.size()), row.bytes);
    EXPECT_EQ(sandbox::gmrtlink::ReadBoard(1, row.offset - 1, 1), Bytes{0}) << "the byte before is untouched";

    Bytes peeked(row.bytes.size(), 0xEE);
    ASSERT_EQ(row.call(GetProcAddress(copy, row.peek), row.offset, peeked), kDone);
    EXPECT_EQ(peeked, row.bytes) << "another copy of the library reads the same board";
  }
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 7, 1), Bytes{0}) << "each board has memory of its own";
  EXPECT_TRUE(FreeLibrary(copy));
}

TEST_F(Driver, RefusesWhatLiesOutsideABoardAndWritesNothing) {
  sandbox::gmrtlink::WriteBoard(0, kBoardSize - 2, {0x11, 0x22});
  auto pokeB = Entry<PeekPokeB>(driver_, "MMDPokeB");
  auto peekB = Entry<PeekPokeB>(driver_, "MMDPeekB");
  auto pokeW = Entry<PeekPokeW>(driver_, "MMDPokeW");
  uint8_t byte = 0x5A;
  uint16_t word = 0x5A5A;
  EXPECT_EQ(pokeB(4, 0, &byte), kNoBoard);
  EXPECT_EQ(pokeB(-1, 0, &byte), kNoBoard);
  EXPECT_EQ(pokeB(0, -1, &byte), kBadArgument);
  EXPECT_EQ(pokeB(0, kBoardSize, &byte), kBadArgument);
  EXPECT_EQ(pokeW(0, kBoardSize - 1, &word), kBadArgument) << "a value across the end";
  EXPECT_EQ(pokeB(0, 0, nullptr), kBadArgument);
  EXPECT_EQ(peekB(0, kBoardSize, &byte), kBadArgument);
  EXPECT_EQ(byte, 0x5A) << "a refused peek writes nothing";
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, kBoardSize - 2, 2), (Bytes{0x11, 0x22}));
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 0, 1), Bytes{0});
}

TEST_F(Driver, SetAnswerReplacesTheWorkOfThatCallOnly) {
  auto pokeB = Entry<PeekPokeB>(driver_, "MMDPokeB");
  uint8_t value = 0x42;
  ASSERT_EQ(pokeB(0, 0, &value), kDone);
  sandbox::gmrtlink::AnswerAt("MMDPokeB", 2, 37);
  EXPECT_EQ(pokeB(0, 1, &value), kDone);
  EXPECT_EQ(pokeB(0, 2, &value), 37);
  EXPECT_EQ(pokeB(0, 3, &value), kDone);
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(0, 0, 4), (Bytes{0x42, 0x42, 0, 0x42}));
  EXPECT_THROW(sandbox::gmrtlink::AnswerAt("MMDPokeX", 1, 3), std::invalid_argument);
  EXPECT_THROW(sandbox::gmrtlink::AnswerAt("MMDPokeB", 0, 3), std::invalid_argument);
}

TEST_F(Driver, MemoryOutlivesTheLibraryUntilTheSandboxResets) {
  uint8_t value = 0x99;
  ASSERT_EQ(Entry<PeekPokeB>(driver_, "MMDPokeB")(2, 100, &value), kDone);
  ASSERT_TRUE(FreeLibrary(driver_));
  driver_ = nullptr;
  EXPECT_EQ(GetModuleHandle("gmrtlink.dll"), nullptr) << "the library really went";
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(2, 100, 1), Bytes{0x99});
  sandbox::Reset();
  EXPECT_EQ(sandbox::gmrtlink::ReadBoard(2, 100, 1), Bytes{0});
  EXPECT_THROW(sandbox::gmrtlink::ReadBoard(4, 0, 1), std::invalid_argument);
  EXPECT_THROW(sandbox::gmrtlink::ReadBoard(0, kBoardSize - 1, 2), std::invalid_argument);
}

TEST_F(Driver, UnmodelledEntryPointSaysSo) {
  using NumOfUserDevRegs = int32_t (*)(int16_t, int32_t*);
  int32_t count = 7;
  EXPECT_EQ(Entry<NumOfUserDevRegs>(driver_, "MMDAQNumOfUserDevRegs")(0, &count), sandbox::gmrtlink::kNotModelled);
  const std::vector<std::string> unmodelled = sandbox::UnmodelledCalls();
  EXPECT_NE(std::find(unmodelled.begin(), unmodelled.end(), "MMDAQNumOfUserDevRegs"), unmodelled.end());
}

}  // namespace
