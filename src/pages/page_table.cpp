#include "pages/pages.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

constexpr std::array<PageInfo, kPageCount> kPages{{
    {FontsTab, "Fonts", IDD_FONTS, FontsPageProc, resetFontsPage, fillFontsPage, false},
    {DumpTab, "Dump", IDD_DUMP, DumpPageProc, nullptr, nullptr, true},
    {StringsTab, "Boot-up Strings", IDD_STRINGS, StringsPageProc, resetStringsPage, fillStringsPage, false},
    {RegistersTab, "Registers", IDD_REGISTERS, RegistersPageProc, resetRegistersPage, fillRegistersPage, false},
    {PcirTab, "PCIR", IDD_PCIR, PcirPageProc, resetPcirPage, fillPcirPage, false},
    {VesaTab, "VESA Strings", IDD_VESA, VesaStringsPageProc, resetVesaPage, fillVesaPage, false},
    {ModesTab, "Video Modes", IDD_MODES, VideoModesPageProc, resetModesPage, fillModesPage, true},
    {LogoTab, "Logo Image", IDD_LOGO, LogoPageProc, resetLogoPage, fillLogoPage, false},
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
