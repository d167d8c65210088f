// PcirPage: the option ROM's PCI data structure, display only.
#include "ui/window_helpers.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

// The structure without its reserved last word.
constexpr int kShownStructureBytes = 22;

}  // namespace

INT_PTR CALLBACK PcirPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND || LOWORD(wParam) != IDC_PCIR_OFFSET) return FALSE;
  showInDump(offsetFromCaption(page, IDC_PCIR_OFFSET), kShownStructureBytes);
  return TRUE;
}

}  // namespace quarzel::app
