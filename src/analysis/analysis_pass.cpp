#include "analysis/analysis_pass.h"

#include "analysis/bios_date.h"
#include "analysis/boot_string1.h"
#include "analysis/boot_string2.h"
#include "analysis/font_locator.h"
#include "analysis/logo_locator.h"
#include "analysis/mode_table_locator.h"
#include "analysis/pcir_locator.h"
#include "analysis/register_locator.h"
#include "analysis/vesa_locator.h"

namespace quarzel {

void AnalysisPass(const Image& image, BiosLayout& layout) {
  const auto compareValues = layout.compareValues;
  layout = BiosLayout{};
  layout.compareValues = compareValues;

  locateLogo(image, layout);
  locateBootString1(image, layout);
  locateBootString2(image, layout);
  locateBiosDate(image, layout);
  locateRegisters(image, layout);
  locateFonts(image, layout);
  locatePcir(image, layout);
  locateVesaStrings(image, layout);
  locateExtendedModeTable(image, layout);
}

void relocateSignOn(const Image& image, BiosLayout& layout) {
  layout.logo.reset();
  layout.bootString1 = {};
  layout.bootCodeAddress.reset();
  layout.logoLines = {};
  locateLogo(image, layout);
  locateBootString1(image, layout);
}

}  // namespace quarzel
