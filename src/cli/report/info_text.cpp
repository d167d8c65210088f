#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/pointer_directory.h"
#include "analysis/registers/registers.h"
#include "analysis/strings/boot_string.h"
#include "analysis/strings/string_edits.h"
#include "analysis/modes/video_modes.h"
#include "describe/readable_text.h"
#include "cli/report/reports.h"
#include "describe/vesa_names.h"
#include "formats/text_format.h"

namespace quarzel::cli {

namespace {

std::string offsetText(const Location& location) {
  return location ? formatText("%04X", *location) : std::string("not found");
}

std::string bootString(const char* name, const Image& image, const BootString& string) {
  if (!string.address) return formatText("  %s: not found\n", name);
  std::string out = formatText("  %s at %04X: length %d, max length %u, count word %s\n", name,
                               *string.address, string.length, string.maxLength,
                               offsetText(string.lengthWord).c_str());
  if (!string.printed) out += formatText("    %s\n", kNotPrintedNote);
  return out + readable(fieldText(image, string), "    | ");
}

std::string strings(const Image& image, const BiosLayout& layout) {
  std::string out = "Boot-up Strings\n";
  out += bootString("String 1", image, layout.bootString1);
  if (layout.bootCodeAddress) out += formatText("    sign-on code at %04X\n", *layout.bootCodeAddress);
  out += bootString("String 2", image, layout.bootString2);
  out += layout.biosDate.address
             ? formatText("  BIOS date (mm/dd/yy) at %04X: %s\n", *layout.biosDate.address, layout.biosDate.text.data())
             : std::string("  BIOS date: not found\n");
  out += "\nLogo Image\n";
  if (const auto& logo = layout.logo)
    out += formatText("  installed logo: %dx%d at %04zX, called at %04X; %s\n", logo->block.width, logo->block.height,
                      logo->block.base, logo->call,
                      logo->block.savedCode ? "keeps the sign-on code it replaced"
                                            : "written by an earlier quarzel, keeps no sign-on code");
  else
    out += "  no logo installed\n";
  out += "  text lines:\n";
  for (std::size_t i = 0; i < kLogoLines; ++i)
    out += formatText("    %zu: ", i + 1) + readable(layout.logoLines[i], "");
  return out;
}

// Each entry of the BIOS's pointer directory against what the locators found.
std::string pointerDirectory(const Image& image, const BiosLayout& layout) {
  const auto checks = directoryChecks(image, layout);
  if (!checks) return "\nPointer directory: not found\n";
  std::string out = formatText("\nPointer directory at %04X (the word at %04zX)\n", *layout.pointerDirectory,
                               kDirectoryPointer);
  for (std::size_t i = 0; i < kDirectoryEntries; ++i) {
    const DirectoryCheck& c = (*checks)[i];
    out += formatText("  %-52s %-9s ", (std::string(kDirectoryRules[i].name) + ":").c_str(),
                      offsetText(c.directory).c_str());
    switch (c.witness) {
      case Witness::Agrees: out += "agrees\n"; break;
      case Witness::Differs: out += "differs: the locators found " + offsetText(c.located) + "\n"; break;
      case Witness::Taken: out += "taken: no locator found it\n"; break;
      case Witness::Missing:
        out += c.directory ? "no locator found it; not taken, the entry alone does not say enough\n"
                           : "no locator found it, nor does the entry name it inside the image\n";
        break;
    }
  }
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
  const PcirFields fields = readPcirFields(image, *layout.pcir);
  std::string out = formatText("\nPCIR at %04X\n", *layout.pcir);
  for (const PcirFieldRow& row : kPcirFieldRows)
    out += formatText("  %s: %s\n", row.label, pcirRowText(fields, row).c_str());
  return out;
}

std::string vesa(const Image& image, const BiosLayout& layout) {
  std::string out = "\nVESA Strings\n";
  for (std::size_t i = 0; i < kVesaStringCount; ++i) {
    const VesaString& string = layout.vesa[i];
    out += formatText("  %-17s ", (std::string(kVesaNames[i].label) + ":").c_str());
    out += string.address ? formatText("at %04X, max length %u: ", *string.address, string.maxLength) +
                                readable(image.text(*string.address), "")
                          : std::string("not found\n");
  }
  return out;
}

}  // namespace

std::string modeText(const Image& image, const BiosLayout& layout, std::size_t row) {
  const ModeSource source = modeSource(image, layout, row);
  const std::vector<ModeValueGroup> groups = modeValueGroups(modeFields(image, layout, source));
  // How many groups each line holds, as the page lays them out in rows.
  constexpr std::size_t kGroupsPerLine[] = {4, 2, 1, 1, 1, 3, 4, 3, 5};
  std::string out = "  " + modeHeading(source, row) + "\n";
  auto group = groups.begin();
  for (const std::size_t count : kGroupsPerLine) {
    out += "  ";
    for (const auto end = group + static_cast<std::ptrdiff_t>(count); group != end; ++group) {
      out += "  " + group->label() + ":";
      for (const std::string& text : group->texts) out += " " + text;
      if (group->unit) out += std::string(" ") + group->unit;
    }
    out += "\n";
  }
  // Where a pixel is not one cycle of the crystal or the PLL, say so: clock,
  // total and display all count pixels.
  if (const auto timing = sourceTiming(image, layout, source); timing && timing->pixelClockMHz && timing->clockDivisor > 1)
    out += formatText("    Pixel clock, total and display in pixels: the clock is %s / %u\n",
                      frequencyText(*timing->pixelClockMHz * timing->clockDivisor).c_str(), timing->clockDivisor);
  return out;
}

std::string infoText(const std::string& name, const Image& image, const BiosLayout& layout) {
  std::string out = formatText("%s: %zu bytes, ROM length %zu bytes (byte 2 = %02Xh), checksum %s\n\n",
                               name.c_str(), image.size, romLength(image), image.bytes[2],
                               checksumOk(image) ? "ok" : "wrong");
  out += strings(image, layout) + registers(layout) + fonts(layout) + pcir(image, layout) + vesa(image, layout);
  out += formatText("\nVideo Modes\n  Video parameter table: %s\n  Extended mode table:   %s (%zu-byte records)\n"
                    "  Mode information table: %s\n",
                    offsetText(layout.videoParameterTable).c_str(), offsetText(layout.extendedModeTable).c_str(),
                    layout.extendedRecordBytes, offsetText(layout.modeInfoTable).c_str());
  // The page shows its first row after a load.
  return out + modeText(image, layout, 0) + pointerDirectory(image, layout);
}

}  // namespace quarzel::cli
