#include "analysis/registers/register_fields.h"

#include <algorithm>
#include <array>

#include "analysis/registers/pll.h"
#include "formats/number_text.h"
#include "formats/table_rows.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

// Each table lists the rows of one register in bit order. A "Reserved" row
// takes no number; reserved bits without a row are not listed at all.

// Bits 29..31 are reserved and not shown.
constexpr BitField kPciInit0Fields[] = {
    {.low = 0, .high = 1, .text = kReservedText, .reserved = true},
    {.low = 2, .high = 6, .text = "(0..31) - PCI FIFO Empty Entries Low Water Mark."},
    {.low = 7, .high = 7, .text = kReservedText, .reserved = true},
    {.low = 8, .high = 8, .text = "(0..1) - Wait state cycles for PCI read accesses (0=1 ws, 1=2 ws)."},
    {.low = 9, .high = 9, .text = "(0..1) - Wait state cycles for PCI write accesses (0=no ws, 1=one ws)."},
    {.low = 10, .high = 10, .text = kReservedText, .reserved = true},
    {.low = 11, .high = 11, .text = "(0..1) - Disable PCI IO access retries."},
    {.low = 12, .high = 12, .text = "(0..1) - Disable PCI Memory access retries."},
    {.low = 13, .high = 17, .text = "(0..31) - Retry interval, less 8 clocks."},
    {.low = 18, .high = 18, .text = "(0..1) - PCI Interrupt Enable."},
    {.low = 19, .high = 19, .text = "(0..1) - PCI Interrupt Time Out Enable."},
    {.low = 20, .high = 25, .text = "(0..63) - PCI Fifo read threshold."},
    {.low = 26, .high = 26, .text = "(0..1) - Force PCI/CMD Frame buffer accesses to high priority."},
    {.low = 27, .high = 28, .text = "(0..3) - PCI fifo to LFB write timeout in MCLKs."},
};

// Bit 17 is reserved and has a row.
constexpr BitField kMiscInit0Fields[] = {
    {.low = 0, .high = 0, .text = "(0..1) - FBI Graphics Reset (0=run, 1=reset)."},
    {.low = 1, .high = 1, .text = "(0..1) - FBI FIFO Reset (0=run, 1=reset)."},
    {.low = 2, .high = 2, .text = "(0..1) - Byte swizzle incoming register writes (1=enable). [Napalm - reserved]."},
    {.low = 3, .high = 3, .text = "(0..1) - Word swizzle incoming register writes (1=enable). [Napalm - reserved]."},
    {.low = 4, .high = 4, .text = "(0..1) - Video Timing Reset (0=run, 1=reset)."},
    {.low = 5, .high = 5, .text = "(0..1) - 2D Graphics Reset (0=run, 1=reset)."},
    {.low = 6, .high = 6, .text = "(0..1) - Memory Timing Reset (0=run, 1=reset)."},
    {.low = 7, .high = 7, .text = "(0..1) - VGA Video Timing Reset (0=run, 1=reset)."},
    {.low = 8, .high = 10, .text = "(0..7) - Programmable delay to be added to the blank signal before it\n"
                                   "             outputs to the TV out interface."},
    {.low = 11, .high = 13, .text = "(0..7) - Programmable delay to be added to the vsync and hsync\n"
                                    "               signals before they are output to the TV out interface."},
    {.low = 14, .high = 16, .text = "(0..7) - Programmable delay to be added to the vsync and hsync\n"
                                    "               signals before they are output to the monitor."},
    {.low = 17, .high = 17, .text = kReservedText, .reserved = true},
    {.low = 18, .high = 29, .text = "(0..4095) - Y Origin Swap subtraction value."},
    {.low = 30, .high = 30, .text = "(0..1) - Byte swizzle incoming non modal LFB writes (1=enable).\n"
                                    "             [Napalm - miscInit1 address space alias control]"},
    {.low = 31, .high = 31, .text = "(0..1) - Word swizzle incoming non modal LFB writes (1=enable).\n"
                                    "              [Napalm - VMI host port control]"},
};

// Reserved bit 23 has a row.
constexpr BitField kMiscInit1Fields[] = {
    {.low = 0, .high = 0, .text = "(0..1) - invert_clut_address."},
    {.low = 1, .high = 2, .text = "(0..3) - tri_mode – triangle iterator mode."},
    {.low = 3, .high = 3, .text = "(0..1) - Enable Sub Vendor/ Subsystem ID writes."},
    {.low = 4, .high = 4, .text = "(0..1) - Enable ROM writes."},
    {.low = 5, .high = 5, .text = "(0..1) - Alternate triangle addressing map."},
    {.low = 6, .high = 6, .text = "(0..1) - Disable texture mapping."},
    {.low = 7, .high = 7, .text = "(0..1) - Power Down CLUT."},
    {.low = 8, .high = 8, .text = "(0..1) - Power Down DAC."},
    {.low = 9, .high = 9, .text = "(0..1) - Power Down Video PLL."},
    {.low = 10, .high = 10, .text = "(0..1) - Power Down Graphics PLL."},
    {.low = 11, .high = 11, .text = "(0..1) - Power Down Memory PLL."},
    {.low = 12, .high = 14, .text = "(0..7) - Block write threshold."},
    {.low = 15, .high = 15, .text = "(0..1) - Disable 2D Block write."},
    {.low = 16, .high = 16, .text = "(0..1) - Disable 2D stall on 3D synchronous dispatch."},
    {.low = 17, .high = 17, .text = "(0..1) - Disable 3D stall on 2D synchronous dispatch."},
    {.low = 18, .high = 18, .text = "(0..1) - Reserved. [Napalm - Disable broadcast of all TMU registers\n"
                                    "            to both TMUs when 2 pixel-per-clock operation is enabled]."},
    {.low = 19, .high = 19, .text = "(0..1) - Command Stream Reset."},
    {.low = 20, .high = 21, .text = "(0..3) - Reserved [Napalm - Byte swizzle all reads and writes to and\n"
                                    "            from memBaseAddr1 address space address select control]."},
    {.low = 22, .high = 22, .text = "(0..1) - Reserved [Napalm - Byte swizzle all reads and writes to and\n"
                                    "            from memBaseAddr1 address space enable]."},
    {.low = 23, .high = 23, .text = kReservedText, .reserved = true},
    {.low = 24, .high = 24, .text = "(0..1) - PCI Fast device. Default strapped on VMI_DATA 0."},
    {.low = 25, .high = 25, .text = "(0..1) - PCI BIOS Size. Default strapped on VMI_DATA 1."},
    {.low = 26, .high = 26, .text = "(0..1) - PCI 66Mhz. Default strapped on VMI_DATA 2."},
    {.low = 27, .high = 27, .text = "(0..1) - AGP Enabled. Default strapped on VMI_DATA 3."},
    {.low = 28, .high = 28, .text = "(0..1) - PCI Device Type. Default strapped on VMI_DATA 4."},
    {.low = 29, .high = 29, .text = "(0..1) - Reserved. [Napalm - pd pin value (input value of the pd pin)]."},
    {.low = 30, .high = 31, .text = "(0..3) - Reserved. [Napalm - pd signal control (0,1=tristate, 2=drive\n"
                                    "               low, 3=drive high)]."},
};

// Bit 31 is reserved and not shown.
constexpr BitField kDramInit0Fields[] = {
    {.low = 0, .high = 1, .text = "(0..3) - tRRD – row active to row active (1-4 clks)."},
    {.low = 2, .high = 3, .text = "(0..3) - tRCD – RAS to CAS delay (1-4 clks)."},
    {.low = 4, .high = 5, .text = "(0..3) - tRP – row precharge (1-4 clks)."},
    {.low = 6, .high = 9, .text = "(0..15) - tRAS – minimum active time (1-16 clks)."},
    {.low = 10, .high = 13, .text = "(0..15) - tRC – minimum row cycle time (1-16 clks)."},
    {.low = 14, .high = 15, .text = "(0..3) - tCAS latency (1-4 clks)."},
    {.low = 16, .high = 16, .text = "(0..1) - tMRS mode and special mode register cycle time (1-2 clks)."},
    {.low = 17, .high = 17, .text = "(0..1) - tDQR Rd to DQM assertion delay (0-1 clks)."},
    {.low = 18, .high = 18, .text = "(0..1) - tBWC Block write cycle time (1-2 clks)."},
    {.low = 19, .high = 19, .text = "(0..1) - tWL WR to pre (1-2 clks)."},
    {.low = 20, .high = 21, .text = "(0..3) - tBWL BKWR to Pre (1-4 clks)."},
    {.low = 22, .high = 22, .text = "(0..1) - tRL RD to PRE (1-2 clks)."},
    {.low = 23, .high = 23, .text = "(0..1) - dont allow WR/BKWR to terminate RD, use BST."},
    {.low = 24, .high = 24, .text = "(0..1) - Disable the dead bus cycle btw. RD and WR."},
    {.low = 25, .high = 25, .text = "(0..1) - SGRAM write per bit enable (0=disable, 1=enable)."},
    {.low = 26, .high = 26, .text = "(0..1) - Number of Sgram/Sdram chipsets (0=1, 1=2)."},
    {.low = 27, .high = 29, .text = "(0..7) - Sgram type (0=8Mbit, 1=16Mbit). [Napalm - Sgram/Sdram\n"
                                    "                type (0=8Mbit, 1=16Mbit, 2=32Mbit, 3=64Mbit, 4=128Mbit)]."},
    {.low = 30, .high = 30, .text = "(0..1) - Reserved. [Napalm - mctl_dram_numbanks - number of sgram/sdram\n"
                                    "             internal banks (0=2 internal banks, 1=4 internal banks)]."},
};

// Bit 31 is reserved and not shown. The 9-bit refresh load holds 0..511
// whatever its text says.
constexpr BitField kDramInit1Fields[] = {
    {.low = 0, .high = 0, .text = "(0..1) - Refresh Enable."},
    {.low = 1, .high = 9, .text = "(0..512) - Refresh_load Value. (Internal 14-bit counter 5 LSBs are 0x0)."},
    {.low = 10, .high = 10, .text = "(0..1) - Video arbitration priority. (0=normal, 1=aggressive)."},
    {.low = 11, .high = 11, .text = "(0..1) - Triple buffer enable (0=double buffering, 1=triple buffering)."},
    {.low = 12, .high = 12, .text = "(0..1) - Dither passthrough (0=dithering, 1=bypass dithering). [Napalm - Reserved]."},
    {.low = 13, .high = 13, .text = "(0..1) - sg_clk_nodelay – bypass the delay element."},
    {.low = 14, .high = 14, .text = "(0..1) - sg_use_inv_sample – resample the flopped sgram data with\n"
                                    "             another negative-edge flop before flopping data with mclk."},
    {.low = 15, .high = 15, .text = "(0..1) - sg_del_clk_invert – invert delayed clock before using it."},
    {.low = 16, .high = 19, .text = "(0..15) - sg_clk_adj – delay value for sgram read data sample clock.\n"
                                    "               (2-62 NAND gates of delay, in steps of 4)."},
    {.low = 20, .high = 23, .text = "(0..15) - sg_oflop_del_adj – delay value for mclk (2-62 nand gates of delay, in\n"
                                    "               steps of 4) to transparent latch that sends fb_* off chip."},
    {.low = 24, .high = 24, .text = "(0..1) - sg_oflop_trans_latch – forces latch for fb_* signals to be transparent.\n"
                                    "            (0=use delayed mclk to latch, 1=make latch always transparent)."},
    {.low = 25, .high = 25, .text = "(0..1) - mctl_short_power_on. Power on in 128 cycles. VMI_ADDR_1."},
    {.low = 26, .high = 26, .text = "(0..1) - mctl_no_aggressive – turn off mem_ctrl’s aggressive row activation."},
    {.low = 27, .high = 27, .text = "(0..1) - mctl_pagebreak – force a pagebreak for all accesses."},
    {.low = 28, .high = 28, .text = "(0..1) - mctl_tristate_outputs – force data outputs to be tristate."},
    {.low = 29, .high = 29, .text = "(0..1) - mctl_no_vin_locking – prevent vin from locking the bus during\n"
                                    "             requesting. 0=allow locking, 1=prevent locking."},
    {.low = 30, .high = 30, .text = "(0..1) - Rev. B0 and after: mctl_type_sdram – (0=use SGRAMs,\n"
                                    "              1=use SDRAMs). VMI_ADDR_2."},
};

// Bits 11..31 are reserved and not shown.
constexpr BitField kAgpInit0Fields[] = {
    {.low = 0, .high = 0, .text = "(0..1) - Force AGP request to be high priority. (0=Low, 1 = High)."},
    {.low = 1, .high = 3, .text = "(0..7) - Maximum AGP request length. (0=1 octword, 7 = 8 octwords)."},
    {.low = 4, .high = 6, .text = "(0..7) - AGP request fifo full threshold."},
    {.low = 7, .high = 10, .text = "(0..15) - AGP read fifo full threshold."},
};

// The clock PLL's control word.
constexpr BitField kPllCtrl1Fields[] = {kPllK, kPllM, kPllN, kPllTest};

// Bits 11..31 are reserved and not shown.
constexpr BitField kSgramModeFields[] = {
    {.low = 0, .high = 2, .text = "(0..7) - Burst Length."},
    {.low = 3, .high = 3, .text = "(0..1) - Burst Type."},
    {.low = 4, .high = 6, .text = "(0..7) - CAS Latency."},
    {.low = 7, .high = 8, .text = "(0..3) - Test Mode."},
    {.low = 9, .high = 9, .text = "(0..1) - Write Burst Length."},
    {.low = 10, .high = 10, .text = "(0..1) - SGRAM-Defined."},
};

constexpr auto kTables = oneRowEach<kRegistersWithFields, RegisterFields>({
    {PCIInit0, kPciInit0Fields},
    {MiscInit0, kMiscInit0Fields},
    {MiscInit1, kMiscInit1Fields},
    {DramInit0, kDramInit0Fields},
    {DramInit1, kDramInit1Fields},
    {AgpInit0, kAgpInit0Fields},
    {PLLCtrl1, kPllCtrl1Fields},
    {SGRAMmode, kSgramModeFields},
});

// Every table's rows ascend without overlapping and stay within 32 bits,
// which the masks and shifts below rely on.
constexpr bool wellOrdered(std::span<const BitField> fields) {
  int next = 0;  // the lowest bit the rows so far leave free
  for (const BitField& field : fields) {
    if (field.low < next || field.high < field.low || field.high >= 32) return false;
    next = field.high + 1;
  }
  return true;
}
static_assert(std::ranges::all_of(kTables, [](const RegisterFields& t) { return wellOrdered(t.fields); }));

}  // namespace

std::span<const RegisterFields> registerFieldTables() { return kTables; }

const RegisterFields* registerFieldsFor(std::size_t registerIndex) {
  const auto found = std::ranges::find(kTables, registerIndex, &RegisterFields::registerIndex);
  return found == kTables.end() ? nullptr : &*found;
}

std::string singleLineText(const BitField& field) {
  std::string text = field.text;
  std::erase(text, '\n');
  return text;
}

namespace {
// The field's bits, moved down to bit 0.
std::uint64_t fieldMask(const BitField& field) {
  const unsigned width = field.high - field.low + 1u;
  return (std::uint64_t{1} << width) - 1;
}
}  // namespace

std::vector<BitField> rowsOfEveryBit(const RegisterFields& fields) {
  std::vector<BitField> rows;
  unsigned next = 0;  // the lowest bit no row has covered yet
  const auto reserveUpTo = [&](unsigned bit) {
    if (bit > next)
      rows.push_back({.low = static_cast<std::uint8_t>(next), .high = static_cast<std::uint8_t>(bit - 1),
                      .text = kReservedText, .reserved = true});
  };
  for (const BitField& field : fields.fields) {
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

std::optional<std::size_t> fieldRowAt(const RegisterFields& fields, std::string_view bits) {
  for (std::size_t row = 0; row < fields.fields.size(); ++row)
    if (!fields.fields[row].reserved && bitRangeText(fields.fields[row]) == bits) return row;
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

std::uint32_t valueFromFields(const RegisterFields& fields, std::span<const std::uint32_t> numbers) {
  // A row without a number counts as 0; the bits that no row covers go back
  // to the chip as 0.
  std::uint32_t value = 0;
  for (std::size_t row = 0; row < fields.fields.size() && row < numbers.size(); ++row) {
    const BitField& field = fields.fields[row];
    if (field.reserved) continue;
    value |= static_cast<std::uint32_t>((numbers[row] & fieldMask(field)) << field.low);
  }
  return value;
}

std::uint32_t valueWithFields(const RegisterFields& fields, std::uint32_t value, std::span<const RowNumber> changes) {
  // Every field's number as `value` holds it, then the changed ones.
  std::vector<std::uint32_t> numbers;
  for (const BitField& field : fields.fields) numbers.push_back(fieldValue(field, value));
  for (const RowNumber& change : changes)
    if (change.row < numbers.size()) numbers[change.row] = change.number;
  return valueFromFields(fields, numbers);
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
