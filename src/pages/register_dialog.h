// The register dialogs: one procedure for the seven bit-field dialogs and
// the PLL dialog, driven by the register's table.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quarzel::app {

// Opens the register's dialog modally, owned by `page`; it starts from the
// value in registerTable, and its OK hands the new value to the page.
void openRegisterDialog(HWND page, std::size_t registerIndex);

}  // namespace quarzel::app
