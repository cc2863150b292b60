// The IDE's open documents (ide.h): opened from existing files, saved and closed with their events;
// saving everything.
#include <windows.h>

#include <algorithm>

#include "document.h"
#include "ide.h"
#include "file_io.h"
#include "prompts.h"

namespace msdev {

HRESULT Ide::OpenDocument(const std::string& path, bool readOnly, DocumentRef& document) {
  const std::string full = FullWindowsPath(path);
  const DWORD attributes = full.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(full.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return HRESULT_FROM_WIN32(full.empty() ? ERROR_INVALID_NAME : GetLastError());
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    for (const DocumentRef& open : documents_) {
      if (lstrcmpi(open->fullPath.c_str(), full.c_str()) == 0) {  // already open: the IDE shows it again
        document = open;
        return S_OK;
      }
    }
    document = std::make_shared<DocumentModel>();
    document->fullPath = full;
    document->readOnly = readOnly || (attributes & FILE_ATTRIBUTE_READONLY);
    documents_.push_back(document);
  }
  FireDocumentEvent(&IApplicationEvents::DocumentOpen, document);
  return S_OK;
}

std::vector<DocumentRef> Ide::Documents() {
  std::lock_guard<std::recursive_mutex> g(lock_);
  return documents_;
}

void Ide::CloseDocument(const DocumentRef& document) {
  FireDocumentEvent(&IApplicationEvents::BeforeDocumentClose, document);
  std::lock_guard<std::recursive_mutex> g(lock_);
  document->open = false;
  documents_.erase(std::remove(documents_.begin(), documents_.end(), document), documents_.end());
}

void Ide::SaveDocument(const DocumentRef& document) {
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    document->saved = true;
  }
  FireDocumentEvent(&IApplicationEvents::DocumentSave, document);
}

std::vector<std::string> Ide::SaveAll() {
  std::vector<DocumentRef> changed;
  {
    std::lock_guard<std::recursive_mutex> g(lock_);
    for (const DocumentRef& document : documents_)
      if (!document->saved) changed.push_back(document);
  }
  for (const DocumentRef& document : changed) SaveDocument(document);
  std::vector<std::string> failures;
  for (const ProjectRef& project : ModifiedProjects()) {
    unsigned long code = 0;
    if (!SaveProject(project, &code)) failures.push_back(CannotSaveProjectText(project->fullPath, code));
  }
  return failures;
}

bool Ide::MarkDocumentModified(const std::string& fullPath) {
  std::lock_guard<std::recursive_mutex> g(lock_);
  for (const DocumentRef& document : documents_) {
    if (lstrcmpi(document->fullPath.c_str(), fullPath.c_str()) == 0) {
      document->saved = false;
      return true;
    }
  }
  return false;
}

void Ide::FireDocumentEvent(HRESULT (IApplicationEvents::*event)(IDispatch*), const DocumentRef& document) {
  IDispatch* object = new DocumentObject(Session(), document);
  FireApplicationEvent([&](IApplicationEvents* sink) { return (sink->*event)(object); });
  object->Release();
}

}  // namespace msdev
