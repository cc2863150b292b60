// IXMLDOMParseError: a snapshot of why the last load failed (errorCode 0 after success).
#pragma once

#include <atomic>
#include <string>

#include "node_objects.h"
#include "xml_parser.h"

namespace msxml {

class ParseErrorObject final : public IXMLDOMParseError {
 public:
  ParseErrorObject(ParseFailure failure, std::u16string_view url) : failure_(std::move(failure)), url_(url) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { STANDIN_UNMODELLED_RETURN(E_NOTIMPL); }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    STANDIN_UNMODELLED_RETURN(E_NOTIMPL);
  }

  STDMETHODIMP get_errorCode(LONG* code) override { return ReturnLong(failure_.errorCode, code); }
  STDMETHODIMP get_url(BSTR* url) override { return ReturnOptionalString(!url_.empty(), url_, url); }
  STDMETHODIMP get_reason(BSTR* reason) override {
    return ReturnOptionalString(failure_.errorCode != 0, failure_.reason, reason);
  }
  STDMETHODIMP get_srcText(BSTR* text) override {
    return ReturnOptionalString(failure_.errorCode != 0, failure_.srcText, text);
  }
  STDMETHODIMP get_line(LONG* line) override { return ReturnLong(failure_.line, line); }
  STDMETHODIMP get_linepos(LONG* pos) override { return ReturnLong(failure_.linepos, pos); }
  STDMETHODIMP get_filepos(LONG* pos) override { return ReturnLong(failure_.filepos, pos); }

 private:
  ~ParseErrorObject() = default;

  std::atomic<ULONG> refs_{1};
  const ParseFailure failure_;
  const std::u16string url_;
};

}  // namespace msxml
