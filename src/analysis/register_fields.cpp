#include "analysis/register_fields.h"

#include <algorithm>
#include <array>

#include "formats/number_text.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// Each table lists the rows of one dialog in bit order. A "Reserved" row
// has no edits; reserved bits without a row are not shown at all. The texts
// are the dialogs' own, blank runs included: they break the lines in the
// static controls.

// Bits 29..31 are reserved and not shown.
constexpr BitField kPciInit0Fields[] = {
    {0, 1, 0, 0, kReservedText},
    {2, 6, 1031, 1043, "(0..31) - PCI FIFO Empty Entries Low Water Mark."},
    {7, 7, 0, 0, kReservedText},
    {8, 8, 1032, 1044, "(0..1) - Wait state cycles for PCI read accesses (0=1 ws, 1=2 ws)."},
    {9, 9, 1033, 1045, "(0..1) - Wait state cycles for PCI write accesses (0=no ws, 1=one ws)."},
    {10, 10, 0, 0, kReservedText},
    {11, 11, 1034, 1046, "(0..1) - Disable PCI IO access retries."},
    {12, 12, 1035, 1047, "(0..1) - Disable PCI Memory access retries."},
    {13, 17, 1036, 1048, "(0..31) - Retry interval, less 8 clocks."},
    {18, 18, 1037, 1049, "(0..1) - PCI Interrupt Enable."},
    {19, 19, 1038, 1050, "(0..1) - PCI Interrupt Time Out Enable."},
    {20, 25, 1039, 1051, "(0..63) - PCI Fifo read threshold."},
    {26, 26, 1040, 1052, "(0..1) - Force PCI/CMD Frame buffer accesses to high priority."},
    {27, 28, 1041, 1053, "(0..3) - PCI fifo to LFB write timeout in MCLKs."},
};

// Bit 17 is reserved and has a row.
constexpr BitField kMiscInit0Fields[] = {
    {0, 0, 1036, 1049, "(0..1) - FBI Graphics Reset (0=run, 1=reset)."},
    {1, 1, 1035, 1050, "(0..1) - FBI FIFO Reset (0=run, 1=reset)."},
    {2, 2, 1037, 1051, "(0..1) - Byte swizzle incoming register writes (1=enable). [Napalm - reserved]."},
    {3, 3, 1038, 1052, "(0..1) - Word swizzle incoming register writes (1=enable). [Napalm - reserved]."},
    {4, 4, 1039, 1053, "(0..1) - Video Timing Reset (0=run, 1=reset)."},
    {5, 5, 1040, 1054, "(0..1) - 2D Graphics Reset (0=run, 1=reset)."},
    {6, 6, 1041, 1055, "(0..1) - Memory Timing Reset (0=run, 1=reset)."},
    {7, 7, 1042, 1056, "(0..1) - VGA Video Timing Reset (0=run, 1=reset)."},
    {8, 10, 1043, 1057, "(0..7) - Programmable delay to be added to the blank signal before it             outputs to the TV out interface."},
    {11, 13, 1044, 1058, "(0..7) - Programmable delay to be added to the vsync and hsync               signals before they are output to the TV out interface."},
    {14, 16, 1045, 1059, "(0..7) - Programmable delay to be added to the vsync and hsync               signals before they are output to the monitor."},
    {17, 17, 0, 0, kReservedText},
    {18, 29, 1046, 1060, "(0..4095) - Y Origin Swap subtraction value."},
    {30, 30, 1047, 1061, "(0..1) - Byte swizzle incoming non modal LFB writes (1=enable).             [Napalm - miscInit1 address space alias control]"},
    {31, 31, 1048, 1062, "(0..1) - Word swizzle incoming non modal LFB writes (1=enable).              [Napalm - VMI host port control]"},
};

// Bits 18..31 form the right-hand column of the dialog; reserved bit 23 has
// a row there.
constexpr BitField kMiscInit1Fields[] = {
    {0, 0, 1039, 1065, "(0..1) - invert_clut_address."},
    {1, 2, 1040, 1066, "(0..3) - tri_mode – triangle iterator mode."},
    {3, 3, 1041, 1067, "(0..1) - Enable Sub Vendor/ Subsystem ID writes."},
    {4, 4, 1042, 1068, "(0..1) - Enable ROM writes."},
    {5, 5, 1043, 1069, "(0..1) - Alternate triangle addressing map."},
    {6, 6, 1044, 1070, "(0..1) - Disable texture mapping."},
    {7, 7, 1045, 1071, "(0..1) - Power Down CLUT."},
    {8, 8, 1046, 1072, "(0..1) - Power Down DAC."},
    {9, 9, 1047, 1073, "(0..1) - Power Down Video PLL."},
    {10, 10, 1048, 1074, "(0..1) - Power Down Graphics PLL."},
    {11, 11, 1049, 1075, "(0..1) - Power Down Memory PLL."},
    {12, 14, 1050, 1076, "(0..7) - Block write threshold."},
    {15, 15, 1051, 1077, "(0..1) - Disable 2D Block write."},
    {16, 16, 1052, 1078, "(0..1) - Disable 2D stall on 3D synchronous dispatch."},
    {17, 17, 1053, 1079, "(0..1) - Disable 3D stall on 2D synchronous dispatch."},
    {18, 18, 1061, 1086, "(0..1) - Reserved. [Napalm - Disable broadcast of all TMU registers            to both TMUs when 2 pixel-per-clock operation is enabled].", 1},
    {19, 19, 1054, 1080, "(0..1) - Command Stream Reset.", 1},
    {20, 21, 1056, 1087, "(0..3) - Reserved [Napalm - Byte swizzle all reads and writes to and            from memBaseAddr1 address space address select control].", 1},
    {22, 22, 1062, 1088, "(0..1) - Reserved [Napalm - Byte swizzle all reads and writes to and            from memBaseAddr1 address space enable].", 1},
    {23, 23, 0, 0, kReservedText, 1},
    {24, 24, 1055, 1081, "(0..1) - PCI Fast device. Default strapped on VMI_DATA 0.", 1},
    {25, 25, 1057, 1082, "(0..1) - PCI BIOS Size. Default strapped on VMI_DATA 1.", 1},
    {26, 26, 1058, 1083, "(0..1) - PCI 66Mhz. Default strapped on VMI_DATA 2.", 1},
    {27, 27, 1059, 1084, "(0..1) - AGP Enabled. Default strapped on VMI_DATA 3.", 1},
    {28, 28, 1060, 1085, "(0..1) - PCI Device Type. Default strapped on VMI_DATA 4.", 1},
    {29, 29, 1063, 1089, "(0..1) - Reserved. [Napalm - pd pin value (input value of the pd pin)].", 1},
    {30, 31, 1064, 1090, "(0..3) - Reserved. [Napalm - pd signal control (0,1=tristate, 2=drive               low, 3=drive high)].", 1},
};

// Bit 31 is reserved and not shown.
constexpr BitField kDramInit0Fields[] = {
    {0, 1, 1040, 1060, "(0..3) - tRRD – row active to row active (1-4 clks)."},
    {2, 3, 1041, 1061, "(0..3) - tRCD – RAS to CAS delay (1-4 clks)."},
    {4, 5, 1042, 1062, "(0..3) - tRP – row precharge (1-4 clks)."},
    {6, 9, 1043, 1063, "(0..15) - tRAS – minimum active time (1-16 clks)."},
    {10, 13, 1044, 1064, "(0..15) - tRC – minimum row cycle time (1-16 clks)."},
    {14, 15, 1045, 1065, "(0..3) - tCAS latency (1-4 clks)."},
    {16, 16, 1046, 1066, "(0..1) - tMRS mode and special mode register cycle time (1-2 clks)."},
    {17, 17, 1047, 1067, "(0..1) - tDQR Rd to DQM assertion delay (0-1 clks)."},
    {18, 18, 1048, 1068, "(0..1) - tBWC Block write cycle time (1-2 clks)."},
    {19, 19, 1049, 1069, "(0..1) - tWL WR to pre (1-2 clks)."},
    {20, 21, 1050, 1070, "(0..3) - tBWL BKWR to Pre (1-4 clks)."},
    {22, 22, 1053, 1071, "(0..1) - tRL RD to PRE (1-2 clks)."},
    {23, 23, 1054, 1072, "(0..1) - dont allow WR/BKWR to terminate RD, use BST."},
    {24, 24, 1055, 1073, "(0..1) - Disable the dead bus cycle btw. RD and WR."},
    {25, 25, 1056, 1074, "(0..1) - SGRAM write per bit enable (0=disable, 1=enable)."},
    {26, 26, 1057, 1075, "(0..1) - Number of Sgram/Sdram chipsets (0=1, 1=2)."},
    {27, 29, 1058, 1076, "(0..7) - Sgram type (0=8Mbit, 1=16Mbit). [Napalm - Sgram/Sdram                type (0=8Mbit, 1=16Mbit, 2=32Mbit, 3=64Mbit, 4=128Mbit)]."},
    {30, 30, 1059, 1077, "(0..1) - Reserved. [Napalm - mctl_dram_numbanks - number of sgram/sdram             internal banks (0=2 internal banks, 1=4 internal banks)]."},
};

// Bit 31 is reserved and not shown. The 9-bit refresh load holds 0..511
// whatever its text says.
constexpr BitField kDramInit1Fields[] = {
    {0, 0, 1055, 1072, "(0..1) - Refresh Enable."},
    {1, 9, 1056, 1073, "(0..512) - Refresh_load Value. (Internal 14-bit counter 5 LSBs are 0x0)."},
    {10, 10, 1057, 1074, "(0..1) - Video arbitration priority. (0=normal, 1=aggressive)."},
    {11, 11, 1058, 1075, "(0..1) - Triple buffer enable (0=double buffering, 1=triple buffering)."},
    {12, 12, 1059, 1076, "(0..1) - Dither passthrough (0=dithering, 1=bypass dithering). [Napalm - Reserved]."},
    {13, 13, 1060, 1077, "(0..1) - sg_clk_nodelay – bypass the delay element."},
    {14, 14, 1061, 1078, "(0..1) - sg_use_inv_sample – resample the flopped sgram data with             another negative-edge flop before flopping data with mclk."},
    {15, 15, 1062, 1079, "(0..1) - sg_del_clk_invert – invert delayed clock before using it."},
    {16, 19, 1063, 1080, "(0..15) - sg_clk_adj – delay value for sgram read data sample clock.               (2-62 NAND gates of delay, in steps of 4)."},
    {20, 23, 1064, 1081, "(0..15) - sg_oflop_del_adj – delay value for mclk (2-62 nand gates of delay, in               steps of 4) to transparent latch that sends fb_* off chip."},
    {24, 24, 1065, 1082, "(0..1) - sg_oflop_trans_latch – forces latch for fb_* signals to be transparent.            (0=use delayed mclk to latch, 1=make latch always transparent)."},
    {25, 25, 1066, 1083, "(0..1) - mctl_short_power_on. Power on in 128 cycles. VMI_ADDR_1."},
    {26, 26, 1067, 1084, "(0..1) - mctl_no_aggressive – turn off mem_ctrl’s aggressive row activation."},
    {27, 27, 1068, 1085, "(0..1) - mctl_pagebreak – force a pagebreak for all accesses."},
    {28, 28, 1069, 1086, "(0..1) - mctl_tristate_outputs – force data outputs to be tristate."},
    {29, 29, 1070, 1087, "(0..1) - mctl_no_vin_locking – prevent vin from locking the bus during             requesting. 0=allow locking, 1=prevent locking."},
    {30, 30, 1071, 1088, "(0..1) - Rev. B0 and after: mctl_type_sdram – (0=use SGRAMs,              1=use SDRAMs). VMI_ADDR_2."},
};

// Bits 11..31 are reserved and not shown.
constexpr BitField kAgpInit0Fields[] = {
    {0, 0, 1058, 1062, "(0..1) - Force AGP request to be high priority. (0=Low, 1 = High)."},
    {1, 3, 1059, 1063, "(0..7) - Maximum AGP request length. (0=1 octword, 7 = 8 octwords)."},
    {4, 6, 1060, 1064, "(0..7) - AGP request fifo full threshold."},
    {7, 10, 1061, 1065, "(0..15) - AGP read fifo full threshold."},
};

// K, M and N of the clock PLL; bits 17..31 are not shown.
constexpr BitField kPllCtrl1Fields[] = {
    {0, 1, 1061, 1066, "(0..3) - K, Post divider value"},
    {2, 7, 1062, 1067, "(0..63) - M, PLL input divider"},
    {8, 15, 1063, 1068, "(0..255) - N, PLL multiplier"},
    {16, 16, 1064, 1069, "(0..1) - Test. (0=normal operation, 1 = CLK is output of VCO)."},
};

// Bits 11..31 are reserved and not shown.
constexpr BitField kSgramModeFields[] = {
    {0, 2, 1068, 1074, "(0..7) - Burst Length."},
    {3, 3, 1069, 1075, "(0..1) - Burst Type."},
    {4, 6, 1070, 1076, "(0..7) - CAS Latency."},
    {7, 8, 1071, 1077, "(0..3) - Test Mode."},
    {9, 9, 1072, 1078, "(0..1) - Write Burst Length."},
    {10, 10, 1073, 1079, "(0..1) - SGRAM-Defined."},
};

constexpr std::array<RegisterDialog, 8> kDialogs{{
    // register, id, title, heading, width, height, system menu, hex static,
    // bit-pattern static, rows[, frequency statics]
    {PCIInit0, 111, "pciInit0", "PCI initialization register", 307, 239, false, 1030, 1029, kPciInit0Fields},
    {MiscInit0, 112, "miscInit0", "Misc. initialization register0", 330, 279, true, 1033, 1032, kMiscInit0Fields},
    {MiscInit1, 114, "miscInit1", "Misc. initialization register1", 535, 242, true, 1037, 1038, kMiscInit1Fields},
    {DramInit0, 115, "dramInit0", "Dram initialization register0", 332, 306, true, 1051, 1052, kDramInit0Fields},
    {DramInit1, 116, "dramInit1", "Dram initialization register1", 342, 311, true, 1053, 1054, kDramInit1Fields},
    {AgpInit0, 117, "agpInit0", "AGP initialization register", 301, 110, true, 1056, 1057, kAgpInit0Fields},
    {PLLCtrl1, 118, "pllCtrl1", "Control the frequency of the core clock and the video clock.", 278, 190, true,
     1059, 1060, kPllCtrl1Fields, 1065, 1070},
    {SGRAMmode, 119, "SGRAMmode", "SGRAM Control", 227, 141, true, 1066, 1067, kSgramModeFields},
}};

}  // namespace

std::span<const RegisterDialog> registerDialogs() { return kDialogs; }

const RegisterDialog* registerDialogFor(std::size_t registerIndex) {
  const auto found = std::find_if(kDialogs.begin(), kDialogs.end(), [&](const RegisterDialog& d) {
    return d.registerIndex == registerIndex;
  });
  return found == kDialogs.end() ? nullptr : &*found;
}

namespace {
// The field's bits, moved down to bit 0.
std::uint64_t fieldMask(const BitField& field) {
  const unsigned width = field.high - field.low + 1u;
  return (std::uint64_t{1} << width) - 1;
}
}  // namespace

std::vector<BitField> rowsOfEveryBit(const RegisterDialog& dialog) {
  std::vector<BitField> rows;
  unsigned next = 0;  // the lowest bit no row has covered yet
  const auto reserveUpTo = [&](unsigned bit) {
    if (bit > next)
      rows.push_back({static_cast<std::uint8_t>(next), static_cast<std::uint8_t>(bit - 1), 0, 0, kReservedText});
  };
  for (const BitField& field : dialog.fields) {
    reserveUpTo(field.low);
    rows.push_back(field);
    next = field.high + 1u;
  }
  reserveUpTo(32);
  return rows;
}

std::string bitRangeText(const BitField& field) {
  if (field.low == field.high) return std::to_string(field.low);
  return std::to_string(field.low) + ".." + std::to_string(field.high);
}

std::optional<std::size_t> fieldRowAt(const RegisterDialog& dialog, std::string_view bits) {
  for (std::size_t row = 0; row < dialog.fields.size(); ++row)
    if (!isReservedRow(dialog.fields[row]) && bitRangeText(dialog.fields[row]) == bits) return row;
  return std::nullopt;
}

std::uint32_t fieldMaximum(const BitField& field) { return static_cast<std::uint32_t>(fieldMask(field)); }

std::uint32_t fieldValue(const BitField& field, std::uint32_t value) {
  return static_cast<std::uint32_t>((value >> field.low) & fieldMask(field));
}

std::string numberDoesNotFit(const BitField& field, std::string_view number) {
  const unsigned width = field.high - field.low + 1u;
  return std::string(number) +
         formatText(" does not fit in %u bit%s (0..%u)", width, width == 1 ? "" : "s", fieldMaximum(field));
}

FieldReading readFieldNumber(const BitField& field, std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::string_view number = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  const auto read = readDecimalNumber(number);
  if (const auto* error = std::get_if<NumberError>(&read))
    return *error == NumberError::TooLarge ? FieldReading{0, numberDoesNotFit(field, number)} : FieldReading{};
  const std::uint32_t value = std::get<std::uint32_t>(read);
  if (value > fieldMaximum(field)) return {0, numberDoesNotFit(field, number)};
  return {value, {}};
}

std::uint32_t valueFromFields(const RegisterDialog& dialog,
                              std::span<const std::uint32_t> numbers) {
  // A row without a number counts as an emptied edit, 0; the bits that no
  // row covers go back to the chip as 0.
  std::uint32_t value = 0;
  for (std::size_t row = 0; row < dialog.fields.size() && row < numbers.size(); ++row) {
    const BitField& field = dialog.fields[row];
    if (isReservedRow(field)) continue;
    value |= static_cast<std::uint32_t>((numbers[row] & fieldMask(field)) << field.low);
  }
  return value;
}

std::uint32_t valueWithFields(const RegisterDialog& dialog, std::uint32_t value, std::span<const RowNumber> changes) {
  // The edits as the dialog fills them on opening, then the changed ones.
  std::vector<std::uint32_t> numbers;
  for (const BitField& field : dialog.fields) numbers.push_back(fieldValue(field, value));
  for (const RowNumber& change : changes)
    if (change.row < numbers.size()) numbers[change.row] = change.number;
  return valueFromFields(dialog, numbers);
}

std::uint32_t pllValue(std::uint32_t k, std::uint32_t m, std::uint32_t n, std::uint32_t test) {
  const std::array<std::uint32_t, 4> numbers{k, m, n, test};  // the PLL dialog's rows
  return valueFromFields(*registerDialogFor(PLLCtrl1), numbers);
}

PllDividers pllDividers(std::uint32_t value) {
  const auto rows = registerDialogFor(PLLCtrl1)->fields;
  return {fieldValue(rows[0], value), fieldValue(rows[1], value), fieldValue(rows[2], value),
          fieldValue(rows[3], value)};
}

std::string formatBinary32(std::uint32_t value) {
  std::string text;
  text.reserve(36);
  for (int bit = 31; bit >= 0; --bit) {
    text += (value >> bit & 1u) != 0 ? '1' : '0';
    if (bit % 8 == 0) text += ' ';
  }
  return text;
}

}  // namespace quarzel
