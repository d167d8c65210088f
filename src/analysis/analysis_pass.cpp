#include "analysis/analysis_pass.h"

#include <algorithm>

#include "analysis/strings/bios_date.h"
#include "analysis/strings/boot_string1.h"
#include "analysis/strings/boot_string2.h"
#include "analysis/fonts/font_locator.h"
#include "analysis/logo/logo_locator.h"
#include "analysis/modes/mode_table_locator.h"
#include "analysis/pci_vesa/pcir_locator.h"
#include "analysis/pointer_directory.h"
#include "analysis/registers/register_locator.h"
#include "analysis/pci_vesa/vesa_locator.h"

namespace quarzel {

void AnalysisPass(const Image& image, BiosLayout& layout) {
  layout = BiosLayout{};

  locateLogo(image, layout);
  locateBootString1(image, layout);
  locateBootString2(image, layout);
  locateBiosDate(image, layout);
  locateRegisters(image, layout);
  locateFonts(image, layout);
  locatePcir(image, layout);
  locateVesaStrings(image, layout);
  locateExtendedModeTable(image, layout);
  locatePointerDirectory(image, layout);
}

void relocateSignOn(const Image& image, BiosLayout& layout) {
  layout.logo.reset();
  layout.bootString1 = {};
  layout.bootCodeAddress.reset();
  layout.logoLines = {};
  locateLogo(image, layout);
  locateBootString1(image, layout);
}

bool foundAnyItem(const BiosLayout& layout) {
  const auto any = [](const auto& items, auto location) {
    return std::ranges::any_of(items, [&](const auto& item) { return location(item).has_value(); });
  };
  return layout.bootString1.address || layout.bootCodeAddress || layout.bootString2.address ||
         layout.biosDate.address || layout.pllCtrl2Located ||
         any(layout.registerTable, [](const RegisterEntry& r) { return r.location; }) ||
         any(layout.fonts, [](const Location& l) { return l; }) ||
         any(layout.fixups, [](const FixupTable& f) { return f.location; }) || layout.videoParameterTable ||
         layout.pcir || any(layout.vesa, [](const VesaString& v) { return v.address; }) ||
         layout.extendedModeTable || layout.modeInfoTable;
}

}  // namespace quarzel
