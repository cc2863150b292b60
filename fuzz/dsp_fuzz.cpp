// The project file (.dsp): read, written, edited as the customizer edits a project, under code
// pages 1252 and 932.
#include "dsp/DspExceptions.h"
#include "editor_round_trip.h"
#include "editors/DspEditor.h"

namespace {

// The reader's refusals: the file layer's (a failed open, the end of the file inside a block) and
// the project-file exceptions (a malformed or unparsable file, a NUL).
bool RefusedByReader(CException* e) { return fuzz::IsOneOf<CFileException, TQ::CAppWizException>(e); }
// The writer's: a setting line that cannot be written so that it reads back the same.
bool RefusedByWriter(CException* e) { return fuzz::IsOneOf<TQ::CAppWizException>(e); }

void Edit(CDspEditor& editor) {
  for (int i = 0; i < editor.GetConfigurationCount(); ++i) {
    CDspConfigurationEditor& configuration = editor.GetConfigurationEditor(i);
    configuration.AddLinkerSetting("TqFuzz.lib");
    configuration.RemoveLinkerSetting("kernel32.lib");
    configuration.GetCompilerEditor().AddSetting("/D \"TQ_FUZZ\"");
    configuration.GetCompilerEditor().RemoveSetting("/GX");
  }
  CDspFolderEditor& product = editor.GetTopLevelFileGroupEditor().AddFolder("Sablewing", "", -1, false);
  CDspFolderEditor& folder = product.AddFolder("Include", "*.h", -1, false);
  folder.AddFile("\"TqFuzz.cpp\"", -1, false).GetAddCompilerEntryEditor().AddSetting("/Yu\"stdafx.h\"");
  editor.GetSectionEditor("F0F0F0F0-0000-0000-0000-000000000000").SetEntry(0, "CFuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::RoundTripInEachCodePage<CDspEditor>(data, size, "Input.dsp", RefusedByReader, RefusedByWriter, Edit,
                                           "project file");
  return 0;
}
