// The open documents (documents.h).
#include "documents.h"

#include <windows.h>

#include "application.h"
#include "com_values.h"
#include "document.h"
#include "ide.h"
#include "ide_app.h"

namespace msdev {

STDMETHODIMP DocumentsObject::get_Application(IDispatch** Application) {
  return Call("IDocuments::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP DocumentsObject::get_Count(LONG* Count) {
  return Call("IDocuments::get_Count", "",
              [&] { return ReturnLong(static_cast<long>(Ide::Instance().Documents().size()), Count); }, Count);
}

STDMETHODIMP DocumentsObject::get_Parent(IDispatch** Parent) {
  return Call("IDocuments::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

STDMETHODIMP DocumentsObject::Item(VARIANT Index, IDispatch** Document) {
  return Call(
      "IDocuments::Item", LogText(Index),
      [&]() -> HRESULT {
        if (!Document) return E_POINTER;
        const std::vector<DocumentRef> documents = Ide::Instance().Documents();
        std::vector<std::string> paths;
        for (const DocumentRef& d : documents) paths.push_back(d->fullPath);
        size_t position = 0;
        HRESULT hr = ItemPosition(Index, paths, position);
        if (hr == E_INVALIDARG && Index.vt == VT_BSTR) {  // a bare file name names a document too
          std::vector<std::string> names;
          for (const std::string& path : paths) names.push_back(path.substr(path.find_last_of('\\') + 1));
          hr = ItemPosition(Index, names, position);
        }
        if (FAILED(hr)) return hr;
        *Document = new DocumentObject(Session(), documents[position]);
        return S_OK;
      },
      Document);
}

// Saving never prompts here: every changed document is saved.
STDMETHODIMP DocumentsObject::SaveAll(VARIANT vBoolPrompt, DsSaveStatus* pSaved) {
  return Call(
      "IDocuments::SaveAll", LogText(vBoolPrompt),
      [&]() -> HRESULT {
        bool prompt = false;
        if (const HRESULT hr = OptionalBool(vBoolPrompt, false, prompt); FAILED(hr)) return hr;
        Ide::Instance().SaveAll();
        if (pSaved) *pSaved = dsSaveSucceeded;
        return S_OK;
      },
      pSaved);
}

STDMETHODIMP DocumentsObject::CloseAll(VARIANT vSaveChanges, DsSaveStatus* pSaved) {
  return Call(
      "IDocuments::CloseAll", LogText(vSaveChanges),
      [&]() -> HRESULT {
        long saveChanges = dsSaveChangesPrompt;
        if (const HRESULT hr = OptionalLong(vSaveChanges, dsSaveChangesPrompt, saveChanges); FAILED(hr)) return hr;
        if (saveChanges < dsSaveChangesYes || saveChanges > dsSaveChangesPrompt) return E_INVALIDARG;
        DsSaveStatus result = dsSaveSucceeded;
        for (const DocumentRef& document : Ide::Instance().Documents()) {
          DsSaveStatus status = dsSaveSucceeded;
          DocumentObject::CloseDocument(document, static_cast<DsSaveChanges>(saveChanges), status);
          if (status == dsSaveCanceled) result = dsSaveCanceled;
        }
        if (pSaved) *pSaved = result;
        return S_OK;
      },
      pSaved);
}

// Only text documents are modelled: the document type must be left out or "Auto" / "Text".
STDMETHODIMP DocumentsObject::Open(BSTR filename, VARIANT docType, VARIANT readOnly, IDispatch** Document) {
  return Call(
      "IDocuments::Open", LogArgs(filename, docType, readOnly),
      [&]() -> HRESULT {
        if (!Document) return E_POINTER;
        if (!IsMissing(docType)) {
          if (docType.vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
          const std::string type = Ansi(docType.bstrVal);
          if (lstrcmpi(type.c_str(), "Auto") != 0 && lstrcmpi(type.c_str(), "Text") != 0) return E_INVALIDARG;
        }
        bool asReadOnly = false;
        if (const HRESULT hr = OptionalBool(readOnly, false, asReadOnly); FAILED(hr)) return hr;
        const std::string path = Ansi(filename);
        if (path.empty()) return E_INVALIDARG;
        CIdeApp* app = Ide::Instance().App();
        if (app == nullptr) return RPC_E_DISCONNECTED;
        DocumentRef document;
        if (const HRESULT hr = app->OpenTextDocument(path, asReadOnly, document); FAILED(hr)) return hr;
        *Document = new DocumentObject(Session(), document);
        return S_OK;
      },
      Document);
}

}  // namespace msdev
