// Apartments: per-thread COM initialisation and its documented results.
#include <objbase.h>
#include <standin_com.h>

#include <gtest/gtest.h>

#include <vector>

#include "sandbox/sandbox.h"
#include "worker_thread.h"

namespace {

// {6A1E9C20-7F3B-4D52-8E61-0C9B2A4D7E31}
DEFINE_GUID(CLSID_ApartmentProbe, 0x6A1E9C20, 0x7F3B, 0x4D52, 0x8E, 0x61, 0x0C, 0x9B, 0x2A, 0x4D, 0x7E, 0x31);

// The class factory's object is the class object itself: no instance state is needed to see
// whether creation is allowed.
HRESULT CreateProbe(REFIID, void** ppv) {
  *ppv = nullptr;
  return E_NOINTERFACE;
}

// What CoCreateInstance says on this thread: CO_E_NOTINITIALIZED without an apartment, else
// the class's own answer.
HRESULT Probe() {
  void* object = reinterpret_cast<void*>(0xdeadbeef);
  const HRESULT hr = CoCreateInstance(CLSID_ApartmentProbe, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
  EXPECT_EQ(object, nullptr);
  return hr;
}
constexpr HRESULT kInApartment = E_NOINTERFACE;

class Apartments : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(StandinRegisterClass(CLSID_ApartmentProbe, nullptr, CreateProbe), S_OK); }
  void TearDown() override { StandinUnregisterClass(CLSID_ApartmentProbe); }
};

enum class Call { CoInit, Sta, Mta, Uninit, OleInit, OleUninit, BadFlags, BadReserved, Probe };

struct Step {
  Call call;
  HRESULT expected = S_OK;
};

HRESULT Perform(Call call) {
  int reserved = 0;
  switch (call) {
    case Call::CoInit: return CoInitialize(nullptr);
    case Call::Sta: return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    case Call::Mta: return CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    case Call::Uninit: CoUninitialize(); return S_OK;
    case Call::OleInit: return OleInitialize(nullptr);
    case Call::OleUninit: OleUninitialize(); return S_OK;
    case Call::BadFlags: return CoInitializeEx(nullptr, 0x100);
    case Call::BadReserved: return CoInitializeEx(&reserved, COINIT_APARTMENTTHREADED);
    case Call::Probe: return Probe();
  }
  return E_UNEXPECTED;
}

TEST_F(Apartments, ResultsOfOneThread) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {.name = "repeated calls count and must be balanced",
       .steps = {{Call::Sta, S_OK}, {Call::Sta, S_FALSE}, {Call::Probe, kInApartment}, {Call::Uninit},
                 {Call::Probe, kInApartment}, {Call::Uninit}, {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "CoInitialize enters a single-threaded apartment",
       .steps = {{Call::CoInit, S_OK}, {Call::Sta, S_FALSE}, {Call::Mta, RPC_E_CHANGED_MODE}, {Call::Uninit},
                 {Call::Uninit}, {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "a refused change of mode does not count",
       .steps = {{Call::Sta, S_OK}, {Call::Mta, RPC_E_CHANGED_MODE}, {Call::Uninit},
                 {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "multithreaded first",
       .steps = {{Call::Mta, S_OK}, {Call::Sta, RPC_E_CHANGED_MODE}, {Call::Mta, S_FALSE}, {Call::Uninit},
                 {Call::Probe, kInApartment}, {Call::Uninit}, {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "after leaving, the other mode may be entered",
       .steps = {{Call::Sta, S_OK}, {Call::Uninit}, {Call::Mta, S_OK}, {Call::Uninit}}},
      {.name = "an unbalanced CoUninitialize does nothing",
       .steps = {{Call::Uninit}, {Call::Probe, CO_E_NOTINITIALIZED}, {Call::Sta, S_OK}, {Call::Uninit}}},
      {.name = "OleInitialize is a single-threaded initialisation",
       .steps = {{Call::OleInit, S_OK}, {Call::CoInit, S_FALSE}, {Call::OleUninit}, {Call::Probe, kInApartment},
                 {Call::Uninit}, {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "OleInitialize in the multithreaded apartment",
       .steps = {{Call::Mta, S_OK}, {Call::OleInit, RPC_E_CHANGED_MODE}, {Call::Uninit},
                 {Call::Probe, CO_E_NOTINITIALIZED}}},
      {.name = "bad arguments change nothing",
       .steps = {{Call::BadFlags, E_INVALIDARG}, {Call::BadReserved, E_INVALIDARG},
                 {Call::Probe, CO_E_NOTINITIALIZED}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkerThread thread;  // a fresh thread has no apartment
    thread.RunVoid([&] {
      for (size_t i = 0; i < c.steps.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "step " << i);
        EXPECT_EQ(Perform(c.steps[i].call), c.steps[i].expected);
      }
    });
  }
}

TEST_F(Apartments, EachThreadHasItsOwn) {
  WorkerThread other;
  ASSERT_EQ(other.Run<HRESULT>([] { return CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }), S_OK);
  // The other thread's apartment is not this thread's: no objects here, and any mode may be
  // chosen.
  EXPECT_EQ(Probe(), CO_E_NOTINITIALIZED);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(other.Run<HRESULT>([] { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }), RPC_E_CHANGED_MODE);
  CoUninitialize();
  other.RunVoid([] { CoUninitialize(); });
}

TEST_F(Apartments, ThreadsWithoutOneUseTheMultithreadedApartment) {
  // Once a thread of the process has entered the multithreaded apartment, a thread that never
  // called CoInitialize may use objects as a member of it (for as long as it exists).
  WorkerThread member;
  ASSERT_EQ(member.Run<HRESULT>([] { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }), S_OK);
  EXPECT_EQ(Probe(), kInApartment);
  member.RunVoid([] { CoUninitialize(); });
  EXPECT_EQ(Probe(), CO_E_NOTINITIALIZED);
}

TEST_F(Apartments, AThreadThatEndsTakesItsApartmentAlong) {
  {
    WorkerThread member;
    ASSERT_EQ(member.Run<HRESULT>([] { return CoInitializeEx(nullptr, COINIT_MULTITHREADED); }), S_OK);
  }  // ended without CoUninitialize
  EXPECT_EQ(Probe(), CO_E_NOTINITIALIZED);
}

}  // namespace
