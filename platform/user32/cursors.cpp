// Cursors: the system's (IDC_*) and modules' group-cursor resources, each loaded once and kept
// for the process, and the cursor shown now.
//
// A group cursor (RT_GROUP_CURSOR) is a header of three WORDs (0, type 2, count) and one 14-byte
// entry per image (width, doubled height, planes, bits per pixel as WORDs, the image's byte count
// as a DWORD, the RT_CURSOR id as a WORD); the RT_CURSOR holds the hot spot as two WORDs, then the
// image's BITMAPINFOHEADER.
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "pointer.h"
#include "sandbox/input.h"

using namespace user32;

namespace {

struct CursorRecord {
  HMODULE module = nullptr;
  std::string name;
  POINT hotspot{0, 0};
};

struct Cursors {
  std::mutex lock;
  std::map<std::pair<HMODULE, std::string>, HCURSOR> byName;
  std::map<HCURSOR, CursorRecord> records;
  uintptr_t next = 0x00060004;
};

Cursors& C() {
  static Cursors* cursors = new Cursors;  // never destroyed: handles stay valid to the end
  return *cursors;
}

const struct {
  WORD id;
  const char* name;
  POINT hotspot;
} kSystemCursors[] = {
    {32512, "IDC_ARROW", {0, 0}},        {32513, "IDC_IBEAM", {16, 16}},    {32514, "IDC_WAIT", {16, 16}},
    {32515, "IDC_CROSS", {16, 16}},      {32516, "IDC_UPARROW", {16, 0}},   {32642, "IDC_SIZENWSE", {16, 16}},
    {32643, "IDC_SIZENESW", {16, 16}},   {32644, "IDC_SIZEWE", {16, 16}},   {32645, "IDC_SIZENS", {16, 16}},
    {32646, "IDC_SIZEALL", {16, 16}},    {32648, "IDC_NO", {16, 16}},       {32649, "IDC_HAND", {5, 0}},
    {32650, "IDC_APPSTARTING", {0, 0}},  {32651, "IDC_HELP", {0, 0}},
};

std::string NameOf(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
  return Upper(name);  // resource names are compared without regard to case
}

HCURSOR Keep(HMODULE module, const std::string& name, POINT hotspot) {
  std::lock_guard<std::mutex> g(C().lock);
  auto it = C().byName.find({module, name});
  if (it != C().byName.end()) return it->second;
  const HCURSOR handle = reinterpret_cast<HCURSOR>(C().next);
  C().next += 4;
  C().byName.emplace(std::make_pair(module, name), handle);
  C().records.emplace(handle, CursorRecord{module, name, hotspot});
  return handle;
}

template <class T>
bool Read(const void* data, DWORD size, size_t at, T& value) {
  if (data == nullptr || at + sizeof value > size) return false;
  std::memcpy(&value, static_cast<const BYTE*>(data) + at, sizeof value);
  return true;
}

std::pair<const void*, DWORD> ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC resource = FindResource(module, name, type);
  if (resource == nullptr) return {nullptr, 0};
  HGLOBAL data = LoadResource(module, resource);
  return {data != nullptr ? LockResource(data) : nullptr, SizeofResource(module, resource)};
}

HCURSOR LoadModuleCursor(HMODULE module, LPCSTR name) {
  const auto [group, groupSize] = ResourceBytes(module, name, RT_GROUP_CURSOR);
  if (group == nullptr) return nullptr;
  WORD reserved = 1, type = 0, count = 0, imageId = 0;
  if (!Read(group, groupSize, 0, reserved) || !Read(group, groupSize, 2, type) || !Read(group, groupSize, 4, count) ||
      reserved != 0 || type != 2 || count == 0 || !Read(group, groupSize, 6 + 12, imageId))
    return Fail<HCURSOR>(ERROR_INVALID_DATA, nullptr);
  const auto [image, imageSize] = ResourceBytes(module, MAKEINTRESOURCE(imageId), RT_CURSOR);
  if (image == nullptr) return nullptr;
  WORD x = 0, y = 0;
  DWORD headerSize = 0;
  if (!Read(image, imageSize, 0, x) || !Read(image, imageSize, 2, y) || !Read(image, imageSize, 4, headerSize) ||
      headerSize != sizeof(BITMAPINFOHEADER) || imageSize < 4 + headerSize)
    return Fail<HCURSOR>(ERROR_INVALID_DATA, nullptr);
  return Keep(module, NameOf(name), {x, y});
}

}  // namespace

extern "C" {

WINUSERAPI HCURSOR WINAPI LoadCursor(HINSTANCE instance, LPCSTR name) {
  if (name == nullptr) return Fail<HCURSOR>(ERROR_INVALID_PARAMETER, nullptr);
  if (instance == nullptr) {
    if (IS_INTRESOURCE(name))
      for (const auto& c : kSystemCursors)
        if (c.id == reinterpret_cast<ULONG_PTR>(name)) return Keep(nullptr, c.name, c.hotspot);
    return Fail<HCURSOR>(ERROR_RESOURCE_NAME_NOT_FOUND, nullptr);
  }
  return LoadModuleCursor(instance, name);
}

WINUSERAPI HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  std::lock_guard<std::mutex> g(Lock());
  pointer::PointerState& state = pointer::StateLocked();
  const HCURSOR previous = state.cursor;
  state.cursor = cursor;
  return previous;
}

WINUSERAPI HCURSOR WINAPI GetCursor() {
  std::lock_guard<std::mutex> g(Lock());
  return pointer::StateLocked().cursor;
}

}  // extern "C"

namespace sandbox {

Cursor CurrentCursor() {
  Cursor out;
  out.handle = GetCursor();
  std::lock_guard<std::mutex> g(C().lock);
  auto it = C().records.find(static_cast<HCURSOR>(const_cast<void*>(out.handle)));
  if (it == C().records.end()) return out;
  out.module = it->second.module;
  out.name = it->second.name;
  out.hotspotX = it->second.hotspot.x;
  out.hotspotY = it->second.hotspot.y;
  return out;
}

}  // namespace sandbox
