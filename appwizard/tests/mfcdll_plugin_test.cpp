// The MFC DLL plug-in's object on its own: the macros its component step writes for each kind of
// selection, and its steps at and past both ends, also after a second start.
#include <map>
#include <optional>

#include "InformationDepot.h"
#include "mfcdll/MFCDLLAppWizard.h"
#include "plugin/CurrentDepot.h"

#include "appwizard_test_support.h"

namespace {

CComponent Component(const char* name, const char* category, bool selected) {
  CComponent component;
  component.ComponentName = name;
  component.Category = category;
  component.Selected = selected;
  return component;
}

const char kCore[] = "Core Components";
const char kHardware[] = "Hardware APIs";
const char kDrivers[] = "Legacy C and IVI C Drivers";
const char* const kMacros[] = {"SOFT_COMPONENTS", "SOFT_COMPS", "HARD_COMPONENTS", "HARD_COMPS", "INSTRUMENT_DRIVERS", "IDS"};

std::string Entries(std::initializer_list<const char*> names) {
  std::string text;
  for (const char* name : names) text += std::string("\n         ") + name;
  return text;
}

// Each list in the order of the names' bytes; a flag only where its list has an entry, removed
// otherwise, whatever the dictionary held before.
TEST(ComponentMacros, ListTheSelectedComponentsByKind) {
  using Macros = std::map<std::string, std::optional<std::string>>;
  struct Row {
    const char* name;
    std::vector<CComponent> components;
    Macros expected;
  } rows[] = {
      {"only hardware",
       {Component("TqGpib", kHardware, true), Component("TqCore", kCore, false), Component("tqdmm34", kDrivers, false)},
       {{"SOFT_COMPONENTS", std::nullopt}, {"SOFT_COMPS", ""}, {"HARD_COMPONENTS", "Yes"},
        {"HARD_COMPS", Entries({"TqGpib"})}, {"INSTRUMENT_DRIVERS", std::nullopt}, {"IDS", ""}}},
      {"B, A and a of one kind",
       {Component("B", kCore, true), Component("a", "User Interface", true), Component("A", "Analysis", true)},
       {{"SOFT_COMPONENTS", "Yes"}, {"SOFT_COMPS", Entries({"A", "B", "a"})}, {"HARD_COMPONENTS", std::nullopt},
        {"HARD_COMPS", ""}, {"INSTRUMENT_DRIVERS", std::nullopt}, {"IDS", ""}}},
      {"none selected",
       {Component("TqGpib", kHardware, false), Component("TqCore", kCore, false)},
       {{"SOFT_COMPONENTS", std::nullopt}, {"SOFT_COMPS", ""}, {"HARD_COMPONENTS", std::nullopt},
        {"HARD_COMPS", ""}, {"INSTRUMENT_DRIVERS", std::nullopt}, {"IDS", ""}}},
      {"one of each kind",
       {Component("tqdmm34", kDrivers, true), Component("TqGpib", kHardware, true), Component("TqCore", kCore, true),
        Component("hgrelay", kDrivers, true)},
       {{"SOFT_COMPONENTS", "Yes"}, {"SOFT_COMPS", Entries({"TqCore"})}, {"HARD_COMPONENTS", "Yes"},
        {"HARD_COMPS", Entries({"TqGpib"})}, {"INSTRUMENT_DRIVERS", "Yes"}, {"IDS", Entries({"hgrelay", "tqdmm34"})}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    CMapStringToString dictionary;
    for (const char* macro : kMacros) dictionary.SetAt(macro, "from before");
    CAppWizComponentDlg::SetComponentMacros(dictionary, row.components);
    for (const auto& [macro, value] : row.expected) {
      SCOPED_TRACE(macro);
      CString found;
      const bool present = dictionary.Lookup(macro.c_str(), found) != FALSE;
      EXPECT_EQ(present, value.has_value());
      if (present && value) {
        EXPECT_EQ(std::string(found), *value);
      }
    }
  }
}

class MfcDllPlugIn : public ::testing::Test {
 protected:
  void SetUp() override {
    plugIn_.m_pHostWizard = &host_;
    plugIn_.m_pDepot = &depot_;
    plugIn_.m_nHostStepCount = 1;
    depot_.GetComponents().push_back(Component("TqCore", kCore, true));
  }
  CString Macro(const char* name) {
    CString value = "(absent)";
    host_.m_Dictionary.Lookup(name, value);
    return value;
  }

  CCustomAppWiz host_;
  CInformationDepot depot_;
  CMFCDLLAppWizard plugIn_;
};

// Index 0 is the host's side: Back there and Next on the last step answer null and stay; Back
// from the library's step looks at the catalogue again.
TEST_F(MfcDllPlugIn, ItsStepsNeverGoPastEitherEnd) {
  CAppWizStepDlg* const components = &plugIn_.m_componentDlg;
  CAppWizStepDlg* const notice = &plugIn_.m_noComponentDlg;
  CAppWizStepDlg* const mfcDll = GetStandardStep(kAppWizStepMfcDll);
  plugIn_.InitCustomAppWizard();
  EXPECT_EQ(plugIn_.Back(nullptr), nullptr);
  EXPECT_EQ(plugIn_.Next(nullptr), components);
  EXPECT_EQ(plugIn_.m_componentDlg.m_pHost, &host_);
  EXPECT_EQ(g_pCurrentDepot, &depot_);
  EXPECT_EQ(plugIn_.Next(components), mfcDll);
  EXPECT_EQ(plugIn_.Next(mfcDll), nullptr);
  depot_.GetComponents().clear();
  EXPECT_EQ(plugIn_.Back(mfcDll), notice);
  EXPECT_EQ(plugIn_.Back(notice), nullptr);
  EXPECT_EQ(plugIn_.Back(nullptr), nullptr);
  EXPECT_EQ(plugIn_.Next(nullptr), notice);
  EXPECT_EQ(plugIn_.Next(notice), mfcDll);
}

// A second start begins before the plug-in's steps, with nothing customized; the language macro
// keeps a value it has.
TEST_F(MfcDllPlugIn, ASecondStartBeginsAfresh) {
  plugIn_.InitCustomAppWizard();
  EXPECT_EQ(Macro("PROJTYPE_DLL"), "1");
  EXPECT_EQ(Macro("USE_DEFAULT_LANGUAGE"), "");
  plugIn_.Next(nullptr);
  plugIn_.Next(&plugIn_.m_componentDlg);
  plugIn_.m_bCustomized = true;
  host_.m_Dictionary.SetAt("USE_DEFAULT_LANGUAGE", "Yes");
  plugIn_.InitCustomAppWizard();
  EXPECT_FALSE(plugIn_.m_bCustomized);
  EXPECT_EQ(Macro("USE_DEFAULT_LANGUAGE"), "Yes");
  EXPECT_EQ(plugIn_.Next(nullptr), &plugIn_.m_componentDlg);
}

}  // namespace
