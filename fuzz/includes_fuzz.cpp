// The includes header: read into its lists, written, the lists edited, under code pages 1252 and
// 932.
#include "dsp/DspExceptions.h"
#include "editor_round_trip.h"
#include "editors/IncludesFileEditor.h"

namespace {

// A failed open and a NUL are the only refusals: any other text is a list of names.
bool RefusedByReader(CException* e) { return fuzz::IsOneOf<CFileException, TQ::CNulCharacterException>(e); }
// A name the header cannot hold (one that would read back as another) is refused by the writer.
bool RefusedByWriter(CException* e) { return fuzz::IsOneOf<TQ::CAppWizException>(e); }

void Edit(CIncludesFileEditor& editor) {
  editor.AddHeader("TqFuzz.h");
  editor.AddNamespace("TqFuzz");
  editor.RemoveHeader("TqCore.h");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RoundTripInEachCodePage<CIncludesFileEditor>(data, size, "TqIncludes.h", RefusedByReader, RefusedByWriter, Edit,
                                           "includes header");
  return 0;
}
