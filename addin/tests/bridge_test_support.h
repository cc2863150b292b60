// Shared set-up of the tests that run system code inside the IDE stand-in: an apartment, the IDE
// started on this thread, the IDE's application object, and pumping the UI thread's messages.
#pragma once

#include <afxwin.h>
#include <comdef.h>
#include <objmodel/appauto.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bridge/VSApplication.h"
#include "sandbox/msdev.h"
#include "sandbox/test_support.h"

namespace addin_test {

using sandbox::testing::PumpMessages;

// Pumps until `done` holds, or fails the test after a long real-time wait.
inline bool PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 20000 && !done(); ++i) {
    PumpMessages();
    ::Sleep(1);
  }
  return done();
}

// The IDE runs on this thread (it is the UI thread); `ide_` is its application object.
template <char Letter>
class IdeDriveTest : public sandbox::testing::TempDriveTest<Letter> {
 protected:
  void SetUp() override {
    sandbox::testing::TempDriveTest<Letter>::SetUp();
    ASSERT_EQ(::CoInitialize(NULL), S_OK);
    sandbox::msdev::StartIde();
    ASSERT_EQ(::CoCreateInstance(CLSID_Application, NULL, CLSCTX_LOCAL_SERVER, IID_IApplication,
                                 reinterpret_cast<void**>(&ide_)),
              S_OK);
  }

  void TearDown() override {
    CVSApplication::FinishAnsweringPrompts(true);
    if (ide_ != NULL) ide_->Release();
    sandbox::msdev::StopIde();
    ::CoUninitialize();
  }

  void OpenWorkspace(const std::string& path) {
    std::string error;
    ASSERT_TRUE(sandbox::msdev::OpenWorkspace(path, &error)) << error;
  }

  IApplication* ide_ = NULL;
};

}  // namespace addin_test
