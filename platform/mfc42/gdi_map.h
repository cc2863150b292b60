// What the rest of mfc42 needs of the GDI handle maps.
#pragma once

#include <afxwin.h>

namespace mfc42 {

// Attach and Detach of permanent objects and DCs.
void AddPermanent(HGDIOBJ hObject, CGdiObject* object);
void RemovePermanent(HGDIOBJ hObject, CGdiObject* object);
void AddPermanent(HDC hDC, CDC* dc);
void RemovePermanent(HDC hDC, CDC* dc);
// Empties the permanent maps (sandbox reset: gdi32 has dropped every object).
void ForgetAllGdiPermanent();

}  // namespace mfc42
