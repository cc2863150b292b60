// FuzzWizard.awx: the custom AppWizard of the template harness. Its templates are the pieces of
// one file, F:\Input.awt, read when the wizard starts (TemplatePieces.h). It has no steps of its own and
// adds a few macros of its own to the dictionary: one with a line break, one whose value is a
// macro reference and an empty one.
#include <afxwin.h>
#include <customaw.h>

#include "TemplatePieces.h"

#include <string>
#include <utility>
#include <vector>

namespace {

std::string ReadInput() {
  const HANDLE file = ::CreateFile("F:\\Input.awt", GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
  std::string bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

class CFuzzWizard : public CCustomAppWiz {
 public:
  void InitCustomAppWiz() override {
    SetNumberOfSteps(0);
    m_Dictionary.SetAt("FUZZ", "yes");
    m_Dictionary.SetAt("TWO_LINES", "first\nsecond");
    m_Dictionary.SetAt("MACRO", "$$root$$");
    m_Dictionary.SetAt("EMPTY", "");
    m_templates = fuzz_appwizard::TemplatePieces(ReadInput());
  }
  LPCTSTR LoadTemplate(LPCTSTR lpszTemplateName, DWORD& rdwSize, HINSTANCE) override {
    for (const auto& [name, text] : m_templates) {
      if (lstrcmpi(name.c_str(), lpszTemplateName) != 0) continue;
      rdwSize = static_cast<DWORD>(text.size());
      return text.c_str();
    }
    return NULL;
  }

 private:
  std::vector<std::pair<std::string, std::string>> m_templates;
};

CFuzzWizard theWizard;

}  // namespace

// The module has no resources of its own to offer the resource chain: it only registers its object.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) RegisterCustomAppWiz(&theWizard);
  return TRUE;
}
