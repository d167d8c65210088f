// The templates of the register dialogs, laid out from the core's bit-field
// tables at run time: the fields' bit ranges and texts are never typed a
// second time. Each row takes the lines its text needs in the dialog font,
// so no text is cut or runs into the next.
#pragma once

#include <cstdint>
#include <vector>

#include "pages/register_dialogs.h"
#include "ui/dialog_template.h"

namespace quarzel::app {

std::vector<std::uint8_t> registerDialogTemplate(const RegisterDialog& dialog, const DialogTextMetrics& metrics);

}  // namespace quarzel::app
