// The Windows path rules as a pure function of the path, the current directory and the drive
// map: no disk access, no process state, so every rule can be checked by a table.
//
// A path is parsed into a root (a drive letter or a UNC share) and its components, with "." and
// ".." resolved lexically. The host side (looking each component up on disk, converting the code
// page) is the caller's job: see file_mapping.h.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kernel32::winpath {

// Win32 error codes the rules produce (kept here as numbers so the header stays pure).
inline constexpr uint32_t kOk = 0;
inline constexpr uint32_t kPathNotFound = 3;        // ERROR_PATH_NOT_FOUND
inline constexpr uint32_t kBadNetPath = 53;         // ERROR_BAD_NETPATH
inline constexpr uint32_t kNotImplemented = 120;    // ERROR_CALL_NOT_IMPLEMENTED
inline constexpr uint32_t kInvalidName = 123;       // ERROR_INVALID_NAME
inline constexpr uint32_t kBadPathname = 161;       // ERROR_BAD_PATHNAME
inline constexpr uint32_t kFilenameTooLong = 206;   // ERROR_FILENAME_EXCED_RANGE

// An absolute Windows path: "C:\a\b" or "\\server\share\a\b". Components are bytes in the
// process's ANSI code page, spelled as the caller wrote them.
struct WinPath {
  char drive = 0;             // 'A'..'Z' (always upper case), or 0 for a UNC path
  std::string server, share;  // for a UNC path
  std::vector<std::string> components;
  bool trailingSeparator = false;  // the text ended with '\' or '/' (GetFullPathName keeps it)

  bool IsUnc() const { return drive == 0; }
  // "C:" or "\\server\share".
  std::string Root() const;
  // "C:\", "C:\a\b", "\\server\share\a" (the trailing separator only for a root).
  std::string ToString() const;
  // The length of ToString(), without making it.
  size_t TextLength() const;
  // The same path with its last component removed (a root stays a root).
  WinPath Parent() const;
  // The same path with `name` appended.
  WinPath Child(const std::string& name) const;
  bool operator==(const WinPath&) const = default;
};

// Whether a byte starts a double-byte character in the process's code page; a trail byte such as
// 0x5C ('\') is then part of the character, never a separator. Lead bytes are never ASCII (in
// every double-byte code page they lie from 0x81 up), so it is asked only about other bytes.
using LeadBytePredicate = std::function<bool(unsigned char)>;

struct ParseOptions {
  // File operations refuse the characters Windows forbids in names (<>"|?* and control
  // characters); GetFullPathName works on the text alone and lets them through.
  bool validateNames = true;
};

struct ParseResult {
  uint32_t error = kOk;  // kOk, or the Win32 error the call fails with
  WinPath path;
  std::string reason;    // for kNotImplemented: which form is not modelled
};

// Parses `text` (either separator) against `current`, the process's current directory:
//   "X:\abs"            absolute on drive X
//   "X:rel", "X:"       drive-relative: against `current` when it is on X, else against X:'s root
//                       (the per-drive current directories of the command shell are not modelled)
//   "\rooted"           from the root of the current drive (or the current UNC share)
//   "rel"               against `current`
//   "\\server\share\p"  UNC
// "." and ".." resolve lexically; ".." never climbs above the root. Trailing dots and blanks of
// a component are dropped, as Windows drops them. Errors: empty text -> kPathNotFound; a ':'
// outside the drive, or a forbidden character -> kInvalidName; "\\server" without a share ->
// kBadPathname; "\\?\" and "\\.\" names and device names (CON, NUL, COM1, ...) ->
// kNotImplemented.
ParseResult Parse(std::string_view text, const WinPath& current, const LeadBytePredicate& isLead,
                  const ParseOptions& options = {});

// Splits `text` at its last separator (not a trail byte): "C:\dir\*.txt" -> ("C:\dir\", "*.txt"),
// "C:*.txt" -> ("C:", "*.txt"), "*.txt" -> ("", "*.txt").
std::pair<std::string, std::string> SplitLast(std::string_view text, const LeadBytePredicate& isLead);

// Where drive letters and UNC shares live on the host.
struct DriveMap {
  std::map<char, std::string> drives;        // 'Z' -> "/"; host folders, absolute, no trailing '/'
  std::map<std::string, std::string> shares; // "\\SERVER\SHARE" (upper case ASCII) -> host folder
};
// The key under which a share is kept in DriveMap::shares.
std::string ShareKey(std::string_view server, std::string_view share);

// The host folder of a path's root, or the error: an unmapped drive -> kPathNotFound, an
// unmapped share -> kBadNetPath. A path whose Windows form is MAX_PATH (260) characters or
// longer -> kFilenameTooLong. The folder is the map's own text, valid while the map stands.
struct RootResult {
  uint32_t error = kOk;
  std::string_view hostFolder;
};
RootResult MapRoot(const WinPath& path, const DriveMap& map);

// Host path (absolute, '/'-separated, no "." or "..") back to Windows form: the mapped drive or
// share with the longest host prefix wins, else Z:. Returns the root and the host components
// below it (still host bytes: the caller converts them to the code page).
struct HostToWindowsResult {
  WinPath root;                          // drive or share only, no components
  std::vector<std::string> hostComponents;
};
std::optional<HostToWindowsResult> HostToWindows(std::string_view hostPath, const DriveMap& map);

// True for a name Windows accepts as a file name component (no forbidden characters, not empty,
// not "." or ".."), checked character by character in the code page.
bool IsValidComponent(std::string_view name, const LeadBytePredicate& isLead);

}  // namespace kernel32::winpath
