// BitFieldDialog: a register's value split into its named bit fields, the
// same fields of the comparison BIOS beside them, and the value rebuilt
// live from the fields. The PLL dialog adds the clocks the values program.
#include "pages/register_dialog.h"

#include <vector>

#include "analysis/registers/registers.h"
#include "pages/register_comparison.h"
#include "pages/register_dialog_layout.h"
#include "pages/register_dialogs.h"
#include "pages/registers_page.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

// Longer texts are not read; a field's number needs far fewer characters.
constexpr int kMostFieldChars = 255;
constexpr const char* kOutOfRange = "out of range";

// The open dialog's value as its fields now make it.
std::uint32_t workingValue = 0;

const RegisterDialog& tableOf(HWND dialog) {
  return *reinterpret_cast<const RegisterDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void showValue(HWND dialog, const RegisterDialog& table, std::uint32_t value) {
  setText(dialog, IDC_REGDLG_BITS, formatBinary32(value));
  setText(dialog, IDC_REGDLG_HEX, registerHexText(value));
  if (showsClocks(table)) setText(dialog, IDC_REGDLG_FREQUENCY, frequencyText(pllFrequency(value)));
}

// A number that does not fit its field is refused, never cut to the field's
// bits: the Value line says which and why, the PLL dialog's clock says "out
// of range", and OK is disabled until the number fits again.
void showRefusal(HWND dialog, const RegisterDialog& table, const BitField& field, const std::string& reason) {
  setText(dialog, IDC_REGDLG_HEX, kOutOfRange);
  setText(dialog, IDC_REGDLG_BITS, bitRangeText(field) + ": " + reason);
  if (showsClocks(table)) setText(dialog, IDC_REGDLG_FREQUENCY, kOutOfRange);
}

// workingValue from the field edits, each read as a decimal number (0 when
// it is none); the bits that no field covers are 0. While a number is
// refused, workingValue keeps the last value that OK could take.
void rebuildValue(HWND dialog) {
  const RegisterDialog& table = tableOf(dialog);
  const std::span<const BitField> rows = rowsOf(table);
  std::vector<std::uint32_t> numbers;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const BitField& field = rows[row];
    if (field.reserved) {
      numbers.push_back(0);
      continue;
    }
    const FieldReading reading = readFieldNumber(field, getText(dialog, fieldEditId(row), kMostFieldChars));
    if (!reading.refusal.empty()) {
      showRefusal(dialog, table, field, reading.refusal);
      enable(dialog, IDOK, false);
      return;
    }
    numbers.push_back(reading.number);
  }
  enable(dialog, IDOK, true);
  workingValue = valueFromFields(*registerFieldsFor(table.registerIndex), numbers);
  showValue(dialog, table, workingValue);
}

void initDialog(HWND dialog, const RegisterDialog& table) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&table));
  centerOnScreen(dialog);
  const BiosLayout& layout = state().Layout;
  const std::uint32_t value = layout.registerTable[table.registerIndex].value;
  // The comparison column stays empty unless a second BIOS holds the
  // register.
  const std::optional<std::uint32_t> compared = comparedValue(table.registerIndex);
  showValue(dialog, table, value);
  // Each fill rebuilds the value, so the dialog opens showing what OK would
  // store: the reserved bits already 0.
  const std::span<const BitField> rows = rowsOf(table);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row].reserved) continue;
    setText(dialog, fieldEditId(row), std::to_string(fieldValue(rows[row], value)));
    setText(dialog, compareEditId(row), compared ? std::to_string(fieldValue(rows[row], *compared)) : "");
  }
  if (showsClocks(table))
    setText(dialog, IDC_REGDLG_COMPARE_FREQUENCY, compared ? frequencyText(pllFrequency(*compared)) : "");
}

// The new value goes to registerTable and the page's edit (which enables
// the page's Apply), not into the image. Enter presses the default button
// even while it is disabled on some systems: a refused number still ends
// nothing.
void acceptValue(HWND dialog) {
  rebuildValue(dialog);
  if (!IsWindowEnabled(GetDlgItem(dialog, IDOK))) return;
  const RegisterDialog& table = tableOf(dialog);
  state().Layout.registerTable[table.registerIndex].value = workingValue;
  showRegisterValue(table.registerIndex);
  updateCompareLabels();
  EndDialog(dialog, IDOK);
}

bool isFieldEdit(const RegisterDialog& table, int id) {
  const std::span<const BitField> rows = rowsOf(table);
  for (std::size_t row = 0; row < rows.size(); ++row)
    if (!rows[row].reserved && fieldEditId(row) == id) return true;
  return false;
}

INT_PTR CALLBACK RegisterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    initDialog(dialog, *reinterpret_cast<const RegisterDialog*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND || GetWindowLongPtrW(dialog, DWLP_USER) == 0) return FALSE;
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == EN_CHANGE && isFieldEdit(tableOf(dialog), id)) {
    rebuildValue(dialog);
    return TRUE;
  }
  switch (id) {
    case IDOK: acceptValue(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void openRegisterDialog(HWND page, std::size_t registerIndex) {
  const RegisterDialog* table = registerDialogFor(registerIndex);
  if (!table) return;
  const std::vector<std::uint8_t> layout = registerDialogTemplate(*table, DialogTextMetrics{});
  const DialogTemplate dialog{table->dialogId, reinterpret_cast<const DLGTEMPLATE*>(layout.data())};
  platform().runModal(dialog, page, RegisterDialogProc, reinterpret_cast<LPARAM>(table));
}

}  // namespace quarzel::app
