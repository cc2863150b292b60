// One open document (IGenericDocument): a text document of a file. Closing it, or the IDE
// stopping, disconnects the objects that stand for it.
#pragma once

#include <objmodel/appauto.h>

#include "automation_object.h"
#include "ide.h"

namespace msdev {

class DocumentObject final : public AutomationObject<IGenericDocument, ObjectKind::Document> {
 public:
  DocumentObject(uint64_t session, DocumentRef document)
      : AutomationObject(session), document_(std::move(document)) {}

  // Closes a document as Close and CloseAll do: a changed one is saved, dropped, or (dsSaveChangesPrompt)
  // the user is asked; a cancelled prompt leaves it open with dsSaveCanceled.
  static HRESULT CloseDocument(const DocumentRef& document, DsSaveChanges saveChanges, DsSaveStatus& status);

  STDMETHODIMP get_Name(BSTR* Name) override;
  STDMETHODIMP get_FullName(BSTR* Name) override;
  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get_Path(BSTR* Path) override;
  STDMETHODIMP get_Saved(VARIANT_BOOL* Saved) override;
  STDMETHODIMP get_ReadOnly(VARIANT_BOOL* ReadOnly) override;
  STDMETHODIMP put_ReadOnly(VARIANT_BOOL ReadOnly) override;
  STDMETHODIMP get_Type(BSTR* Type) override;
  STDMETHODIMP Save(VARIANT vFilename, VARIANT vBoolPrompt, DsSaveStatus* pSaved) override;
  STDMETHODIMP Close(VARIANT vSaveChanges, DsSaveStatus* pSaved) override;

 private:
  ~DocumentObject() override = default;
  HRESULT Connected() override;

  const DocumentRef document_;
};

}  // namespace msdev
