// The class that the test server module serves, shared by the module and the tests.
#pragma once

#include <objbase.h>

// {5B0C6E7A-2D41-4F8B-9C3E-7A1D2F4B6C80}
DEFINE_GUID(CLSID_TestServerObject, 0x5B0C6E7A, 0x2D41, 0x4F8B, 0x9C, 0x3E, 0x7A, 0x1D, 0x2F, 0x4B, 0x6C, 0x80);

STANDIN_INTERFACE(ITestServerObject, "5B0C6E7B-2D41-4F8B-9C3E-7A1D2F4B6C80") : public IUnknown {
  // The number of objects of the server that are alive, this one included.
  STDMETHOD(GetLiveObjects)(LONG * count) = 0;
};
