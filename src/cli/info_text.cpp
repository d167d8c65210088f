#include "analysis/pcir_fields.h"
#include "analysis/registers.h"
#include "analysis/video_modes.h"
#include "cli/reports.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

constexpr const char* kVesaNames[kVesaStringCount] = {"Vendor info", "Vendor name", "Product name", "Product revision"};

std::string offsetText(const Location& location) {
  return location ? formatText("%04X", *location) : std::string("not found");
}

// BIOS text for a terminal: CR LF starts a new indented line, bytes outside
// printable ASCII show as \xHH.
std::string readable(const std::string& bytes, const std::string& indent) {
  std::string out = indent;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      if (i + 2 < bytes.size()) out += "\n" + indent;
      ++i;
    } else if (byte >= 0x20 && byte <= 0x7E) {
      out += static_cast<char>(byte);
    } else {
      out += formatText("\\x%02X", byte);
    }
  }
  return out + "\n";
}

std::string bootString(const char* name, const Image& image, const BootString& string) {
  if (!string.address) return formatText("  %s: not found\n", name);
  std::string out = formatText("  %s at %04X: length %d, max length %u, count word %s\n", name,
                               *string.address, string.length, string.maxLength,
                               offsetText(string.lengthWord).c_str());
  return out + readable(image.text(*string.address), "    | ");
}

std::string strings(const Image& image, const BiosLayout& layout) {
  std::string out = "Boot-up Strings\n";
  out += bootString("String 1", image, layout.bootString1);
  if (layout.bootCodeAddress) out += formatText("    sign-on code at %04X\n", *layout.bootCodeAddress);
  out += bootString("String 2", image, layout.bootString2);
  out += layout.biosDate.address
             ? formatText("  BIOS date (mm/dd/yy) at %04X: %s\n", *layout.biosDate.address, layout.biosDate.text.data())
             : std::string("  BIOS date: not found\n");
  out += "\nLogo Image text lines\n";
  for (std::size_t i = 0; i < kLogoLines; ++i)
    out += formatText("  %zu: ", i + 1) + readable(layout.logoLines[i], "");
  return out;
}

std::string registers(const BiosLayout& layout) {
  std::string out = "\nRegisters            offset  value\n";
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    const RegisterEntry& entry = layout.registerTable[i];
    out += formatText("  %-18s %-7s %s\n", kRegisterNames[i],
                      entry.location ? formatText("%04X", *entry.location).c_str() : "-",
                      entry.location ? registerValueText(layout, i).c_str() : "not found");
  }
  return out + formatText("  PLLCtrl1 frequency: %s\n", pllFrequencyText(layout).c_str());
}

std::string fonts(const BiosLayout& layout) {
  std::string out = "\nFonts\n";
  out += formatText("  Font 8x8:  %s\n", offsetText(layout.fonts[Font8x8]).c_str());
  out += formatText("  Font 8x14: %s, fix-up table %s (%zu bytes)\n", offsetText(layout.fonts[Font8x14]).c_str(),
                    offsetText(layout.fixups[Font8x14].location).c_str(), layout.fixups[Font8x14].size);
  out += formatText("  Font 8x16: %s, fix-up table %s (%zu bytes)\n", offsetText(layout.fonts[Font8x16]).c_str(),
                    offsetText(layout.fixups[Font8x16].location).c_str(), layout.fixups[Font8x16].size);
  return out;
}

std::string pcir(const Image& image, const BiosLayout& layout) {
  if (!layout.pcir) return "\nPCIR: not found\n";
  const PcirFields f = readPcirFields(image, *layout.pcir);
  std::string out = formatText("\nPCIR at %04X\n", *layout.pcir);
  out += formatText("  Vendor ID: %s  %s\n", f.vendorIdText.c_str(), f.vendorName.c_str());
  out += formatText("  Device ID: %s  %s\n", f.deviceIdText.c_str(), f.deviceName.c_str());
  out += formatText("  Pointer to vital product data: %s\n", f.vitalProductData.c_str());
  out += formatText("  PCI data structure length: %s\n", f.structureLength.c_str());
  out += formatText("  PCI structure rev: %s\n", f.structureRevision.c_str());
  out += formatText("  Class code: %s  %s\n", f.classCode.c_str(), f.classText.c_str());
  out += formatText("  ROM Image size: %s  %s\n", f.imageLength.c_str(), f.imageSizeText.c_str());
  out += formatText("  Rev level of code/data: %s\n", f.codeRevision.c_str());
  out += formatText("  Code Type: %s\n", f.codeType.c_str());
  out += formatText("  Indicator: %s\n", f.indicator.c_str());
  return out;
}

std::string vesa(const Image& image, const BiosLayout& layout) {
  std::string out = "\nVESA Strings\n";
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const VesaString& string = layout.vesa[i];
    out += formatText("  %-17s ", (std::string(kVesaNames[i]) + ":").c_str());
    out += string.address ? formatText("at %04X, max length %u: ", *string.address, string.maxLength) +
                                readable(image.text(*string.address), "")
                          : std::string("not found\n");
  }
  return out;
}

template <std::size_t N>
std::string joined(const std::array<std::string, N>& texts) {
  std::string out;
  for (const std::string& text : texts) out += (out.empty() ? "" : " ") + text;
  return out;
}

const char* yesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

std::string modeText(const Image& image, const BiosLayout& layout, std::size_t row) {
  const ModeFields f = showSelectedMode(image, layout, row);
  std::string out = formatText("  %s\n", kVideoModes[row].text);
  out += formatText("    Column: %s D  Rows-1: %s D  Char height: %s D  Regen length: %s H\n", f.columns.c_str(),
                    f.rowsMinus1.c_str(), f.charHeight.c_str(), f.regenLength.c_str());
  out += formatText("    Sequencer: %s  Misc.output: %s\n", joined(f.sequencer).c_str(), f.miscOutput.c_str());
  out += formatText("    CRTC (0-24): %s\n", joined(f.crtc).c_str());
  out += formatText("    Attribute controller (0-19): %s\n", joined(f.attribute).c_str());
  out += formatText("    Graphics data controller (0-9): %s\n", joined(f.graphics).c_str());
  out += formatText("    Native mode (non VGA): %s  Interlace: %s  Native mode double scan: %s\n", yesNo(f.nativeMode),
                    yesNo(f.interlace), yesNo(f.nativeDoubleScan));
  out += formatText("    Desktop pixel format: %s  CRTC [1B]: %s  Index of parameter table: %s  Clock: %s\n",
                    f.pixelFormat.c_str(), f.crtc1B.c_str(), f.parameterIndex.c_str(), f.clock.c_str());
  return out;
}

std::string infoText(const std::string& name, const Image& image, const BiosLayout& layout) {
  std::string out = formatText("%s: %zu bytes, ROM length %zu bytes (byte 2 = %02Xh), checksum %s\n\n",
                               name.c_str(), image.size, romLength(image), image.bytes[2],
                               checksumOk(image) ? "ok" : "wrong");
  out += strings(image, layout) + registers(layout) + fonts(layout) + pcir(image, layout) + vesa(image, layout);
  out += formatText("\nVideo Modes\n  Video parameter table: %s\n  Extended mode table:   %s\n",
                    offsetText(layout.videoParameterTable).c_str(), offsetText(layout.extendedModeTable).c_str());
  // The page shows its first row after a load.
  return out + modeText(image, layout, 0);
}

}  // namespace quarzel::cli
