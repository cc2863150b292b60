// What every harness shares. The bytes of one input arrive as a file on the sandbox drive F:, which
// is the only drive besides C:, a copy of the sample tree (so no input can name a host file of
// ours), and the code under test reads it through kernel32 as it reads any file. A harness checks
// more than survival: a refused input gets its reader's documented error and leaves the file as it
// was, an accepted one with a writer is written, read and written again with the two writes
// identical, and no file handle stays open. Anything else is a finding: it is printed and the
// process aborts, so that the fuzzer keeps the input.
#pragma once

#include <afx.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fuzz {

// Once per process (later calls do nothing): a fresh sandbox, F: over an empty host folder (in
// memory where the host has /dev/shm) as the only drive and the current directory, strict mode, and every failure a stand-in reports a
// finding.
void Initialise();

// Empties F: and puts the input there under `name`; its Windows path.
std::string PutInput(const std::string& name, const uint8_t* data, size_t size);

// The fixed world of the readers that find other files beside their input (the files a project
// lists, the code beside a panel file, the .uir files a settings file names): the sample tree of
// the sources, copied once to drive C: (a host temporary folder, in memory like F:), with what
// `extra` adds to its host folder on that first call. Its host folder.
std::string SampleDrive(const std::function<void(const std::string& host)>& extra = {});
// Puts the input at `windowsPath` on C: (replacing what is there); its Windows path. The harness
// removes it again with RemoveSampleInput, so the next input finds the sample as it was.
std::string PutSampleInput(const std::string& windowsPath, const uint8_t* data, size_t size);
void RemoveSampleInput(const std::string& windowsPath);
// A reader must leave C: as it found it: every file with its size and write time as when the
// drive was made.
void CheckSampleUnchanged();

// For a reader that opens the paths its input names: such a path reaches kernel32 as written, and
// device names ("NUL", "CON", ...) and "\\.\" paths are forms the file stand-in does not model;
// it says so and fails the call, which is the outcome a reader meets for a file that does not
// open. Turns strict mode off; CheckUnmodelledPathsOnly then makes any other unmodelled call a
// finding (and forgets those it accepted).
void AllowUnmodelledPaths();
void CheckUnmodelledPathsOnly();
// The bytes of a file, read on the host (never through the code under test); "" when absent.
std::string DiskBytes(const std::string& windowsPath);

[[noreturn]] void Finding(const std::string& what);
inline void Check(bool ok, const std::string& what) {
  if (!ok) Finding(what);
}
// No file or find handle is left open.
void CheckNoHandles();

// Runs `body`. True when it returned; false when it threw a CException that `documented` accepts
// as the documented refusal (the exception is deleted); any other exception is a finding.
bool Accepted(const std::function<void()>& body, const std::function<bool(CException*)>& documented);
// Runs `body`, which must not throw: any exception is a finding named `what`.
void MustSucceed(const std::function<void()>& body, const std::string& what);

// Whether an exception is one of the types E.
template <typename... E>
bool IsOneOf(CException* e) {
  return (... || (dynamic_cast<E*>(e) != nullptr));
}

// The message of a CException, for findings.
std::string MessageOf(CException* e);

}  // namespace fuzz
