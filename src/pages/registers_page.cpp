// RegistersPage: the boot-time values of the nine chip registers.
#include "analysis/registers.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "pages/register_controls.h"

namespace quarzel::app {

namespace {

// Each offset button marks the register's 32-bit constant.
constexpr int kRegisterBytes = 4;

bool isOffsetButton(int id) {
  for (const RegisterRowControls& row : kRegisterRows)
    if (row.offset == id) return true;
  return false;
}

}  // namespace

INT_PTR CALLBACK RegistersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  if (!isOffsetButton(id)) return FALSE;
  showInDump(offsetFromCaption(page, id), kRegisterBytes);
  return TRUE;
}

}  // namespace quarzel::app
