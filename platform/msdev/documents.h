// The open documents (IDocuments), in the order they were opened; Item counts from 1 and takes a
// document's name or full path. Open makes a text document of an existing file.
#pragma once

#include <objmodel/appauto.h>

#include "automation_object.h"

namespace msdev {

class DocumentsObject final : public AutomationObject<IDocuments, ObjectKind::Documents> {
 public:
  using AutomationObject::AutomationObject;

  STDMETHODIMP get_Application(IDispatch** Application) override;
  STDMETHODIMP get_Count(LONG* Count) override;
  STDMETHODIMP get_Parent(IDispatch** Parent) override;
  STDMETHODIMP get__NewEnum(IUnknown** Enum) override { return NotModelled("IDocuments::get__NewEnum", Enum); }
  STDMETHODIMP Item(VARIANT Index, IDispatch** Document) override;
  STDMETHODIMP SaveAll(VARIANT vBoolPrompt, DsSaveStatus* pSaved) override;
  STDMETHODIMP CloseAll(VARIANT vSaveChanges, DsSaveStatus* pSaved) override;
  STDMETHODIMP Add(BSTR, VARIANT, IDispatch** Document) override { return NotModelled("IDocuments::Add", Document); }
  STDMETHODIMP Open(BSTR filename, VARIANT docType, VARIANT readOnly, IDispatch** Document) override;

 private:
  ~DocumentsObject() override = default;
};

}  // namespace msdev
