// The frames of the register dialogs: which register each shows, its
// template id, title, heading and size, and the ids of the controls its
// template is built with. The rows themselves are the register's bit fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "analysis/registers/register_fields.h"
#include "resources/resource.h"

namespace quarzel::app {

struct RegisterDialog {
  std::size_t registerIndex;
  int dialogId;
  const char* title;
  const char* heading;
  int width, height;  // dialog units, as drawn for MS Sans Serif 8
  bool systemMenu;
  // The rows from this bit on stand in a right-hand column.
  unsigned rightColumnFrom = 32;
};

// The seven bit-field dialogs and the PLLCtrl1 dialog, in register order.
std::span<const RegisterDialog> registerDialogs();
// The dialog of a register, or nullptr (PLLCtrl2 has none).
const RegisterDialog* registerDialogFor(std::size_t registerIndex);

// The dialog's rows: its register's bit fields.
std::span<const BitField> rowsOf(const RegisterDialog& dialog);
// The PLL dialog shows the clocks of its value and of the comparison's.
bool showsClocks(const RegisterDialog& dialog);
// 0 for the left-hand column, 1 for the right-hand one.
int columnOf(const RegisterDialog& dialog, const BitField& row);

// The edits of row `row` (not of a "Reserved" row, which has none).
constexpr int fieldEditId(std::size_t row) { return IDC_REGDLG_FIRST_FIELD + static_cast<int>(row); }
constexpr int compareEditId(std::size_t row) { return IDC_REGDLG_FIRST_COMPARE + static_cast<int>(row); }
static_assert(IDC_REGDLG_FIRST_FIELD + 32 <= IDC_REGDLG_FIRST_COMPARE, "a register's 32 rows of field edits overlap");

}  // namespace quarzel::app
