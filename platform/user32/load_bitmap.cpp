// Bitmap resources: the DIB a module carries, made into a bitmap by gdi32.
#include "gdi32/gdi32_internal.h"
#include "user_state.h"

extern "C" {

WINUSERAPI HBITMAP WINAPI LoadBitmap(HINSTANCE instance, LPCSTR name) {
  if (instance == nullptr) STANDIN_UNMODELLED_LASTERROR(nullptr);  // the system's own bitmaps
  HRSRC resource = FindResource(instance, name, RT_BITMAP);
  if (resource == nullptr) return nullptr;
  HGLOBAL data = LoadResource(instance, resource);
  if (data == nullptr) return nullptr;
  return gdi32::CreateBitmapFromPackedDib(LockResource(data), SizeofResource(instance, resource));
}

}  // extern "C"
