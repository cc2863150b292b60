// GmRTDLL.dll's PokeInt (one byte of board 0 copied through the library's singleton and the
// bound driver) beside the same MMDPeekB and MMDPokeB called straight through the driver's entry
// points; a plain one-byte memory copy is printed for scale. The library is loaded and bound
// before any timing, as a user program's later calls find it.
#include <benchmark/benchmark.h>

#include <windows.h>

#include "ratio_reporter.h"

#include <cstdio>
#include <cstdint>
#include <string>

#include "sandbox/gmrtlink.h"
#include "sandbox/sandbox.h"

namespace {

using ByteEntry = int32_t (*)(int16_t, int32_t, uint8_t*);

template <class Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Bound {
  int (*pokeInt)() = nullptr;
  ByteEntry peekB = nullptr;
  ByteEntry pokeB = nullptr;
};

// A run-time installation on a temporary drive, GmRTDLL.dll loaded and bound through it, and the
// entry points of the very driver library it bound.
const Bound& Setup() {
  static const Bound bound = [] {
    Bound b;
    sandbox::MapTempDrive('T');
    CreateDirectory("T:\\RT", nullptr);
    CreateDirectory("T:\\RT\\8.0", nullptr);
    CopyFile(sandbox::WindowsPath(GMRTLINK_DRIVER_FILE).c_str(), "T:\\RT\\8.0\\gmrtlink.dll", FALSE);
    sandbox::RegistrySetString("HKLM\\Software\\Vellacott\\Glimmer Run-Time\\8.0", "Path", "T:\\RT\\8.0");
    HMODULE gmRtDll = LoadLibrary(sandbox::WindowsPath(GMRTDLL_FILE).c_str());
    if (gmRtDll == nullptr) return b;
    auto initialize = Entry<int (*)()>(gmRtDll, "Initialize");
    if (initialize == nullptr || initialize() != 0) return b;
    HMODULE driver = GetModuleHandle("gmrtlink.dll");
    b.pokeInt = Entry<int (*)()>(gmRtDll, "PokeInt");
    b.peekB = Entry<ByteEntry>(driver, "MMDPeekB");
    b.pokeB = Entry<ByteEntry>(driver, "MMDPokeB");
    return b;
  }();
  return bound;
}

void PokeInt(benchmark::State& state) {
  const Bound& bound = Setup();
  if (bound.pokeInt == nullptr) {
    state.SkipWithError("GmRTDLL.dll could not be bound");
    return;
  }
  for (auto _ : state) {
    if (bound.pokeInt() != 0) {
      state.SkipWithError("PokeInt failed");
      return;
    }
  }
}

void DriverPeekPoke(benchmark::State& state) {
  const Bound& bound = Setup();
  if (bound.peekB == nullptr || bound.pokeB == nullptr) {
    state.SkipWithError("the driver's entry points are missing");
    return;
  }
  for (auto _ : state) {
    uint8_t value = 0;
    if (bound.peekB(0, 2, &value) != 0 || bound.pokeB(0, 3, &value) != 0) {
      state.SkipWithError("the driver failed");
      return;
    }
    benchmark::DoNotOptimize(value);
  }
}

void PlainByteCopy(benchmark::State& state) {
  uint8_t memory[4] = {1, 2, 3, 4};
  for (auto _ : state) {
    benchmark::DoNotOptimize(memory);
    memory[3] = memory[2];
    benchmark::ClobberMemory();
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Setup();  // bound before any timing
  bench::Interleave({{"DriverPeekPoke", DriverPeekPoke}, {"PokeInt", PokeInt}, {"PlainByteCopy", PlainByteCopy}},
                    {.unit = benchmark::kNanosecond, .minTime = 0.1});
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.Goal("PokeInt / MMDPeekB + MMDPokeB straight through the driver", "PokeInt", "DriverPeekPoke", 2);
  std::printf("plain one-byte memory copy, for scale: %.2f ns\n", reporter.Best("PlainByteCopy"));
  reporter.PrintGoals();
  benchmark::Shutdown();
  return 0;
}
