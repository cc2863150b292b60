// The includes header: read into its lists, written, the lists edited, under code pages 1252 and
// 932.
#include "dsp/DspExceptions.h"
#include "editor_round_trip.h"
#include "editors/IncludesFileEditor.h"

namespace {

// A failed open and a NUL are the only refusals: any other text is a list of names.
bool Documented(CException* e) { return fuzz::IsOneOf<CFileException, TQ::CNulCharacterException>(e); }

void Edit(CIncludesFileEditor& editor) {
  editor.AddHeader("TqFuzz.h");
  editor.AddNamespace("TqFuzz");
  editor.RemoveHeader("TqCore.h");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Initialise();
  for (unsigned codePage : {1252u, 932u}) {
    sandbox::SetCodePage(codePage);
    const std::string path = fuzz::PutInput("TqIncludes.h", data, size);
    fuzz::RoundTrip<CIncludesFileEditor>(path, Documented, Edit, "includes header");
  }
  return 0;
}
