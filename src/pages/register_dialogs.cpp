#include "pages/register_dialogs.h"

#include <algorithm>
#include <array>

#include "analysis/bios_layout.h"
#include "formats/table_rows.h"

namespace quarzel::app {

namespace {

constexpr auto kDialogs = oneRowEach<kRegistersWithFields, RegisterDialog>({
    {.registerIndex = PCIInit0, .dialogId = IDD_REG_PCIINIT0, .title = "pciInit0",
     .heading = "PCI initialization register", .width = 307, .height = 239, .systemMenu = false},
    {.registerIndex = MiscInit0, .dialogId = IDD_REG_MISCINIT0, .title = "miscInit0",
     .heading = "Misc. initialization register0", .width = 330, .height = 279, .systemMenu = true},
    {.registerIndex = MiscInit1, .dialogId = IDD_REG_MISCINIT1, .title = "miscInit1",
     .heading = "Misc. initialization register1", .width = 535, .height = 242, .systemMenu = true,
     .rightColumnFrom = 18},
    {.registerIndex = DramInit0, .dialogId = IDD_REG_DRAMINIT0, .title = "dramInit0",
     .heading = "Dram initialization register0", .width = 332, .height = 306, .systemMenu = true},
    {.registerIndex = DramInit1, .dialogId = IDD_REG_DRAMINIT1, .title = "dramInit1",
     .heading = "Dram initialization register1", .width = 342, .height = 311, .systemMenu = true},
    {.registerIndex = AgpInit0, .dialogId = IDD_REG_AGPINIT0, .title = "agpInit0",
     .heading = "AGP initialization register", .width = 301, .height = 110, .systemMenu = true},
    {.registerIndex = PLLCtrl1, .dialogId = IDD_REG_PLLCTRL1, .title = "pllCtrl1",
     .heading = "Control the frequency of the core clock and the video clock.", .width = 278, .height = 190,
     .systemMenu = true},
    {.registerIndex = SGRAMmode, .dialogId = IDD_REG_SGRAMMODE, .title = "SGRAMmode", .heading = "SGRAM Control",
     .width = 227, .height = 141, .systemMenu = true},
});

}  // namespace

std::span<const RegisterDialog> registerDialogs() { return kDialogs; }

const RegisterDialog* registerDialogFor(std::size_t registerIndex) {
  const auto found = std::ranges::find(kDialogs, registerIndex, &RegisterDialog::registerIndex);
  return found == kDialogs.end() ? nullptr : &*found;
}

std::span<const BitField> rowsOf(const RegisterDialog& dialog) {
  return registerFieldsFor(dialog.registerIndex)->fields;
}

bool showsClocks(const RegisterDialog& dialog) { return dialog.registerIndex == PLLCtrl1; }

int columnOf(const RegisterDialog& dialog, const BitField& row) { return row.low >= dialog.rightColumnFrom ? 1 : 0; }

}  // namespace quarzel::app
