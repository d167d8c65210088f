// RegistersPage: the boot-time values of the nine chip registers, edited as
// hexadecimal texts or field by field in their dialogs, written back with
// Apply, compared with a second BIOS.
#include "analysis/registers/register_edits.h"
#include "analysis/registers/registers.h"
#include "pages/analysis_refresh.h"
#include "pages/dump_page.h"
#include "pages/pages.h"
#include "pages/register_comparison.h"
#include "pages/register_controls.h"
#include "pages/register_dialog.h"
#include "pages/registers_page.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

// Longer texts are not read; a value needs far fewer characters.
constexpr int kMostValueChars = 255;

// The row of the register whose control `id` is, by `member`.
std::optional<std::size_t> rowWith(int RegisterRowControls::*member, int id) {
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (kRegisterRows[i].*member == id && id != 0) return i;
  return std::nullopt;
}


// A register the image lacks says so in its value and offset, and takes no
// edit: Apply could write it nowhere.
void showPlace(HWND page, std::size_t index) {
  const RegisterRowControls& row = kRegisterRows[index];
  const Location& location = state().Layout.registerTable[index].location;
  if (location)
    setOffsetCaption(page, row.offset, *location);
  else
    setText(page, row.offset, kNotFound);
  enable(page, row.offset, location.has_value());
  SendDlgItemMessageA(page, row.value, EM_SETREADONLY, !location, 0);
  if (row.dialogButton) enable(page, row.dialogButton, location.has_value());
}

void showValues() {
  for (std::size_t i = 0; i < kRegisterCount; ++i) showRegisterValue(i);
}

// Every located register is written, changed or not (the same value
// changes no byte); a text without a number leaves its register's value as
// it was.
void applyRegisters(HWND page) {
  AppState& s = state();
  {
    const BusyGuard busy;
    enable(page, IDC_APPLY, false);
    // The page refuses a text without a number by showing the value again,
    // not with a message.
    for (std::size_t i = 0; i < kRegisterCount; ++i)
      if (s.Layout.registerTable[i].location)
        ignoreRefusal(
            applyRegisterText(s.BiosImage, s.Layout, i, getText(page, kRegisterRows[i].value, kMostValueChars)));
    imageChanged();
    showValues();
  }
  updateCompareLabels();
}

// Back to what the image holds, dialogs' unapplied values included; the
// clock and the labels follow, so none describes a value no longer shown.
void restoreRegisters(HWND page) {
  const BusyGuard busy;
  enable(page, IDC_APPLY, false);
  AppState& s = state();
  reloadRegisterValues(s.BiosImage, s.Layout);
  showValues();
  updateCompareLabels();
}

bool command(HWND page, int id, int notification) {
  const bool loaded = state().imageLoaded;
  if (rowWith(&RegisterRowControls::value, id)) {
    if (notification == EN_UPDATE && userEdit()) enable(page, IDC_APPLY, true);
    return true;
  }
  if (const auto row = rowWith(&RegisterRowControls::offset, id)) {
    showItemInDump(state().Layout.registerTable[*row].location, kRegisterBytes);
    return true;
  }
  if (const auto row = rowWith(&RegisterRowControls::dialogButton, id)) {
    if (loaded) openRegisterDialog(page, *row);
    return true;
  }
  switch (id) {
    case IDC_APPLY:
      if (loaded) applyRegisters(page);
      return true;
    case IDC_RESTORE:
      if (loaded) restoreRegisters(page);
      return true;
    case IDC_REG_COMPARE:
      if (loaded) compareWithSecondBios();
      return true;
    default: return false;
  }
}

}  // namespace

// The comparison column stays; its marks now compare the new values.
void fillRegistersPage() {
  HWND page = pageWindow(RegistersTab);
  const BiosLayout& layout = state().Layout;
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    showPlace(page, i);
    setText(page, kRegisterRows[i].value, registerValueText(layout, i));
  }
  setText(page, IDC_REG_PLL_FREQUENCY, pllFrequencyText(layout));
  updateCompareLabels();
}

void showRegisterValue(std::size_t index) {
  HWND page = pageWindow(RegistersTab);
  const BiosLayout& layout = state().Layout;
  setText(page, kRegisterRows[index].value, registerValueText(layout, index));
  if (index == PLLCtrl1) setText(page, IDC_REG_PLL_FREQUENCY, pllFrequencyText(layout));
}

INT_PTR CALLBACK RegistersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    forgetComparison();
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  return command(page, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
}

}  // namespace quarzel::app
