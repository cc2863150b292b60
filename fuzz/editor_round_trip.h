// The check the writers' harnesses share: an input that its reader refuses stays as it was; one it
// accepts is written (the reader's normal form), and that text reads back and writes back the same;
// edited as the customizer edits it, the edited text reads back and writes back the same. A text the
// writer refuses to write (a name or a line the format cannot hold) leaves the file as it was and
// nothing beside it.
#pragma once

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"

namespace fuzz {

using Documented = std::function<bool(CException*)>;

// The first line where two texts differ, shown in both, for a finding.
inline std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const size_t start = a.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t from = start == std::string::npos ? 0 : start + 1;
  auto line = [from](const std::string& text) {
    const size_t end = text.find('\n', from);
    return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
  };
  return "\n  first:  " + line(a) + "\n  second: " + line(b);
}

// With FUZZ_DUMP_DIR set, the two texts of a finding are written there as "first" and "second".
inline void DumpTexts(const std::string& first, const std::string& second) {
  const char* dir = std::getenv("FUZZ_DUMP_DIR");
  if (dir == nullptr) return;
  std::ofstream(std::string(dir) + "/first", std::ios::binary) << first;
  std::ofstream(std::string(dir) + "/second", std::ios::binary) << second;
}

// Saves; the text written, or false when the writer refused it (the file then as it was).
template <typename Editor>
bool Saved(Editor& editor, const std::string& path, const Documented& refusedByWriter, std::string& written) {
  const std::string before = DiskBytes(path);
  if (!Accepted([&] { editor.Save(); }, refusedByWriter)) {
    Check(DiskBytes(path) == before, "a file the writer refused was changed");
    Check(DiskBytes(path + ".~new").empty(), "a refused text was left beside the file");
    return false;
  }
  written = DiskBytes(path);
  return true;
}

// Reads the text just written and writes it again: the two writes must be identical.
template <typename Editor>
void CheckWritesBack(const std::string& path, const std::string& written, const char* what) {
  Editor again;
  MustSucceed([&] { again.Open(path.c_str()); }, std::string("a written ") + what + " does not read back");
  std::string second;
  MustSucceed([&] { again.Save(); }, std::string("a written ") + what + " cannot be written again");
  second = DiskBytes(path);
  if (second != written) DumpTexts(written, second);
  Check(second == written,
        std::string("a written ") + what + " does not write back the same:" + FirstDifference(written, second));
}

template <typename Editor>
void RoundTrip(const std::string& path, const Documented& refusedByReader, const Documented& refusedByWriter,
               const std::function<void(Editor&)>& edit, const char* what) {
  const std::string input = DiskBytes(path);
  std::string written;
  {
    Editor editor;
    if (!Accepted([&] { editor.Open(path.c_str()); }, refusedByReader)) {
      Check(DiskBytes(path) == input, std::string("a refused ") + what + " was changed");
      CheckNoHandles();
      return;
    }
    if (!Saved(editor, path, refusedByWriter, written)) {
      CheckNoHandles();
      return;
    }
    CheckWritesBack<Editor>(path, written, what);
  }
  {
    Editor editor;
    MustSucceed([&] { editor.Open(path.c_str()); }, std::string("a written ") + what + " does not read back");
    MustSucceed([&] { edit(editor); }, std::string("an accepted ") + what + " could not be edited");
    if (Saved(editor, path, refusedByWriter, written)) CheckWritesBack<Editor>(path, written, what);
  }
  CheckNoHandles();
}

// The whole harness of an editor: the input as `fileName` on F:, round-tripped under code page 1252
// and again under 932, where lead and trail bytes change what a line holds.
template <typename Editor>
void RoundTripInEachCodePage(const uint8_t* data, size_t size, const char* fileName,
                             const Documented& refusedByReader, const Documented& refusedByWriter,
                             const std::function<void(Editor&)>& edit, const char* what) {
  Initialise();
  for (unsigned codePage : {1252u, 932u}) {
    sandbox::SetCodePage(codePage);
    RoundTrip<Editor>(PutInput(fileName, data, size), refusedByReader, refusedByWriter, edit, what);
  }
}

}  // namespace fuzz
