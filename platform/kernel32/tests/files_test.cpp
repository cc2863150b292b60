// kernel32 files over a temporary drive: the mapping point (case-insensitive lookup, code page),
// CreateFile dispositions, read-only, sharing, handle I/O, copy/move/delete, directories, the
// current directory, and injected failures.
#include <windows.h>

#include <thread>
#include <chrono>
#include <cctype>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "sandbox/sandbox.h"

namespace {

constexpr DWORD kPoison = 0xdeadbeef;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  return CreateFile(path, access, share, nullptr, disposition, attributes, nullptr);
}

bool Write(const char* path, const std::string& text) {
  HANDLE h = Open(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return CloseHandle(h) && ok && written == text.size();
}

std::optional<std::string> Read(const char* path) {
  HANDLE h = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string out;
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

uint64_t Ticks(const FILETIME& t) { return (uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    host = sandbox::MapTempDrive('T');
    ASSERT_TRUE(CreateDirectory("T:\\Proj", nullptr));
  }
  // Host-side set-up for what the Windows surface cannot make (names that differ only in case).
  void HostFile(const std::string& relative, const std::string& text) {
    std::ofstream(host + "/" + relative, std::ios::binary) << text;
  }
  std::string host;
};

// --- the mapping point -------------------------------------------------------------------------

TEST_F(FilesTest, ComponentsAreFoundWhateverTheirCase) {
  ASSERT_TRUE(Write("T:\\Proj\\ReadMe.txt", "hello"));
  EXPECT_EQ(Read("t:/PROJ/readme.TXT"), "hello");
  EXPECT_EQ(sandbox::HostPath("T:\\PROJ\\README.TXT"), host + "/Proj/ReadMe.txt");
  // A new name in an existing folder keeps the folder's spelling and its own.
  ASSERT_TRUE(Write("T:\\PROJ\\New.Txt", "x"));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/New.Txt"));
  EXPECT_EQ(sandbox::WindowsPath(host + "/Proj/New.Txt"), "T:\\Proj\\New.Txt");
}

// Case-insensitive look-ups of a directory are answered from an index of it; a name that appears
// in the directory by any route must be found at once, however soon after an earlier look-up.
TEST_F(FilesTest, ANameAddedBesideTheStandInIsFoundAtOnce) {
  for (const char* name : {"added.txt", "later.txt"}) {
    SCOPED_TRACE(name);
    const std::string upper = std::string("T:\\PROJ\\") + name;
    std::string wanted = upper;
    for (char& c : wanted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(GetFileAttributes(wanted.c_str()), INVALID_FILE_ATTRIBUTES);
    HostFile(std::string("Proj/") + name, "x");
    EXPECT_NE(GetFileAttributes(wanted.c_str()), INVALID_FILE_ATTRIBUTES);
    std::filesystem::remove(host + "/Proj/" + name);
    EXPECT_EQ(GetFileAttributes(wanted.c_str()), INVALID_FILE_ATTRIBUTES);
    // The second round looks up a directory whose time stamp has settled, so its index is kept.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
}

// A folder reached through a case-insensitive match is remembered for the next look-ups in it
// (the catalogue makes thousands in "Include" when the disk says "include"); what is remembered
// must follow the disk: an exact name that appears wins, and a folder that goes is missing.
TEST_F(FilesTest, AFolderFoundWhateverItsCaseFollowsTheDisk) {
  std::filesystem::create_directories(host + "/Proj/include");
  HostFile("Proj/include/a.h", "lower");
  // Let the folders' time stamps settle, so that what is learnt about them is kept.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Read("T:\\Proj\\Include\\A.H"), "lower");
  EXPECT_EQ(Read("T:\\Proj\\Include\\a.h"), "lower");
  // "INCLUDE" comes before "include" in byte order.
  std::filesystem::create_directories(host + "/Proj/INCLUDE");
  HostFile("Proj/INCLUDE/a.h", "upper");
  EXPECT_EQ(Read("T:\\Proj\\Include\\A.H"), "upper");
  std::filesystem::create_directories(host + "/Proj/Include");
  HostFile("Proj/Include/a.h", "exact");
  EXPECT_EQ(Read("T:\\Proj\\Include\\A.H"), "exact");
  std::filesystem::remove_all(host + "/Proj/Include");
  std::filesystem::remove_all(host + "/Proj/INCLUDE");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Read("T:\\Proj\\Include\\A.H"), "lower");
  std::filesystem::remove_all(host + "/Proj/include");
  SetLastError(0xdeadbeef);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\Include\\A.H"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
}

TEST_F(FilesTest, SeveralCaseMatchesTakeTheFirstInByteOrderAndAnExactNameWins) {
  HostFile("Proj/b.TXT", "lower");
  HostFile("Proj/B.txt", "upper");
  EXPECT_EQ(Read("T:\\Proj\\b.txt"), "upper");  // "B.txt" < "b.TXT" in byte order
  EXPECT_EQ(Read("T:\\Proj\\b.TXT"), "lower");
}

TEST_F(FilesTest, Cp1252NamesAreUtf8OnTheHostAndFoldLatin1Letters) {
  ASSERT_TRUE(Write("T:\\Proj\\caf\xE9.txt", "cp1252"));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/caf\xC3\xA9.txt"));
  EXPECT_EQ(Read("T:\\PROJ\\CAF\xC9.TXT"), "cp1252");  // E-acute folds to e-acute
  EXPECT_EQ(sandbox::WindowsPath(host + "/Proj/caf\xC3\xA9.txt"), "T:\\Proj\\caf\xE9.txt");
}

TEST_F(FilesTest, Cp932NamesKeepTheTrailByte5C) {
  sandbox::SetCodePage(932);
  // U+8868 is 0x95 0x5C in code page 932: the 0x5C is no separator.
  ASSERT_TRUE(Write("T:\\Proj\\\x95\x5C.txt", "dbcs"));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/\xE8\xA1\xA8.txt"));
  EXPECT_EQ(Read("T:\\Proj\\\x95\x5C.TXT"), "dbcs");
}

TEST_F(FilesTest, TheCurrentDirectoryStartsAsTheHostsWorkingDirectory) {
  char buffer[MAX_PATH];
  const DWORD n = GetCurrentDirectory(MAX_PATH, buffer);
  ASSERT_GT(n, 0u);
  EXPECT_EQ(std::string(buffer, n), sandbox::WindowsPath(std::filesystem::current_path().string()));
  EXPECT_EQ(std::string(buffer, 3), "Z:\\");
}

TEST_F(FilesTest, RelativePathsResolveAgainstTheProcessCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectory("t:\\proj"));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetCurrentDirectory(MAX_PATH, buffer), 7u);
  EXPECT_STREQ(buffer, "T:\\proj");  // kept as written
  ASSERT_TRUE(Write("rel.txt", "r"));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/rel.txt"));
  EXPECT_EQ(Read("T:rel.txt"), "r");  // drive-relative on the current drive
  EXPECT_EQ(Read("\\Proj\\rel.txt"), "r");  // rooted on the current drive
  EXPECT_EQ(Read("..\\Proj\\.\\rel.txt"), "r");
}

TEST_F(FilesTest, GetCurrentDirectoryReportsTheSizeNeededAndLeavesASmallBufferAlone) {
  ASSERT_TRUE(SetCurrentDirectory("T:\\Proj"));
  char buffer[8];
  std::memset(buffer, 'G', sizeof buffer);
  EXPECT_EQ(GetCurrentDirectory(7, buffer), 8u);  // "T:\Proj" + NUL
  EXPECT_EQ(std::string(buffer, 8), "GGGGGGGG");
  EXPECT_EQ(GetCurrentDirectory(0, nullptr), 8u);
  EXPECT_EQ(GetCurrentDirectory(8, buffer), 7u);
  EXPECT_STREQ(buffer, "T:\\Proj");
}

struct CurrentDirectoryError {
  const char* path;
  DWORD error;
};

TEST_F(FilesTest, SetCurrentDirectoryErrors) {
  ASSERT_TRUE(Write("T:\\Proj\\file.txt", ""));
  const CurrentDirectoryError cases[] = {
      {.path = "T:\\missing", .error = ERROR_FILE_NOT_FOUND},
      {.path = "T:\\missing\\deeper", .error = ERROR_PATH_NOT_FOUND},
      {.path = "T:\\Proj\\file.txt", .error = ERROR_DIRECTORY},
      {.path = "Q:\\", .error = ERROR_PATH_NOT_FOUND},
  };
  ASSERT_TRUE(SetCurrentDirectory("T:\\Proj"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    SetLastError(kPoison);
    EXPECT_FALSE(SetCurrentDirectory(c.path));
    EXPECT_EQ(GetLastError(), c.error);
    char buffer[MAX_PATH];
    GetCurrentDirectory(MAX_PATH, buffer);
    EXPECT_STREQ(buffer, "T:\\Proj");  // unchanged
  }
}

struct AttributeError {
  const char* path;
  DWORD error;
};

TEST_F(FilesTest, GetFileAttributesErrorsAndValues) {
  ASSERT_TRUE(Write("T:\\Proj\\file.txt", "abc"));
  EXPECT_EQ(GetFileAttributes("T:\\Proj"), DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(GetFileAttributes("T:\\"), DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\file.txt"), DWORD{FILE_ATTRIBUTE_ARCHIVE});
  const AttributeError cases[] = {
      {.path = "T:\\Proj\\missing.txt", .error = ERROR_FILE_NOT_FOUND},
      {.path = "T:\\missing\\file.txt", .error = ERROR_PATH_NOT_FOUND},
      {.path = "T:\\Proj\\file.txt\\below", .error = ERROR_PATH_NOT_FOUND},
      {.path = "T:\\Proj\\bad|name", .error = ERROR_INVALID_NAME},
      {.path = "T:\\Proj\\a:b", .error = ERROR_INVALID_NAME},
      {.path = "Q:\\file.txt", .error = ERROR_PATH_NOT_FOUND},
      {.path = "\\\\nosuch\\share\\x", .error = ERROR_BAD_NETPATH},
      {.path = "", .error = ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    SetLastError(kPoison);
    EXPECT_EQ(GetFileAttributes(c.path), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(FilesTest, UncSharesMapToTheirFolders) {
  sandbox::MapUncShare("\\\\Build\\Drop", host + "/Proj");
  ASSERT_TRUE(Write("\\\\build\\DROP\\out.txt", "unc"));
  EXPECT_EQ(Read("T:\\Proj\\out.txt"), "unc");
  EXPECT_EQ(sandbox::HostPath("\\\\BUILD\\drop\\OUT.TXT"), host + "/Proj/out.txt");
}

TEST_F(FilesTest, DeviceNamesAreUnmodelledNotFiles) {
  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\Proj\\NUL", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_CALL_NOT_IMPLEMENTED});
  EXPECT_FALSE(std::filesystem::exists(host + "/Proj/NUL"));
  ASSERT_EQ(sandbox::UnmodelledCalls().size(), 1u);
}

// --- CreateFile --------------------------------------------------------------------------------

struct DispositionCase {
  const char* name;
  DWORD disposition;
  bool exists;
  bool opens;
  DWORD error;                 // last error after the call
  const char* contentAfter;    // nullptr: no file
};

TEST_F(FilesTest, CreateFileDispositions) {
  const DispositionCase cases[] = {
      {"CREATE_NEW on existing", CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {"CREATE_NEW on missing", CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {"CREATE_ALWAYS on existing", CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {"CREATE_ALWAYS on missing", CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {"OPEN_EXISTING on existing", OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {"OPEN_EXISTING on missing", OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {"OPEN_ALWAYS on existing", OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {"OPEN_ALWAYS on missing", OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {"TRUNCATE_EXISTING on existing", TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
      {"TRUNCATE_EXISTING on missing", TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFile("T:\\Proj\\d.txt");
    if (c.exists) {
      ASSERT_TRUE(Write("T:\\Proj\\d.txt", "old"));
    }
    SetLastError(kPoison);
    HANDLE h = Open("T:\\Proj\\d.txt", GENERIC_READ | GENERIC_WRITE, 0, c.disposition);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
    EXPECT_EQ(GetLastError(), c.error);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (c.contentAfter) {
      EXPECT_EQ(Read("T:\\Proj\\d.txt"), c.contentAfter);
    } else {
      EXPECT_EQ(GetFileAttributes("T:\\Proj\\d.txt"), INVALID_FILE_ATTRIBUTES);
    }
  }
  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\missing\\d.txt", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\Proj", GENERIC_READ, kShareAll, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});  // a directory is no file
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

size_t HostFilesOpen() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// An existing file is opened on the host before the stand-in has checked what may be done with
// it: every refusal must close it again.
TEST_F(FilesTest, ARefusedOpenLeavesNoHostFileOpen) {
  ASSERT_TRUE(Write("T:\\Proj\\ro.txt", "r"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\ro.txt", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(Write("T:\\Proj\\held.txt", "h"));
  HANDLE held = Open("T:\\Proj\\held.txt", GENERIC_READ, 0, OPEN_EXISTING);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  struct Refusal {
    const char* path;
    DWORD access, disposition, error;
  };
  const Refusal refusals[] = {
      {"T:\\Proj", GENERIC_READ, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"T:\\Proj\\ro.txt", GENERIC_WRITE, OPEN_EXISTING, ERROR_ACCESS_DENIED},
      {"T:\\Proj\\held.txt", GENERIC_READ, OPEN_ALWAYS, ERROR_SHARING_VIOLATION},
  };
  const size_t before = HostFilesOpen();
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.path);
    SetLastError(kPoison);
    EXPECT_EQ(Open(r.path, r.access, kShareAll, r.disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), r.error);
    EXPECT_EQ(HostFilesOpen(), before);
  }
  CloseHandle(held);
}

// The customizer's read-only check relies on this: as root the host would write a file without
// write bits, so the stand-in itself refuses every change to a read-only file.
TEST_F(FilesTest, ReadOnlyFilesRefuseEveryChange) {
  ASSERT_TRUE(Write("T:\\Proj\\ro.txt", "keep"));
  ASSERT_TRUE(Write("T:\\Proj\\other.txt", "other"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\ro.txt", FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\ro.txt"), DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});

  struct Refusal {
    const char* what;
    std::function<bool()> call;
  };
  const Refusal refusals[] = {
      {"open for writing", [] { return Open("T:\\Proj\\ro.txt", GENERIC_WRITE, 0, OPEN_EXISTING) != INVALID_HANDLE_VALUE; }},
      {"truncate", [] { return Open("T:\\Proj\\ro.txt", GENERIC_READ, 0, CREATE_ALWAYS) != INVALID_HANDLE_VALUE; }},
      {"delete", [] { return DeleteFile("T:\\Proj\\ro.txt") != FALSE; }},
      {"copy onto", [] { return CopyFile("T:\\Proj\\other.txt", "T:\\Proj\\ro.txt", FALSE) != FALSE; }},
      {"move onto", [] { return MoveFileEx("T:\\Proj\\other.txt", "T:\\Proj\\ro.txt", MOVEFILE_REPLACE_EXISTING) != FALSE; }},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.what);
    SetLastError(kPoison);
    EXPECT_FALSE(r.call());
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
    EXPECT_EQ(Read("T:\\Proj\\ro.txt"), "keep");
  }
  EXPECT_EQ(Read("T:\\Proj\\other.txt"), "other");
  // Reading is fine, and so is renaming the read-only file itself.
  EXPECT_EQ(Read("T:\\Proj\\ro.txt"), "keep");
  EXPECT_TRUE(MoveFile("T:\\Proj\\ro.txt", "T:\\Proj\\ro2.txt"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\ro2.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(Write("T:\\Proj\\ro2.txt", "changed"));
  // A file created read-only is read-only on the host too, yet its creating handle may write.
  HANDLE h = Open("T:\\Proj\\new-ro.txt", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(h, "ab", 2, &written, nullptr));
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\new-ro.txt") & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_EQ(std::filesystem::status(host + "/Proj/new-ro.txt").permissions() & std::filesystem::perms::owner_write,
            std::filesystem::perms::none);
}

// The INI writer's and the file replacer's "read-only folder" cases rely on this: the stand-in
// takes a folder with the read-only attribute as one whose security denies writing (the host user
// is root and could write anyway), so no new entry appears in it; its files stay usable.
TEST_F(FilesTest, ReadOnlyFoldersTakeNoNewEntries) {
  ASSERT_TRUE(Write("T:\\Proj\\in.txt", "in"));
  ASSERT_TRUE(Write("T:\\outside.txt", "out"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj", FILE_ATTRIBUTE_READONLY));
  struct Refusal {
    const char* what;
    std::function<bool()> call;
  };
  const Refusal refusals[] = {
      {"new file", [] { return Open("T:\\Proj\\new.txt", GENERIC_WRITE, 0, CREATE_NEW) != INVALID_HANDLE_VALUE; }},
      {"open always", [] { return Open("T:\\Proj\\new.txt", GENERIC_WRITE, 0, OPEN_ALWAYS) != INVALID_HANDLE_VALUE; }},
      {"directory", [] { return CreateDirectory("T:\\Proj\\Sub", nullptr) != FALSE; }},
      {"move in", [] { return MoveFile("T:\\outside.txt", "T:\\Proj\\moved.txt") != FALSE; }},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.what);
    SetLastError(kPoison);
    EXPECT_FALSE(r.call());
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  }
  EXPECT_FALSE(std::filesystem::exists(host + "/Proj/new.txt"));
  EXPECT_FALSE(std::filesystem::exists(host + "/Proj/Sub"));
  EXPECT_EQ(Read("T:\\outside.txt"), "out");
  EXPECT_TRUE(Write("T:\\Proj\\in.txt", "changed"));
  EXPECT_EQ(Read("T:\\Proj\\in.txt"), "changed");
}

struct SharingCase {
  const char* name;
  DWORD firstAccess, firstShare, secondAccess, secondShare;
  bool secondOpens;
};

TEST_F(FilesTest, SharingBetweenHandlesOfTheProcess) {
  ASSERT_TRUE(Write("T:\\Proj\\s.txt", "s"));
  constexpr DWORD R = GENERIC_READ, W = GENERIC_WRITE, SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
  const SharingCase cases[] = {
      {"readers sharing reads", R, SR, R, SR, true},
      {"writer after a reader that shares no writes", R, SR, W, SR | SW, false},
      {"reader not sharing the open writer", W, SR | SW, R, SR, false},
      {"anything after an exclusive open", R, 0, R, SR | SW, false},
      {"writers sharing both", R | W, SR | SW, R | W, SR | SW, true},
      {"attributes-only open shares with everything", 0, 0, R | W, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HANDLE first = Open("T:\\Proj\\s.txt", c.firstAccess, c.firstShare, OPEN_EXISTING);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    SetLastError(kPoison);
    HANDLE second = Open("T:\\PROJ\\S.TXT", c.secondAccess, c.secondShare, OPEN_EXISTING);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens);
    if (second != INVALID_HANDLE_VALUE) {
      CloseHandle(second);
    } else {
      EXPECT_EQ(GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
    }
    CloseHandle(first);
  }
  // Deleting and renaming an open file need FILE_SHARE_DELETE.
  HANDLE h = Open("T:\\Proj\\s.txt", R, SR | SW, OPEN_EXISTING);
  SetLastError(kPoison);
  EXPECT_FALSE(DeleteFile("T:\\Proj\\s.txt"));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
  EXPECT_FALSE(MoveFile("T:\\Proj\\s.txt", "T:\\Proj\\t.txt"));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
  EXPECT_FALSE(MoveFile("T:\\Proj", "T:\\Moved"));  // a folder holding an open file
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  CloseHandle(h);
  h = Open("T:\\Proj\\s.txt", R, kShareAll, OPEN_EXISTING);
  EXPECT_TRUE(DeleteFile("T:\\Proj\\s.txt"));
  CloseHandle(h);
}

// --- handle I/O --------------------------------------------------------------------------------

TEST_F(FilesTest, ReadWriteAndTheFilePointer) {
  HANDLE h = Open("T:\\Proj\\io.bin", GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = kPoison;
  ASSERT_TRUE(WriteFile(h, "hello world", 11, &done, nullptr));
  EXPECT_EQ(done, 11u);
  EXPECT_EQ(SetFilePointer(h, 6, nullptr, FILE_BEGIN), 6u);
  char buffer[16] = {};
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), "world");
  done = kPoison;
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));  // end of file: success, 0 bytes
  EXPECT_EQ(done, 0u);

  SetLastError(kPoison);
  EXPECT_EQ(SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NEGATIVE_SEEK});
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 11u);  // unchanged by the failed move
  EXPECT_EQ(SetFilePointer(h, -6, nullptr, FILE_END), 5u);
  ASSERT_TRUE(SetEndOfFile(h));
  DWORD high = kPoison;
  EXPECT_EQ(GetFileSize(h, &high), 5u);
  EXPECT_EQ(high, 0u);

  // 64-bit moves through the high part; past 4 GiB without it the move fails.
  LONG moveHigh = 1;
  EXPECT_EQ(SetFilePointer(h, 7, &moveHigh, FILE_BEGIN), 7u);
  EXPECT_EQ(moveHigh, 1);
  moveHigh = 0;
  EXPECT_EQ(SetFilePointer(h, 0, &moveHigh, FILE_CURRENT), 7u);
  EXPECT_EQ(moveHigh, 1);
  SetLastError(kPoison);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_NE(GetLastError(), DWORD{NO_ERROR});
  // A low part of 0xFFFFFFFF is a valid position: the last error says so.
  moveHigh = 0;
  SetLastError(kPoison);
  EXPECT_EQ(SetFilePointer(h, static_cast<LONG>(0xFFFFFFFF), &moveHigh, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD{NO_ERROR});
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(Read("T:\\Proj\\io.bin"), "hello");
}

TEST_F(FilesTest, AccessRightsOfTheHandleAreEnforced) {
  ASSERT_TRUE(Write("T:\\Proj\\a.txt", "data"));
  HANDLE reader = Open("T:\\Proj\\a.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  HANDLE writer = Open("T:\\Proj\\a.txt", GENERIC_WRITE, kShareAll, OPEN_EXISTING);
  DWORD done = kPoison;
  char buffer[8];
  SetLastError(kPoison);
  EXPECT_FALSE(WriteFile(reader, "x", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_EQ(done, 0u);
  done = kPoison;
  EXPECT_FALSE(ReadFile(writer, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_EQ(done, 0u);
  EXPECT_FALSE(SetEndOfFile(reader));
  EXPECT_FALSE(FlushFileBuffers(reader));
  EXPECT_TRUE(FlushFileBuffers(writer));
  CloseHandle(reader);
  CloseHandle(writer);
  EXPECT_EQ(Read("T:\\Proj\\a.txt"), "data");
}

TEST_F(FilesTest, BadHandlesAreRefused) {
  ASSERT_TRUE(Write("T:\\Proj\\a.txt", "data"));
  HANDLE h = Open("T:\\Proj\\a.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  ASSERT_EQ(sandbox::OpenFileHandles(), 1u);
  ASSERT_TRUE(CloseHandle(h));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  const HANDLE bad[] = {h, nullptr, INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(0x1234)};
  for (HANDLE b : bad) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(b));
    SetLastError(kPoison);
    EXPECT_FALSE(CloseHandle(b));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
    DWORD done = kPoison;
    char buffer[4];
    EXPECT_FALSE(ReadFile(b, buffer, 4, &done, nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
    EXPECT_EQ(GetFileSize(b, nullptr), INVALID_FILE_SIZE);
  }
  // A find handle is closed by FindClose only, and a file handle never by FindClose.
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile("T:\\Proj\\*", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(CloseHandle(find));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
  h = Open("T:\\Proj\\a.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  EXPECT_FALSE(FindClose(h));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
  EXPECT_EQ(sandbox::OpenFileHandles(), 2u);
  EXPECT_TRUE(FindClose(find));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
}

TEST_F(FilesTest, TimesFollowTheSandboxClockAndSetFileTime) {
  sandbox::SetClock(1'000'000'000'000);  // 2001-09-09
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ASSERT_TRUE(Write("T:\\Proj\\t.txt", "t"));
  HANDLE h = Open("T:\\Proj\\t.txt", GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
  FILETIME creation, access, write;
  ASSERT_TRUE(GetFileTime(h, &creation, &access, &write));
  EXPECT_EQ(Ticks(write), Ticks(now));

  FILETIME older = now;
  older.dwHighDateTime -= 10;
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &older));
  DWORD done;
  ASSERT_TRUE(WriteFile(h, "x", 1, &done, nullptr));  // after SetFileTime the time it set stays
  CloseHandle(h);
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile("T:\\Proj\\t.txt", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  FindClose(find);
  EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(older));

  BY_HANDLE_FILE_INFORMATION info;
  h = Open("T:\\Proj\\t.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  ASSERT_TRUE(GetFileInformationByHandle(h, &info));
  EXPECT_EQ(info.dwFileAttributes, DWORD{FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_EQ(info.nFileSizeLow, 1u);
  EXPECT_EQ(info.nNumberOfLinks, 1u);
  EXPECT_EQ(Ticks(info.ftLastWriteTime), Ticks(older));
  SetLastError(kPoison);
  EXPECT_FALSE(SetFileTime(h, nullptr, nullptr, &now));  // needs write access
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  CloseHandle(h);
}

// --- copy, move, delete, directories -----------------------------------------------------------

TEST_F(FilesTest, CopyFileKeepsContentsTimeAndReadOnly) {
  sandbox::SetClock(1'100'000'000'000);
  ASSERT_TRUE(Write("T:\\Proj\\src.txt", "source"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\src.txt", FILE_ATTRIBUTE_READONLY));
  sandbox::AdvanceClock(60'000);
  ASSERT_TRUE(CopyFile("T:\\Proj\\src.txt", "T:\\Proj\\dst.txt", TRUE));
  EXPECT_EQ(Read("T:\\Proj\\dst.txt"), "source");
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\dst.txt"), DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
  WIN32_FIND_DATA a, b;
  FindClose(FindFirstFile("T:\\Proj\\src.txt", &a));
  FindClose(FindFirstFile("T:\\Proj\\dst.txt", &b));
  EXPECT_EQ(Ticks(a.ftLastWriteTime), Ticks(b.ftLastWriteTime));

  ASSERT_TRUE(Write("T:\\Proj\\other.txt", "other"));
  struct CopyError {
    const char* what;
    const char* from;
    const char* to;
    BOOL failIfExists;
    DWORD error;
  };
  const CopyError errors[] = {
      {"existing target with failIfExists", "T:\\Proj\\src.txt", "T:\\Proj\\other.txt", TRUE, ERROR_FILE_EXISTS},
      {"missing source", "T:\\Proj\\none.txt", "T:\\Proj\\x.txt", FALSE, ERROR_FILE_NOT_FOUND},
      {"missing source folder", "T:\\none\\a.txt", "T:\\Proj\\x.txt", FALSE, ERROR_PATH_NOT_FOUND},
      {"onto itself", "T:\\Proj\\other.txt", "T:\\PROJ\\OTHER.TXT", FALSE, ERROR_SHARING_VIOLATION},
      {"a directory", "T:\\Proj", "T:\\Copy", FALSE, ERROR_ACCESS_DENIED},
  };
  for (const auto& e : errors) {
    SCOPED_TRACE(e.what);
    SetLastError(kPoison);
    EXPECT_FALSE(CopyFile(e.from, e.to, e.failIfExists));
    EXPECT_EQ(GetLastError(), e.error);
  }
  EXPECT_EQ(Read("T:\\Proj\\other.txt"), "other");
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\x.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, MoveFileRulesAndCaseOnlyRenames) {
  ASSERT_TRUE(Write("T:\\Proj\\a.txt", "a"));
  ASSERT_TRUE(Write("T:\\Proj\\b.txt", "b"));
  SetLastError(kPoison);
  EXPECT_FALSE(MoveFile("T:\\Proj\\a.txt", "T:\\Proj\\b.txt"));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ALREADY_EXISTS});
  EXPECT_TRUE(MoveFileEx("T:\\Proj\\a.txt", "T:\\Proj\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(Read("T:\\Proj\\b.txt"), "a");
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\a.txt"), INVALID_FILE_ATTRIBUTES);

  EXPECT_TRUE(MoveFile("T:\\Proj\\b.txt", "T:\\Proj\\B.TXT"));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/B.TXT"));
  EXPECT_FALSE(std::filesystem::exists(host + "/Proj/b.txt"));

  // Replacing a file whose name differs in case: the name as written wins.
  ASSERT_TRUE(Write("T:\\Proj\\new.txt", "new"));
  EXPECT_TRUE(MoveFileEx("T:\\Proj\\new.txt", "T:\\Proj\\b.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_TRUE(std::filesystem::exists(host + "/Proj/b.txt"));
  EXPECT_FALSE(std::filesystem::exists(host + "/Proj/B.TXT"));
  EXPECT_EQ(Read("T:\\Proj\\b.txt"), "new");

  SetLastError(kPoison);
  EXPECT_FALSE(MoveFile("T:\\Proj\\none.txt", "T:\\Proj\\c.txt"));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
  ASSERT_TRUE(CreateDirectory("T:\\Dir", nullptr));
  EXPECT_FALSE(MoveFileEx("T:\\Proj\\B.TXT", "T:\\Dir", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_TRUE(MoveFile("T:\\Dir", "T:\\Proj\\Dir2"));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\Dir2"), DWORD{FILE_ATTRIBUTE_DIRECTORY});
}

// Hidden and system files: the attributes stay with the file through renames and copies, a
// replacing CreateFile must ask for them, and CopyFile does not overwrite a hidden file.
TEST_F(FilesTest, HiddenAndSystemAttributes) {
  constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(Write("T:\\Proj\\h.txt", "h"));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\h.txt", FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\h.txt"), kHidden);
  WIN32_FIND_DATA found;
  FindClose(FindFirstFile("T:\\Proj\\h.txt", &found));
  EXPECT_EQ(found.dwFileAttributes, kHidden);

  EXPECT_TRUE(MoveFile("T:\\Proj\\h.txt", "T:\\Proj\\moved.txt"));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\moved.txt"), kHidden);
  EXPECT_TRUE(CopyFile("T:\\Proj\\moved.txt", "T:\\Proj\\copy.txt", TRUE));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\copy.txt"), kHidden);
  ASSERT_TRUE(Write("T:\\Proj\\plain.txt", "plain"));
  SetLastError(kPoison);
  EXPECT_FALSE(CopyFile("T:\\Proj\\plain.txt", "T:\\Proj\\copy.txt", FALSE));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  // Replaced by a plain file: the hidden one is gone, and so is its attribute.
  EXPECT_TRUE(MoveFileEx("T:\\Proj\\plain.txt", "T:\\Proj\\copy.txt", MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\copy.txt"), DWORD{FILE_ATTRIBUTE_ARCHIVE});

  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\Proj\\moved.txt", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  HANDLE h = Open("T:\\Proj\\moved.txt", GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\moved.txt"), kHidden | FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\moved.txt", FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\moved.txt"), DWORD{FILE_ATTRIBUTE_ARCHIVE});

  h = Open("T:\\Proj\\new.txt", GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_SYSTEM);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\new.txt"), DWORD{FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE});
  EXPECT_TRUE(DeleteFile("T:\\Proj\\new.txt"));
  ASSERT_TRUE(Write("T:\\Proj\\new.txt", "again"));
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\new.txt"), DWORD{FILE_ATTRIBUTE_ARCHIVE});
}

TEST_F(FilesTest, EachDriveIsItsOwnVolume) {
  sandbox::MapTempDrive('U');
  ASSERT_TRUE(Write("T:\\Proj\\a.txt", "a"));
  SetLastError(kPoison);
  EXPECT_FALSE(MoveFileEx("T:\\Proj\\a.txt", "U:\\a.txt", 0));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NOT_SAME_DEVICE});
  EXPECT_FALSE(MoveFile("T:\\Proj", "U:\\Proj"));  // directories never cross
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NOT_SAME_DEVICE});
  EXPECT_TRUE(MoveFile("T:\\Proj\\a.txt", "U:\\a.txt"));  // files may be copied across
  EXPECT_EQ(Read("U:\\a.txt"), "a");
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\a.txt"), INVALID_FILE_ATTRIBUTES);
}

struct NamedError {
  const char* what;
  std::function<BOOL()> call;
  DWORD error;
};

TEST_F(FilesTest, DeleteAndDirectoryErrors) {
  ASSERT_TRUE(Write("T:\\Proj\\file.txt", "f"));
  ASSERT_TRUE(CreateDirectory("T:\\Empty", nullptr));
  ASSERT_TRUE(SetCurrentDirectory("T:\\Empty"));
  const NamedError cases[] = {
      {"delete a missing file", [] { return DeleteFile("T:\\Proj\\none.txt"); }, ERROR_FILE_NOT_FOUND},
      {"delete in a missing folder", [] { return DeleteFile("T:\\none\\x.txt"); }, ERROR_PATH_NOT_FOUND},
      {"delete a directory", [] { return DeleteFile("T:\\Proj"); }, ERROR_ACCESS_DENIED},
      {"create an existing directory", [] { return CreateDirectory("T:\\PROJ", nullptr); }, ERROR_ALREADY_EXISTS},
      {"create over a file", [] { return CreateDirectory("T:\\Proj\\file.txt", nullptr); }, ERROR_ALREADY_EXISTS},
      {"create below a missing parent", [] { return CreateDirectory("T:\\none\\sub", nullptr); }, ERROR_PATH_NOT_FOUND},
      {"remove a full directory", [] { return RemoveDirectory("T:\\Proj"); }, ERROR_DIR_NOT_EMPTY},
      {"remove a file", [] { return RemoveDirectory("T:\\Proj\\file.txt"); }, ERROR_DIRECTORY},
      {"remove a missing directory", [] { return RemoveDirectory("T:\\none"); }, ERROR_FILE_NOT_FOUND},
      {"remove the current directory", [] { return RemoveDirectory("T:\\Empty"); }, ERROR_SHARING_VIOLATION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SetLastError(kPoison);
    EXPECT_FALSE(c.call());
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(Read("T:\\Proj\\file.txt"), "f");
  ASSERT_TRUE(SetCurrentDirectory("T:\\"));
  EXPECT_TRUE(RemoveDirectory("T:\\empty"));
  EXPECT_TRUE(DeleteFile("T:\\Proj\\FILE.TXT"));
  EXPECT_TRUE(RemoveDirectory("T:\\Proj"));
}

// --- full paths, temporary files, Windows folders ----------------------------------------------

struct FullPathCase {
  const char* text;
  const char* full;
  const char* filePart;  // nullptr: none
};

TEST_F(FilesTest, GetFullPathNameWorksOnTheTextAlone) {
  ASSERT_TRUE(SetCurrentDirectory("T:\\Proj"));
  const FullPathCase cases[] = {
      {.text = "a.txt", .full = "T:\\Proj\\a.txt", .filePart = "a.txt"},
      {.text = "..\\x\\..\\b.txt", .full = "T:\\b.txt", .filePart = "b.txt"},
      {.text = "sub\\", .full = "T:\\Proj\\sub\\", .filePart = nullptr},
      {.text = "*.dsp", .full = "T:\\Proj\\*.dsp", .filePart = "*.dsp"},
      {.text = "Q:\\none\\c", .full = "Q:\\none\\c", .filePart = "c"},
      {.text = "\\", .full = "T:\\", .filePart = nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    char buffer[MAX_PATH];
    LPSTR filePart = reinterpret_cast<LPSTR>(0x1);
    const DWORD n = GetFullPathName(c.text, MAX_PATH, buffer, &filePart);
    EXPECT_EQ(n, std::strlen(c.full));
    EXPECT_STREQ(buffer, c.full);
    if (c.filePart) {
      EXPECT_STREQ(filePart, c.filePart);
    } else {
      EXPECT_EQ(filePart, nullptr);
    }
  }
  char small[4];
  std::memset(small, 'G', sizeof small);
  EXPECT_EQ(GetFullPathName("a.txt", sizeof small, small, nullptr), 14u);  // "T:\Proj\a.txt" + NUL
  EXPECT_EQ(std::string(small, 4), "GGGG");
}

TEST_F(FilesTest, TemporaryPathAndNames) {
  char temp[MAX_PATH];
  const DWORD n = GetTempPath(MAX_PATH, temp);
  ASSERT_GT(n, 3u);
  EXPECT_EQ(temp[n - 1], '\\');
  EXPECT_EQ(GetFileAttributes(temp), DWORD{FILE_ATTRIBUTE_DIRECTORY});

  char name[MAX_PATH];
  const UINT number = GetTempFileName(temp, "abcdef", 0, name);
  ASSERT_NE(number, 0u);
  EXPECT_EQ(std::string(name).substr(0, n + 3), std::string(temp) + "abc");
  EXPECT_EQ(std::string(name).substr(std::strlen(name) - 4), ".TMP");
  EXPECT_EQ(GetFileAttributes(name), DWORD{FILE_ATTRIBUTE_ARCHIVE});  // created, empty
  const UINT second = GetTempFileName(temp, "abc", 0, name);
  EXPECT_NE(second, number);

  EXPECT_EQ(GetTempFileName("T:\\Proj", "x", 0x2A, name), 0x2Au);
  EXPECT_STREQ(name, "T:\\Proj\\x2A.TMP");
  EXPECT_EQ(GetFileAttributes(name), INVALID_FILE_ATTRIBUTES);  // a given number creates nothing
  SetLastError(kPoison);
  EXPECT_EQ(GetTempFileName("T:\\none", "x", 0, name), 0u);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_DIRECTORY});
}

TEST_F(FilesTest, WindowsFolders) {
  char buffer[MAX_PATH];
  EXPECT_EQ(GetWindowsDirectory(buffer, MAX_PATH), 10u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS");
  EXPECT_EQ(GetSystemDirectory(buffer, 5), 20u);  // too small: the size needed
  EXPECT_EQ(GetSystemDirectory(buffer, MAX_PATH), 19u);
  EXPECT_STREQ(buffer, "C:\\WINDOWS\\SYSTEM32");
}

// --- injected failures and reset ---------------------------------------------------------------

TEST_F(FilesTest, InjectedFailuresHitTheirPathAndOperationOnly) {
  ASSERT_TRUE(Write("T:\\Proj\\f.txt", "before"));
  sandbox::InjectFileFailure("t:\\proj\\F.TXT", "open", ERROR_ACCESS_DENIED);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\f.txt"), DWORD{FILE_ATTRIBUTE_ARCHIVE});  // not an "open"
  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\Proj\\f.txt", GENERIC_READ, kShareAll, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_EQ(Read("T:\\Proj\\f.txt"), "before");  // only once

  sandbox::InjectFileFailure("T:\\Proj\\f.txt", "write", ERROR_DISK_FULL);
  HANDLE h = Open("T:\\Proj\\f.txt", GENERIC_WRITE, 0, OPEN_EXISTING);
  DWORD done = kPoison;
  EXPECT_FALSE(WriteFile(h, "after", 5, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_DISK_FULL});
  EXPECT_EQ(done, 0u);
  sandbox::InjectFileFailure("T:\\Proj\\f.txt", "close", ERROR_WRITE_FAULT);
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_WRITE_FAULT});
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);  // closed all the same
  EXPECT_EQ(Read("T:\\Proj\\f.txt"), "before");

  sandbox::InjectFileFailure("T:\\Proj\\f.txt", "*", ERROR_SHARING_VIOLATION, 2);
  EXPECT_FALSE(DeleteFile("T:\\Proj\\f.txt"));
  EXPECT_FALSE(CopyFile("T:\\Proj\\f.txt", "T:\\Proj\\g.txt", FALSE));
  EXPECT_TRUE(CopyFile("T:\\Proj\\f.txt", "T:\\Proj\\g.txt", FALSE));

  sandbox::InjectFileFailure("T:\\Proj\\new", "mkdir", ERROR_ACCESS_DENIED);
  sandbox::ClearFileFailures();
  EXPECT_TRUE(CreateDirectory("T:\\Proj\\new", nullptr));
  EXPECT_THROW(sandbox::InjectFileFailure("T:\\x", "unlink", 5), std::invalid_argument);
}

// An existing file named as it lies on disk is opened straight away; it must still meet the
// sandbox as any other: an action due before its open runs before the file opens, and the handle
// keeps its path for the record and for failures injected later.
TEST_F(FilesTest, AFileOpenedAsWrittenMeetsTheSandboxAsAnyOther) {
  ASSERT_TRUE(Write("T:\\Proj\\f.txt", "f"));
  sandbox::BeforeNthFileCall("open", 1, [] { EXPECT_TRUE(DeleteFile("T:\\Proj\\f.txt")); });
  SetLastError(kPoison);
  EXPECT_EQ(Open("T:\\Proj\\f.txt", GENERIC_READ, kShareAll, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});

  ASSERT_TRUE(Write("T:\\Proj\\f.txt", "f"));
  sandbox::RecordFileCalls(true);
  HANDLE h = Open("T:\\Proj\\f.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  sandbox::InjectFileFailure("t:\\proj\\F.TXT", "read", ERROR_READ_FAULT);
  char byte = 0;
  DWORD done = kPoison;
  EXPECT_FALSE(ReadFile(h, &byte, 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD{ERROR_READ_FAULT});
  EXPECT_TRUE(CloseHandle(h));
  const std::vector<sandbox::FileCall> expected = {
      {"open", "T:\\Proj\\f.txt", ""}, {"read", "T:\\Proj\\f.txt", ""}, {"close", "T:\\Proj\\f.txt", ""}};
  EXPECT_EQ(sandbox::RecordedFileCalls(), expected);
}

// The record names each call that a failure can be injected into once, as the caller spelled its
// path, in call order; a move is one call naming both paths.
TEST_F(FilesTest, TheRecordListsEveryCallThatCanFailInOrder) {
  ASSERT_TRUE(CreateDirectory("T:\\Proj\\Sub", nullptr));
  sandbox::RecordFileCalls(true);
  ASSERT_TRUE(Write("T:\\Proj\\f.txt", "x"));
  ASSERT_TRUE(MoveFileEx("T:\\Proj\\f.txt", "t:\\proj\\g.txt", MOVEFILE_REPLACE_EXISTING));
  ASSERT_TRUE(SetFileAttributes("T:\\Proj\\g.txt", FILE_ATTRIBUTE_HIDDEN));
  WIN32_FIND_DATA found;
  const HANDLE search = FindFirstFile("T:\\Proj\\*.txt", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(GetFileAttributes("T:\\Proj\\g.txt"), DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});  // no call
  sandbox::RecordFileCalls(false);
  ASSERT_TRUE(DeleteFile("T:\\Proj\\g.txt"));  // after the record
  const std::vector<sandbox::FileCall> expected = {
      {"open", "T:\\Proj\\f.txt", ""},
      {"write", "T:\\Proj\\f.txt", ""},
      {"close", "T:\\Proj\\f.txt", ""},
      {"move", "T:\\Proj\\f.txt", "T:\\proj\\g.txt"},  // the drive letter as the platform gives it
      {"attributes", "T:\\Proj\\g.txt", ""},
      {"find", "T:\\Proj\\*.txt", ""},
  };
  EXPECT_EQ(sandbox::RecordedFileCalls(), expected);
  sandbox::RecordFileCalls(true);
  EXPECT_TRUE(sandbox::RecordedFileCalls().empty());
}

// The n-th call of a kind, whatever its path, fails and changes nothing; an action runs just
// before its call, which then goes on, and what the action does with files is not counted.
TEST_F(FilesTest, TheNthCallOfAKindFailsOrHasAnActionRunBeforeIt) {
  ASSERT_TRUE(Write("T:\\Proj\\a.txt", "a"));
  sandbox::RecordFileCalls(true);
  sandbox::FailNthFileCall("write", 2, ERROR_DISK_FULL);
  std::string seen;
  sandbox::BeforeNthFileCall("move", 1, [&] {
    seen = Read("T:\\Proj\\a.txt").value_or("(none)");  // the stand-in itself, unrecorded and uncounted
    EXPECT_TRUE(CopyFile("T:\\Proj\\a.txt", "T:\\Proj\\kept.txt", FALSE));
  });
  sandbox::FailNthFileCall("*", 8, ERROR_ACCESS_DENIED);
  EXPECT_TRUE(Write("T:\\Proj\\b.txt", "b"));   // calls 1-3: open, write 1, close
  SetLastError(kPoison);
  EXPECT_FALSE(Write("T:\\Proj\\c.txt", "c"));  // 4-6: write 2 fails
  EXPECT_EQ(GetLastError(), DWORD{ERROR_DISK_FULL});
  EXPECT_EQ(std::filesystem::file_size(host + "/Proj/c.txt"), 0u);
  EXPECT_TRUE(MoveFileEx("T:\\Proj\\b.txt", "T:\\Proj\\a.txt", MOVEFILE_REPLACE_EXISTING));  // 7
  EXPECT_EQ(seen, "a");
  EXPECT_EQ(Read("T:\\Proj\\kept.txt"), std::nullopt);  // 8: any call
  EXPECT_EQ(GetLastError(), DWORD{ERROR_ACCESS_DENIED});
  EXPECT_EQ(Read("T:\\Proj\\kept.txt"), "a");  // 9-12: open, two reads, close
  EXPECT_EQ(sandbox::RecordedFileCalls().size(), 12u);
  EXPECT_THROW(sandbox::FailNthFileCall("write", 0, ERROR_DISK_FULL), std::invalid_argument);
  EXPECT_THROW(sandbox::BeforeNthFileCall("unlink", 1, [] {}), std::invalid_argument);
}

TEST_F(FilesTest, ResetClosesHandlesAndRemovesTemporaryDrives) {
  ASSERT_TRUE(Write("T:\\Proj\\f.txt", "x"));
  HANDLE h = Open("T:\\Proj\\f.txt", GENERIC_READ, kShareAll, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetCurrentDirectory("T:\\Proj"));
  sandbox::Reset();
  EXPECT_EQ(sandbox::OpenFileHandles(), 0u);
  EXPECT_FALSE(std::filesystem::exists(host));
  SetLastError(kPoison);
  EXPECT_EQ(GetFileAttributes("T:\\"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
  char buffer[MAX_PATH];
  GetCurrentDirectory(MAX_PATH, buffer);
  EXPECT_EQ(std::string(buffer), sandbox::WindowsPath(std::filesystem::current_path().string()));
  EXPECT_THROW(sandbox::MapDrive('T', host), std::invalid_argument);  // the folder is gone
}

}  // namespace
