#include "stdafx.h"

#include "ErrorBox.h"

const char kAddInCaption[] = "Harrowgate/Wyc AddIn";

void ShowErrorBox(UINT nIDString) {
  CString text;
  text.LoadString(nIDString);
  ::MessageBox(NULL, text, kAddInCaption, MB_OK | MB_ICONSTOP);
}

CModelessDisabled::CModelessDisabled(IApplication* pApplication) : m_pApplication(pApplication) {
  m_pApplication->EnableModeless(VARIANT_FALSE);
}

CModelessDisabled::~CModelessDisabled() { m_pApplication->EnableModeless(VARIANT_TRUE); }
