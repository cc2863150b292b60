// Callers reach the IDE's methods by their slot in the table of functions, so the order of the
// declarations is fixed. Under the Itanium C++ ABI a pointer to a virtual member function holds
// 1 + the byte offset of its slot; slots count IUnknown's three and IDispatch's four methods.
#include <objmodel/appauto.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

template <class F>
size_t Slot(F member) {
  static_assert(sizeof(F) == 2 * sizeof(uintptr_t), "Itanium ABI member function pointer");
  uintptr_t words[2];
  std::memcpy(words, &member, sizeof words);
  EXPECT_EQ(words[0] % sizeof(void*), 1u) << "not a virtual function";
  return (words[0] - 1) / sizeof(void*);
}

TEST(InterfaceSlots, MethodsSitInTheirPublishedSlots) {
  struct Case {
    const char* name;
    size_t slot;
    size_t expected;
  };
  const Case cases[] = {
      {"IApplication::get_ActiveProject", Slot(&IApplication::get_ActiveProject), 36},
      {"IApplication::PrintToOutputWindow", Slot(&IApplication::PrintToOutputWindow), 42},
      {"IApplication::AddCommandBarButton", Slot(&IApplication::AddCommandBarButton), 44},
      {"IApplication::SetAddInInfo", Slot(&IApplication::SetAddInInfo), 49},
      {"IApplication::AddCommand", Slot(&IApplication::AddCommand), 50},
      {"IApplication::EnableModeless", Slot(&IApplication::EnableModeless), 51},
      {"IGenericProject::get_FullName", Slot(&IGenericProject::get_FullName), 8},
      {"IGenericProject::get_Type", Slot(&IGenericProject::get_Type), 11},
      {"IBuildProject::get_Configurations", Slot(&IBuildProject::get_Configurations), 22},
      {"IBuildProject::AddFile", Slot(&IBuildProject::AddFile), 23},
      {"IConfigurations::get_Count", Slot(&IConfigurations::get_Count), 8},
      {"IConfigurations::Item", Slot(&IConfigurations::Item), 11},
      {"IConfiguration::AddCustomBuildStepToFile", Slot(&IConfiguration::AddCustomBuildStepToFile), 18},
  };
  for (const Case& c : cases) EXPECT_EQ(c.slot, c.expected) << c.name;
}

}  // namespace
