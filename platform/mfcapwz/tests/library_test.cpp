// The host library's registration calls, which custom AppWizard modules import by ordinal.
#include <customaw.h>

#include <gtest/gtest.h>

namespace {

TEST(HostLibrary, TheRegistrationCallsAreExportedByOrdinalAndByName) {
  HMODULE library = nullptr;
  ASSERT_TRUE(GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                reinterpret_cast<LPCSTR>(&RegisterCustomAppWiz), &library));
  const struct {
    int ordinal;
    const char* name;
    void (*address)();
  } exports[] = {
      {1, "RegisterCustomAppWiz", reinterpret_cast<void (*)()>(&RegisterCustomAppWiz)},
      {2, "SetNumberOfSteps", reinterpret_cast<void (*)()>(&SetNumberOfSteps)},
      {3, "GetStandardStep", reinterpret_cast<void (*)()>(&GetStandardStep)},
  };
  for (const auto& e : exports) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(reinterpret_cast<void (*)()>(GetProcAddress(library, MAKEINTRESOURCE(e.ordinal))), e.address);
    EXPECT_EQ(reinterpret_cast<void (*)()>(GetProcAddress(library, e.name)), e.address);
  }
  EXPECT_EQ(GetProcAddress(library, MAKEINTRESOURCE(4)), nullptr);
}

}  // namespace
