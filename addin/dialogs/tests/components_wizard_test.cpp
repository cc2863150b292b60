// The Add/Remove Components Wizard over small catalogues and over the sample installation, worked
// by the scripted user through the tree's check marks, the space bar and the dialog's buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AddinDialogsResource.h"
#include "ComponentsWizardDlg.h"
#include "component_catalogue.h"
#include "sample_dialog_test.h"
#include "sandbox/dialog_user.h"
#include "sandbox/gdi.h"
#include "sandbox/input.h"
#include "sandbox/shell.h"
#include "sandbox/test_canvas.h"

namespace {

using component_testing::Row;

constexpr char kMfcQuestion[] =
    "One or more of the components you selected requires MFC and one or more of your project \nconfigurations does "
    "not have MFC support enabled.\n\nContinuing might prevent one or more configurations of your project from "
    "building correctly.\n\nDo you want to continue?";

// Every item with children opened, as a user opens them one after the other.
void ExpandAll(HWND tree) {
  for (auto h = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)); h != NULL;
       h = reinterpret_cast<HTREEITEM>(::SendMessage(tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(h))))
    ::SendMessage(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(h));
}

class ComponentsWizard : public SampleDialogTest {
 protected:
  std::string Selected() { return component_testing::SelectedNames(depot_); }
};

TEST_F(ComponentsWizard, FinishAsksAboutMfcOnlyWhenAComponentNeedsIt) {
  const struct {
    const char* name;
    bool allUseMfc;
    bool mfcSelected;  // the component that needs MFC is checked
    std::vector<int> answers;  // to the question, in turn; each No keeps the dialog open
    int result;
  } cases[] = {
      {.name = "every configuration uses MFC", .allUseMfc = true, .mfcSelected = true, .answers = {}, .result = IDOK},
      {.name = "nothing selected needs MFC", .allUseMfc = false, .mfcSelected = false, .answers = {}, .result = IDOK},
      {.name = "Yes finishes", .allUseMfc = false, .mfcSelected = true, .answers = {IDYES}, .result = IDOK},
      {.name = "No keeps the dialog; Cancel then", .allUseMfc = false, .mfcSelected = true, .answers = {IDNO},
       .result = IDCANCEL},
      {.name = "No, then Yes", .allUseMfc = false, .mfcSelected = true, .answers = {IDNO, IDYES}, .result = IDOK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    sandbox::ClearModals();
    component_testing::Fill(depot_, {{.name = "TqCore", .selected = true},
                                     {.name = "TqControls", .category = "User Interface", .mfc = true}});
    CComponentsWizardDlg dialog(&depot_, c.allUseMfc, false);
    sandbox::QueueAnswer("Dialog", sandbox::Answer(IDCANCEL, "", [&](void* window) {
                           if (c.mfcSelected) {
                             sandbox::ClickTreeItemImage(window, IDC_COMPONENT_TREE, "User Interface");
                           }
                           for (int answer : c.answers) {
                             sandbox::QueueAnswer("MessageBox", {answer});
                             sandbox::ClickButton(window, IDOK);
                           }
                           if (c.answers.empty()) sandbox::ClickButton(window, IDOK);
                         }));
    EXPECT_EQ(dialog.DoModal(), c.result);
    size_t questions = 0;
    for (const sandbox::Modal& modal : sandbox::Modals()) {
      if (modal.kind != "MessageBox") continue;
      ++questions;
      EXPECT_EQ(modal.text, kMfcQuestion);
      EXPECT_EQ(modal.caption, "Sablewing");
      EXPECT_EQ(modal.style & 0xF, static_cast<unsigned>(MB_YESNO));
    }
    EXPECT_EQ(questions, c.answers.size());
    EXPECT_EQ(Selected(), c.mfcSelected ? "TqCore TqControls" : "TqCore") << "the choice stays in the catalogue";
  }
}

TEST_F(ComponentsWizard, DefaultComponentsBringWhatTheyNeed) {
  depot_.LoadComponents(NULL);
  for (const char* name : {"TqKnobs", "tqdmm34"}) depot_.FindComponent(name)->Selected = true;
  CComponentsWizardDlg dialog(&depot_, true, false);
  std::string link;
  std::vector<int> marks;
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [&](void*) {
                         const HWND window = dialog.m_hWnd;
                         link = sandbox::ControlText(window, IDC_DOWNLOAD_LINK);
                         // A click on the link opens the download site.
                         RECT label{};
                         ::GetWindowRect(::GetDlgItem(window, IDC_DOWNLOAD_LINK), &label);
                         sandbox::MovePointer(label.left + 4, (label.top + label.bottom) / 2);
                         sandbox::Click(sandbox::MouseButton::kLeft);
                         sandbox::ClickButton(window, IDC_DEFAULT_COMPONENTS);
                         for (const char* name : {"TqCore", "TqControls", "tqdmm34"}) {
                           const auto* node = dynamic_cast<CtqSelectableTreeNode*>(dialog.m_componentTree.FindNodeByData(
                               reinterpret_cast<DWORD_PTR>(depot_.FindComponent(name))));
                           marks.push_back(node != nullptr ? node->GetCheckState() : -1);
                         }
                       }));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  // The defaults are TqAnalysis, TqCore and TqGraph; TqCore needs the hidden run time, and TqGraph
  // needs TqControls, which is not one.
  EXPECT_EQ(Selected(), "TqAnalysis TqControls TqCore TqCoreRuntime TqGraph");
  EXPECT_EQ(marks, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(link, "Instrument Driver Exchange");
  const std::vector<sandbox::ShellExecution> opened = sandbox::ShellExecutions();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].file, "http://www.vellacott.example/drivers");
}

TEST_F(ComponentsWizard, AUserChoosesComponentsOnTheSample) {
  depot_.LoadComponents(NULL);
  depot_.FindComponent("TqCore")->Selected = true;
  depot_.FindComponent("TqCoreRuntime")->Selected = true;
  CComponentsWizardDlg dialog(&depot_, true, true);
  sandbox::Picture picture;
  std::vector<std::string> marks;
  sandbox::QueueAnswer("Dialog", sandbox::Answer(IDOK, "", [&](void* window) {
                         sandbox::ClickTreeItemImage(window, IDC_COMPONENT_TREE, "TqUtility");
                         sandbox::PressSpaceOnTreeItem(window, IDC_COMPONENT_TREE, "User Interface");
                         sandbox::PressSpaceOnTreeItem(window, IDC_COMPONENT_TREE, "Analysis");
                         // The drivers: Tallowquay's in a DLL project, each warned about.
                         sandbox::QueueAnswer("MessageBox", {IDOK});  // tqswitch is C-based
                         ExpandAll(::GetDlgItem(static_cast<HWND>(window), IDC_COMPONENT_TREE));
                         sandbox::ClickTreeItemImage(window, IDC_COMPONENT_TREE, "tqswitch");
                         picture = sandbox::WindowPicture(window);
                       }));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Selected(), "TqAnalysis TqControls TqCore TqCoreRuntime TqGraph TqKnobs TqUtility tqswitch");
  sandbox::SavePicture(picture, sandbox::testing::PictureFolder() + "/components_wizard.png");
  EXPECT_EQ(picture.width, 600);
  EXPECT_EQ(picture.height, 460);
}

}  // namespace
