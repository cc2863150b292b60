// IXMLDOMCharacterData and IXMLDOMText: text, CDATA sections and comments. Offsets and counts
// are in UTF-16 units; an offset past the end is E_INVALIDARG, a count past the end stops there.
#include <string>

#include "document.h"

namespace msxml::chardata {
namespace {

bool BadRange(const Node* self, LONG offset, LONG count) {
  return offset < 0 || count < 0 || static_cast<size_t>(offset) > self->value.size();
}

void Replace(Node* self, size_t offset, size_t count, std::u16string_view with) {
  std::u16string text(self->value);
  text.replace(offset, count, with);
  self->value = self->store->Store(text);
}

}  // namespace

HRESULT GetData(Node* self, BSTR* data) { return ReturnString(self->value, data); }

HRESULT PutData(Node* self, BSTR data) {
  self->value = self->store->Store(View(data));
  return S_OK;
}

HRESULT GetLength(Node* self, LONG* length) { return ReturnLong(static_cast<LONG>(self->value.size()), length); }

HRESULT SubstringData(Node* self, LONG offset, LONG count, BSTR* data) {
  if (!data) return E_INVALIDARG;
  *data = nullptr;
  if (BadRange(self, offset, count)) return E_INVALIDARG;
  return ReturnString(self->value.substr(static_cast<size_t>(offset), static_cast<size_t>(count)), data);
}

HRESULT AppendData(Node* self, BSTR data) {
  Replace(self, self->value.size(), 0, View(data));
  return S_OK;
}

HRESULT InsertData(Node* self, LONG offset, BSTR data) {
  if (BadRange(self, offset, 0)) return E_INVALIDARG;
  Replace(self, static_cast<size_t>(offset), 0, View(data));
  return S_OK;
}

HRESULT DeleteData(Node* self, LONG offset, LONG count) {
  if (BadRange(self, offset, count)) return E_INVALIDARG;
  Replace(self, static_cast<size_t>(offset), static_cast<size_t>(count), {});
  return S_OK;
}

HRESULT ReplaceData(Node* self, LONG offset, LONG count, BSTR data) {
  if (BadRange(self, offset, count)) return E_INVALIDARG;
  Replace(self, static_cast<size_t>(offset), static_cast<size_t>(count), View(data));
  return S_OK;
}

// splitText: the node keeps the text before `offset`; a new node of the same type, inserted
// after it when it has a parent, takes the rest.
HRESULT SplitText(Node* self, LONG offset, IXMLDOMText** right) {
  if (right) *right = nullptr;
  if (BadRange(self, offset, 0)) return E_INVALIDARG;
  Node* rest = self->store->NewNode(self->kind);
  rest->value = self->value.substr(static_cast<size_t>(offset));
  self->value = self->value.substr(0, static_cast<size_t>(offset));
  if (self->parent) InsertBefore(self->parent, rest, self->next);
  if (!right) return S_OK;
  return ReturnNodeAs(rest, right);
}

}  // namespace msxml::chardata
