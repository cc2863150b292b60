// The folder browser over the scripted user, the lists it hands out, and the shell allocator.
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "sandbox/sandbox.h"

namespace {

constexpr char kPoisonText[] = "\xde\xad\xbe\xef";
constexpr int kPoisonImage = static_cast<int>(0xdeadbeef);

// Collects what the stand-ins report as failures (a faulty script, strict mode) instead of
// failing the test; the gtest handler is back afterwards.
class ShellBrowse : public testing::Test {
 protected:
  void SetUp() override {
    sandbox::SetFailureHandler([this](const std::string& m) { failures_.push_back(m); });
    sandbox::MapTempDrive('T');
    ASSERT_TRUE(CreateDirectory("T:\\Sablewing", NULL));
    ASSERT_TRUE(CreateDirectory("T:\\Sablewing\\VC", NULL));
    HANDLE file = CreateFile("T:\\Sablewing\\readme.txt", GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  void TearDown() override {
    sandbox::SetFailureHandler([](const std::string& m) { ADD_FAILURE() << m; });
  }

  // Runs the browser as the depot does and returns what it chose ("" for NULL), leaving the
  // list freed through the shell allocator.
  std::string Browse(UINT flags = BIF_DONTGOBELOWDOMAIN) {
    std::memcpy(displayName_, kPoisonText, sizeof kPoisonText);
    BROWSEINFO info = {};
    info.pszDisplayName = displayName_;
    info.lpszTitle = "Please select the path";
    info.ulFlags = flags;
    info.iImage = kPoisonImage;
    LPITEMIDLIST pidl = SHBrowseForFolder(&info);
    image_ = info.iImage;
    if (pidl == NULL) return "";
    char path[MAX_PATH];
    std::memset(path, 'x', sizeof path);
    EXPECT_TRUE(SHGetPathFromIDList(pidl, path));
    LPMALLOC allocator = NULL;
    EXPECT_EQ(SHGetMalloc(&allocator), S_OK);
    allocator->Free(pidl);
    allocator->Release();
    return path;
  }

  std::vector<std::string> failures_;
  char displayName_[MAX_PATH];
  int image_ = 0;
};

TEST_F(ShellBrowse, ChosenFolderComesBackAsItsFullPath) {
  const struct {
    const char* answer;
    const char* path;
    const char* displayName;
  } rows[] = {
      {.answer = "T:\\Sablewing\\VC", .path = "T:\\Sablewing\\VC", .displayName = "VC"},
      {.answer = "T:\\Sablewing\\VC\\", .path = "T:\\Sablewing\\VC", .displayName = "VC"},
      {.answer = "T:/Sablewing/VC/..", .path = "T:\\Sablewing", .displayName = "Sablewing"},
      {.answer = "T:\\", .path = "T:\\", .displayName = "T:"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.answer);
    sandbox::ClearModals();
    sandbox::QueueAnswer("BrowseForFolder", {IDOK, row.answer});
    EXPECT_EQ(Browse(), row.path);
    EXPECT_STREQ(displayName_, row.displayName);
    EXPECT_EQ(image_, 0);
    const std::vector<sandbox::Modal> modals = sandbox::Modals();
    ASSERT_EQ(modals.size(), 1u);
    EXPECT_EQ(modals[0].kind, "BrowseForFolder");
    EXPECT_EQ(modals[0].caption, "Browse for Folder");
    EXPECT_EQ(modals[0].text, "Please select the path");
    EXPECT_EQ(modals[0].style, static_cast<unsigned>(BIF_DONTGOBELOWDOMAIN));
    EXPECT_TRUE(modals[0].answered);
  }
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ShellBrowse, FolderOnANetworkShare) {
  const std::string host = sandbox::MapTempDrive('U');
  sandbox::MapUncShare("\\\\lab\\tools", host);
  ASSERT_TRUE(CreateDirectory("U:\\Sablewing", NULL));
  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "\\\\lab\\tools\\Sablewing\\"});
  EXPECT_EQ(Browse(), "\\\\lab\\tools\\Sablewing");
  EXPECT_STREQ(displayName_, "Sablewing");
}

TEST_F(ShellBrowse, CancelAndUnofferableAnswersReturnNull) {
  const struct {
    const char* name;
    bool queue;
    sandbox::Answer answer;
    bool faultyScript;  // the dialog could not have given this answer
  } rows[] = {
      {.name = "cancel", .queue = true, .answer = {IDCANCEL, "T:\\Sablewing"}, .faultyScript = false},
      {.name = "nobody answers", .queue = false, .answer = {}, .faultyScript = false},
      {.name = "missing folder", .queue = true, .answer = {IDOK, "T:\\Nowhere"}, .faultyScript = true},
      {.name = "a file", .queue = true, .answer = {IDOK, "T:\\Sablewing\\readme.txt"}, .faultyScript = true},
      {.name = "relative path", .queue = true, .answer = {IDOK, "Sablewing"}, .faultyScript = true},
      {.name = "drive-relative path", .queue = true, .answer = {IDOK, "T:Sablewing"}, .faultyScript = true},
      {.name = "unmapped drive", .queue = true, .answer = {IDOK, "Q:\\Sablewing"}, .faultyScript = true},
      {.name = "no such button", .queue = true, .answer = {IDYES, "T:\\Sablewing"}, .faultyScript = true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    failures_.clear();
    if (row.queue) sandbox::QueueAnswer("BrowseForFolder", row.answer);
    EXPECT_EQ(Browse(), "");
    EXPECT_EQ(std::memcmp(displayName_, kPoisonText, sizeof kPoisonText), 0) << "no display name on NULL";
    EXPECT_EQ(image_, kPoisonImage);
    EXPECT_EQ(failures_.size(), row.faultyScript ? 1u : 0u);
  }
}

TEST_F(ShellBrowse, StrictModeFailsAnUnansweredBrowser) {
  sandbox::SetStrict(true);
  EXPECT_EQ(Browse(), "");
  ASSERT_EQ(failures_.size(), 1u);
  EXPECT_NE(failures_[0].find("BrowseForFolder"), std::string::npos) << failures_[0];
}

TEST_F(ShellBrowse, CallbackRootAndOtherTargetsAreUnmodelled) {
  BROWSEINFO withCallback = {};
  withCallback.lpfn = [](HWND, UINT, LPARAM, LPARAM) { return 0; };
  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "T:\\Sablewing"});
  EXPECT_EQ(SHBrowseForFolder(&withCallback), nullptr);
  EXPECT_EQ(Browse(BIF_BROWSEFORCOMPUTER), "");
  const std::vector<std::string> calls = sandbox::UnmodelledCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], "SHBrowseForFolder");
  EXPECT_EQ(sandbox::PendingAnswers(), 1u) << "nothing was shown, so the answer is still queued";
}

TEST(ShellIdLists, PathOfListsNotMadeByTheBrowser) {
  char path[MAX_PATH] = "poison";
  EXPECT_FALSE(SHGetPathFromIDList(NULL, path));
  EXPECT_STREQ(path, "");
  // A list of some other shell folder: one item with foreign bytes.
  const BYTE foreign[] = {6, 0, 'a', 'b', 'c', 0, 0, 0};
  std::strcpy(path, "poison");
  EXPECT_FALSE(SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(foreign), path));
  EXPECT_STREQ(path, "");
  ILFree(NULL);
}

TEST_F(ShellBrowse, ListsAreFreedByILFreeToo) {
  sandbox::QueueAnswer("BrowseForFolder", {IDOK, "T:\\Sablewing"});
  BROWSEINFO info = {};
  LPITEMIDLIST pidl = SHBrowseForFolder(&info);
  ASSERT_NE(pidl, nullptr);
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
  EXPECT_STREQ(path, "T:\\Sablewing");
  ILFree(pidl);  // the leak checker of the sanitizer build shows it when this frees nothing
}

TEST(ShellMalloc, IsTheTaskAllocatorBehindIMalloc) {
  EXPECT_EQ(SHGetMalloc(NULL), E_INVALIDARG);
  LPMALLOC first = NULL, second = NULL;
  ASSERT_EQ(SHGetMalloc(&first), S_OK);
  ASSERT_EQ(SHGetMalloc(&second), S_OK);
  EXPECT_EQ(first, second) << "one allocator for the process";
  void* block = first->Alloc(16);
  ASSERT_NE(block, nullptr);
  block = first->Realloc(block, 64);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(first->DidAlloc(NULL), 0);
  CoTaskMemFree(block);  // the same heap: either side frees what the other allocated
  void* viaQuery = reinterpret_cast<void*>(0xdeadbeef);
  EXPECT_EQ(first->QueryInterface(IID_IMalloc, &viaQuery), S_OK);
  EXPECT_EQ(viaQuery, first);
  first->Release();
  EXPECT_EQ(first->QueryInterface(IID_IClassFactory, &viaQuery), E_NOINTERFACE);
  EXPECT_EQ(viaQuery, nullptr);
  first->Release();
  second->Release();
}

}  // namespace
