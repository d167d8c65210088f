#include "analysis/registers.h"

#include "formats/text_format.h"

namespace quarzel {

const std::array<RegisterInfo, kRegisterCount> kRegisters{{
    // name, value edit, offset button, "..." button, dialog, comparison edit, verdict
    {"PCIInit0", 1008, 1014, 1027, 111, 1036, 1046},
    {"MiscInit0", 1009, 1018, 1028, 112, 1037, 1047},
    {"MiscInit1", 1010, 1021, 1029, 114, 1038, 1048},
    {"DramInit0", 1011, 1019, 1030, 115, 1039, 1049},
    {"DramInit1", 1012, 1024, 1031, 116, 1040, 1050},
    {"AgpInit0", 1013, 1022, 1032, 117, 1041, 1051},
    {"PLLCtrl1", 1015, 1023, 1033, 118, 1042, 1052},
    {"PLLCtrl2", 1016, 1026, 0, 0, 1044, 1053},
    {"SGRAMmode", 1017, 1020, 1035, 119, 1043, 1054},
}};

double pllFrequency(std::uint32_t value) {
  constexpr double kReferenceMHz = 14.31818;
  const std::uint32_t k = value & 3;
  const std::uint32_t m = (value >> 2) & 63;
  const std::uint32_t n = (value >> 8) & 255;
  // Multiply first, then divide: the other order can round the last bit
  // differently and change a shown digit.
  const double product = kReferenceMHz * static_cast<double>(n + 2);
  return product / static_cast<double>((m + 2) << k);
}

std::string frequencyText(double megahertz) { return formatText("%g MHz", megahertz); }

std::string pllFrequencyText(const BiosLayout& layout) {
  const RegisterEntry& pll = layout.registerTable[PLLCtrl1];
  return pll.location ? frequencyText(pllFrequency(pll.value)) : " ";
}

std::string registerValueText(const BiosLayout& layout, std::size_t index) {
  const RegisterEntry& entry = layout.registerTable[index];
  if (entry.location) return formatText("%08X", entry.value);
  // The page resets the other edits to "0"; PLLCtrl2's is always rewritten in full.
  return index == PLLCtrl2 ? "00000000" : "0";
}

}  // namespace quarzel
