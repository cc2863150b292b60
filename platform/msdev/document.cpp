// One open document (document.h).
#include "document.h"

#include <windows.h>

#include "application.h"
#include "com_values.h"
#include "ide_app.h"
#include "text_doc.h"

namespace msdev {
namespace {

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

}  // namespace

HRESULT DocumentObject::Connected() {
  const HRESULT hr = AutomationObject::Connected();
  return FAILED(hr) || document_->open ? hr : RPC_E_DISCONNECTED;
}

// The document's MFC object asks and closes, as when the user closes its window.
HRESULT DocumentObject::CloseDocument(const DocumentRef& document, DsSaveChanges saveChanges, DsSaveStatus& status) {
  status = dsSaveSucceeded;
  CIdeApp* app = Ide::Instance().App();
  CTextDoc* doc = app != nullptr ? app->FindTextDocument(document) : nullptr;
  if (doc == nullptr) return RPC_E_DISCONNECTED;
  if (saveChanges == dsSaveChangesPrompt) {
    if (!doc->SaveModified()) {
      status = dsSaveCanceled;
      return S_OK;
    }
  } else if (saveChanges == dsSaveChangesYes && doc->IsModified()) {
    doc->OnSaveDocument(doc->GetPathName());
  }
  doc->OnCloseDocument();
  return S_OK;
}

STDMETHODIMP DocumentObject::get_Name(BSTR* Name) {
  return Call("IGenericDocument::get_Name", "", [&] { return ReturnText(FileName(document_->fullPath), Name); }, Name);
}

STDMETHODIMP DocumentObject::get_FullName(BSTR* Name) {
  return Call("IGenericDocument::get_FullName", "", [&] { return ReturnText(document_->fullPath, Name); }, Name);
}

STDMETHODIMP DocumentObject::get_Application(IDispatch** Application) {
  return Call("IGenericDocument::get_Application", "", [&] { return ReturnApplication(Application); }, Application);
}

STDMETHODIMP DocumentObject::get_Parent(IDispatch** Parent) {
  return Call("IGenericDocument::get_Parent", "", [&] { return ReturnApplication(Parent); }, Parent);
}

STDMETHODIMP DocumentObject::get_Path(BSTR* Path) {
  return Call("IGenericDocument::get_Path", "", [&] { return ReturnText(Folder(document_->fullPath), Path); }, Path);
}

STDMETHODIMP DocumentObject::get_Saved(VARIANT_BOOL* Saved) {
  return Call("IGenericDocument::get_Saved", "", [&] { return ReturnBool(document_->saved, Saved); }, Saved);
}

STDMETHODIMP DocumentObject::get_ReadOnly(VARIANT_BOOL* ReadOnly) {
  return Call("IGenericDocument::get_ReadOnly", "", [&] { return ReturnBool(document_->readOnly, ReadOnly); },
              ReadOnly);
}

STDMETHODIMP DocumentObject::put_ReadOnly(VARIANT_BOOL ReadOnly) {
  return Call("IGenericDocument::put_ReadOnly", LogBool(ReadOnly), [&] {
    document_->readOnly = ReadOnly != VARIANT_FALSE;
    return S_OK;
  });
}

STDMETHODIMP DocumentObject::get_Type(BSTR* Type) {
  return Call("IGenericDocument::get_Type", "", [&] { return ReturnText("Text", Type); }, Type);
}

// Saving under another name is not modelled; a read-only document cannot be saved.
STDMETHODIMP DocumentObject::Save(VARIANT vFilename, VARIANT vBoolPrompt, DsSaveStatus* pSaved) {
  if (!IsMissing(vFilename)) return NotModelled("IGenericDocument::Save", pSaved);
  return Call(
      "IGenericDocument::Save", LogArgs(vFilename, vBoolPrompt),
      [&]() -> HRESULT {
        bool prompt = false;
        if (const HRESULT hr = OptionalBool(vBoolPrompt, false, prompt); FAILED(hr)) return hr;
        if (document_->readOnly) return E_ACCESSDENIED;
        Ide::Instance().SaveDocument(document_);
        if (pSaved) *pSaved = dsSaveSucceeded;
        return S_OK;
      },
      pSaved);
}

STDMETHODIMP DocumentObject::Close(VARIANT vSaveChanges, DsSaveStatus* pSaved) {
  return Call(
      "IGenericDocument::Close", LogText(vSaveChanges),
      [&]() -> HRESULT {
        long saveChanges = dsSaveChangesPrompt;
        if (const HRESULT hr = OptionalLong(vSaveChanges, dsSaveChangesPrompt, saveChanges); FAILED(hr)) return hr;
        if (saveChanges < dsSaveChangesYes || saveChanges > dsSaveChangesPrompt) return E_INVALIDARG;
        DsSaveStatus status = dsSaveSucceeded;
        const HRESULT hr = CloseDocument(document_, static_cast<DsSaveChanges>(saveChanges), status);
        if (pSaved) *pSaved = status;
        return hr;
      },
      pSaved);
}

}  // namespace msdev
