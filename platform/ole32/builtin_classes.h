// The process-wide table of classes that stand-in modules offer (standin_com.h).
#pragma once

#include <standin_com.h>

#include <optional>
#include <string>

namespace ole32 {

struct BuiltinClass {
  CLSID clsid;
  std::string progId;  // "" when none
  STANDIN_CREATE_INSTANCE create;
  DWORD contexts;  // the CLSCTX_* flags it serves
};

std::optional<BuiltinClass> FindBuiltinClass(REFCLSID clsid);
std::optional<BuiltinClass> FindBuiltinProgId(const std::string& progId);

// A class factory over `create` (which refuses aggregation), asked for `riid`.
HRESULT BuiltinClassFactory(STANDIN_CREATE_INSTANCE create, REFIID riid, void** ppv);

}  // namespace ole32
