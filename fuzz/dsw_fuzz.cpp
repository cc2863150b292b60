// The workspace file (.dsw): read, written, its control GUIDs edited, under code pages 1252 and 932.
#include "dsp/DspExceptions.h"
#include "editor_round_trip.h"
#include "editors/DswEditor.h"

namespace {

bool RefusedByReader(CException* e) { return fuzz::IsOneOf<CFileException, TQ::CAppWizException>(e); }
// The workspace writer writes back every line it read: it refuses nothing.
bool RefusedByWriter(CException*) { return false; }

void Edit(CDswEditor& editor) {
  editor.AddControlGuid("{F0F0F0F0-0000-0000-0000-000000000000}");
  editor.RemoveControlGuid("{00000000-0000-0000-0000-000000000000}");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RoundTripInEachCodePage<CDswEditor>(data, size, "Input.dsw", RefusedByReader, RefusedByWriter, Edit,
                                           "workspace file");
  return 0;
}
