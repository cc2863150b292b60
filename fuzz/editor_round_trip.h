// The check the writers' harnesses share: an input that its reader refuses stays as it was; one
// it accepts is written (the reader's normal form), and that text reads back and writes back the
// same; edited as the customizer edits it, the edited text reads back and writes back the same.
#pragma once

#include <functional>
#include <string>

#include "harness.h"
#include "sandbox/sandbox.h"

namespace fuzz {

template <typename Editor>
std::string Saved(Editor& editor, const std::string& path) {
  MustSucceed([&] { editor.Save(); }, "an accepted file could not be written");
  return DiskBytes(path);
}

// Reads the text just written and writes it again: the two writes must be identical.
template <typename Editor>
void CheckWritesBack(const std::string& path, const std::string& written, const char* what) {
  Editor again;
  MustSucceed([&] { again.Open(path.c_str()); }, std::string("a written ") + what + " does not read back");
  Check(Saved(again, path) == written, std::string("a written ") + what + " does not write back the same");
}

template <typename Editor>
void RoundTrip(const std::string& path, const std::function<bool(CException*)>& documented,
               const std::function<void(Editor&)>& edit, const char* what) {
  const std::string input = DiskBytes(path);
  {
    Editor editor;
    if (!Accepted([&] { editor.Open(path.c_str()); }, documented)) {
      Check(DiskBytes(path) == input, std::string("a refused ") + what + " was changed");
      CheckNoHandles();
      return;
    }
    CheckWritesBack<Editor>(path, Saved(editor, path), what);
  }
  {
    Editor editor;
    MustSucceed([&] { editor.Open(path.c_str()); }, std::string("a written ") + what + " does not read back");
    MustSucceed([&] { edit(editor); }, std::string("an accepted ") + what + " could not be edited");
    CheckWritesBack<Editor>(path, Saved(editor, path), what);
  }
  CheckNoHandles();
}

}  // namespace fuzz
