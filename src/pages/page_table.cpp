#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

constexpr std::array<PageInfo, kPageCount> kPages{{
    {FontsTab, "Fonts", IDD_FONTS, FontsPageProc, resetFontsPage, fillFontsPage, refreshFontsPage},
    {DumpTab, "Dump", IDD_DUMP, DumpPageProc, nullptr, nullptr, nullptr},
    {StringsTab, "Boot-up Strings", IDD_STRINGS, StringsPageProc, resetStringsPage, fillStringsPage, nullptr},
    {RegistersTab, "Registers", IDD_REGISTERS, RegistersPageProc, nullptr, fillRegistersPage, nullptr},
    {PcirTab, "PCIR", IDD_PCIR, PcirPageProc, resetPcirPage, fillPcirPage, refreshPcirPage},
    {VesaTab, "VESA Strings", IDD_VESA, VesaStringsPageProc, resetVesaPage, fillVesaPage, nullptr},
    {ModesTab, "Video Modes", IDD_MODES, VideoModesPageProc, resetModesPage, fillModesPage, refreshModesPage},
    {LogoTab, "Logo Image", IDD_LOGO, LogoPageProc, resetLogoPage, fillLogoPage, nullptr},
}};

constexpr bool inTabOrder() {
  for (std::size_t i = 0; i < kPages.size(); ++i)
    if (kPages[i].tab != static_cast<int>(i)) return false;
  return true;
}
static_assert(inTabOrder());

}  // namespace

const std::array<PageInfo, kPageCount>& pageTable() { return kPages; }

}  // namespace quarzel::app
