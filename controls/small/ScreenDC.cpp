#include "small/ScreenDC.h"

CScreenDC::CScreenDC() { Attach(::GetDC(NULL)); }

CScreenDC::~CScreenDC() { ::ReleaseDC(NULL, Detach()); }
