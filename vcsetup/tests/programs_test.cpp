// The two programs, called in-process as their entry calls them, over the sample world: when the
// starter configures and what it records, starting the IDE visible, the set-up program's record
// and closing message, a cancel, and a machine where COM or the IDE's class is missing.
#include <objbase.h>

#include <functional>

#include "SetupPrograms.h"
#include "vcsetup_test_support.h"

namespace vcsetup_test {
namespace {

using Strings = std::vector<std::string>;

// The machine's id is 1 in the sample.
void UserId(uint32_t id) { sandbox::RegistrySetDword(kUserKey, "InstallId", id); }
void MachineId(uint32_t id) { sandbox::RegistrySetDword(kProductKey, "InstallId", id); }
void NoIdeClass() { sandbox::RegistryDeleteKey(kIdeProgIdKey); }
void NoApartment() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }

// The IDE's program file held by somebody, so the configuration asks whether to go on.
class HeldProgram {
 public:
  void Hold() { file_ = CreateFile(kProgram, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); }
  ~HeldProgram() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

struct Row {
  const char* name;
  std::function<void()> arrange;
  int answer = 0;  // queued for the first message box, 0 for none
  int exitCode;
  Strings messages;
  std::optional<uint32_t> userId;  // afterwards
  bool configured;                 // the add-in was registered
  bool ideVisible;
};

class Programs : public SampleWorld {
 protected:
  void Check(const std::function<int()>& program, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(row.name);
      sandbox::Reset();
      SetUp();
      LoadUser();
      HeldProgram held;
      if (row.answer != 0) {
        held.Hold();
        sandbox::QueueAnswer("MessageBox", {row.answer, ""});
      }
      row.arrange();
      EXPECT_EQ(program(), row.exitCode);
      EXPECT_EQ(Messages(), row.messages);
      EXPECT_EQ(sandbox::RegistryGetDword(kUserKey, "InstallId"), row.userId);
      EXPECT_EQ(sandbox::RegistryKeyExists(kAddInKey), row.configured);
      EXPECT_EQ(sandbox::msdev::IdeRunning(), row.ideVisible);
      EXPECT_EQ(sandbox::msdev::IdeVisible(), row.ideVisible);
      EXPECT_EQ(sandbox::RegistryOpenHandles(), 0u);
    }
  }
};

TEST_F(Programs, TheStarterConfiguresForANewInstallationThenStartsTheIdeVisible) {
  Check(SablewingStartVC,
        {
            {.name = "the user's id is the machine's: no configuration, no message", .arrange = [] { UserId(1); },
             .exitCode = 0, .messages = {}, .userId = 1, .configured = false, .ideVisible = true},
            {.name = "a new installation: the id recorded after every step was done",
             .arrange = [] { UserId(1), MachineId(2); }, .exitCode = 0, .messages = {}, .userId = 2,
             .configured = true, .ideVisible = true},
            {.name = "never configured", .arrange = [] {}, .exitCode = 0, .messages = {}, .userId = 1,
             .configured = true, .ideVisible = true},
            {.name = "a step failed: the id stays, so the next start configures again",
             .arrange = [] { UserId(1), MachineId(2), DeleteValue(kUserInfoKey, "Directory"); }, .exitCode = 0,
             .messages = {Message(kReferenceNotAdded)}, .userId = 1, .configured = true, .ideVisible = true},
            {.name = "no per-user key: nothing recorded, nothing created",
             .arrange = [] { sandbox::RegistryDeleteKey(kUserKey); }, .exitCode = 0, .messages = {},
             .userId = std::nullopt, .configured = true, .ideVisible = true},
            {.name = "no id on the machine: configured every time", .arrange = [] {
               UserId(1), DeleteValue(kProductKey, "InstallId");
             }, .exitCode = 0, .messages = {}, .userId = 1, .configured = true, .ideVisible = true},
            {.name = "the IDE is open and the user cancels: nothing started",
             .arrange = [] { UserId(1), MachineId(2); },
             .answer = IDCANCEL, .exitCode = 2, .messages = {Message(kVcOpen, MB_OKCANCEL)}, .userId = 1,
             .configured = false, .ideVisible = false},
            {.name = "the IDE is open and the user goes on", .arrange = [] { UserId(1), MachineId(2); },
             .answer = IDOK, .exitCode = 0, .messages = {Message(kVcOpen, MB_OKCANCEL)}, .userId = 2,
             .configured = true, .ideVisible = true},
            {.name = "no IDE class on the machine", .arrange = [] { UserId(1), MachineId(2), NoIdeClass(); },
             .exitCode = 1, .messages = {}, .userId = 1, .configured = false, .ideVisible = false},
            {.name = "COM cannot be entered", .arrange = [] { UserId(1), MachineId(2), NoApartment(); },
             .exitCode = 1, .messages = {}, .userId = 1, .configured = false, .ideVisible = false},
        });
}

TEST_F(Programs, TheSetUpProgramAlwaysConfiguresAndRecords) {
  Check(SablewingSetupVC,
        {
            {.name = "every step done: the closing message", .arrange = [] { UserId(1); }, .exitCode = 0,
             .messages = {Message(kDone)}, .userId = 1, .configured = true, .ideVisible = false},
            {.name = "a step failed: recorded all the same, no closing message",
             .arrange = [] { MachineId(2), DeleteValue(kUserInfoKey, "Directory"); }, .exitCode = 0,
             .messages = {Message(kReferenceNotAdded)}, .userId = 2, .configured = true, .ideVisible = false},
            {.name = "the user cancels", .arrange = [] { MachineId(2); }, .answer = IDCANCEL, .exitCode = 2,
             .messages = {Message(kVcOpen, MB_OKCANCEL)}, .userId = std::nullopt, .configured = false,
             .ideVisible = false},
            {.name = "a standard user", .arrange = [] { MachineId(2), sandbox::RegistrySetStandardUser(true); },
             .exitCode = 0, .messages = {Message(kDone)}, .userId = 2, .configured = true, .ideVisible = false},
            {.name = "no IDE class on the machine: silently nothing", .arrange = [] { MachineId(2), NoIdeClass(); },
             .exitCode = 0, .messages = {}, .userId = std::nullopt, .configured = false, .ideVisible = false},
            {.name = "COM cannot be entered: silently nothing", .arrange = [] { MachineId(2), NoApartment(); },
             .exitCode = 0, .messages = {}, .userId = std::nullopt, .configured = false, .ideVisible = false},
        });
}

TEST_F(Programs, TheStarterLeavesTheApartmentOnlyAfterANormalEnd) {
  LoadUser();
  UserId(1);
  ASSERT_EQ(SablewingStartVC(), 0);
  EXPECT_EQ(CoInitialize(nullptr), S_OK) << "left at the end";
  CoUninitialize();

  MachineId(2);
  HeldProgram held;
  held.Hold();
  sandbox::QueueAnswer("MessageBox", {IDCANCEL, ""});
  ASSERT_EQ(SablewingStartVC(), 2);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE) << "a cancel ends the program at once, still in its apartment";
  CoUninitialize();
  CoUninitialize();
}

}  // namespace
}  // namespace vcsetup_test
