// What the type library HGWYCADDINLib declares (HgWycAddIn.tld): the add-in's class and its dual
// interface IHgWycAddIn, whose one method Settings is also the add-in's command.
#pragma once

#include <oaidl.h>
#include <standin_dispatch.h>

inline constexpr GUID LIBID_HGWYCADDINLib = ::standin::GuidFromLiteral("D474BAFD-7A5E-11D2-A4DB-00104B9B6FA7");
inline constexpr CLSID CLSID_HgWycAddIn = ::standin::GuidFromLiteral("D474BB0B-7A5E-11D2-A4DB-00104B9B6FA7");

STANDIN_INTERFACE(IHgWycAddIn, "D474BB0A-7A5E-11D2-A4DB-00104B9B6FA7") : public IDispatch {
  STDMETHOD(Settings)() = 0;
};
BEGIN_STANDIN_DISPATCH_TABLE(IHgWycAddIn)
STANDIN_DISPATCH_METHOD(Settings)
END_STANDIN_DISPATCH_TABLE()

inline constexpr const IID& IID_IHgWycAddIn = __uuidof(IHgWycAddIn);
