// System metrics and parameters: fixed values of the classic look at 1024 x 768, 96 pixels per inch.
#include "gdi32/gdi32_internal.h"
#include "user_state.h"

using gdi32::SystemLogFont;
using namespace user32;

extern "C" {

WINUSERAPI int WINAPI GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: return 1024;
    case SM_CYSCREEN: return 768;
    case SM_CYFULLSCREEN: return 768 - 19;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CYCAPTION:
    case SM_CYMENU: return 19;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    default: STANDIN_UNMODELLED_RETURN(0);
  }
}

// SPI_GETNONCLIENTMETRICS; every other action is not modelled.
WINUSERAPI BOOL WINAPI SystemParametersInfo(UINT action, UINT, PVOID value, UINT) {
  if (action != SPI_GETNONCLIENTMETRICS) STANDIN_UNMODELLED_LASTERROR(FALSE);
  auto* metrics = static_cast<NONCLIENTMETRICS*>(value);
  if (metrics == nullptr || metrics->cbSize != sizeof(NONCLIENTMETRICS)) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  metrics->iBorderWidth = 1;
  metrics->iScrollWidth = metrics->iScrollHeight = 16;
  metrics->iCaptionWidth = metrics->iCaptionHeight = 18;
  metrics->lfCaptionFont = SystemLogFont(FW_BOLD);
  metrics->iSmCaptionWidth = 12;
  metrics->iSmCaptionHeight = 15;
  metrics->lfSmCaptionFont = SystemLogFont(FW_BOLD);
  metrics->iMenuWidth = metrics->iMenuHeight = 18;
  metrics->lfMenuFont = SystemLogFont(FW_NORMAL);
  metrics->lfStatusFont = SystemLogFont(FW_NORMAL);
  metrics->lfMessageFont = SystemLogFont(FW_NORMAL);
  return TRUE;
}

}  // extern "C"
