// LogoPage: the boot logo's picture and its five text lines.
#include "ui/app_state.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

void initLogoPage(HWND page) {
  for (const int id : {IDC_LOGO_LINE1, IDC_LOGO_LINE2, IDC_LOGO_LINE3, IDC_LOGO_LINE4, IDC_LOGO_LINE5})
    SendDlgItemMessageA(page, id, WM_SETFONT, reinterpret_cast<WPARAM>(state().FixedFont), FALSE);
}

}  // namespace

INT_PTR CALLBACK LogoPageProc(HWND page, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  initLogoPage(page);
  return TRUE;
}

}  // namespace quarzel::app
