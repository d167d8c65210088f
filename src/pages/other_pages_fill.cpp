// What the analysis pass does to the Registers, Fonts, PCIR, VESA Strings and
// Video Modes pages: the reset before the locator blocks, and the filling
// from BiosLayout after them. Every control a block fills is reset first, so
// an image without an item never shows the previous image's value.
#include <string>

#include "analysis/pcir_fields.h"
#include "analysis/registers.h"
#include "ui/app_state.h"
#include "ui/window_helpers.h"
#include "pages/pages.h"
#include "pages/register_controls.h"
#include "pages/video_modes_page.h"
#include "resources/resource.h"

namespace quarzel::app {

namespace {

// The read-only fields of the PCIR page; the offset button apart.
constexpr int kPcirFields[] = {
    IDC_PCIR_VENDOR_ID,   IDC_PCIR_VENDOR_NAME, IDC_PCIR_DEVICE_ID,     IDC_PCIR_DEVICE_NAME, IDC_PCIR_VITAL_DATA,
    IDC_PCIR_LENGTH,      IDC_PCIR_REVISION,    IDC_PCIR_CLASS_CODE,    IDC_PCIR_CLASS_TEXT,  IDC_PCIR_IMAGE_LENGTH,
    IDC_PCIR_IMAGE_SIZE,  IDC_PCIR_CODE_REVISION, IDC_PCIR_CODE_TYPE,   IDC_PCIR_INDICATOR,
};

void setOffsetOrZero(HWND page, int id, const Location& location) {
  if (location)
    setOffsetCaption(page, id, *location);
  else
    setText(page, id, "0");
}

void resetRegisters() {
  HWND page = pageWindow(RegistersTab);
  // PLLCtrl2's value and the offsets are written by every fill.
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    if (i != PLLCtrl2) setText(page, kRegisterRows[i].value, "0");
}

void resetPcir() {
  HWND page = pageWindow(PcirTab);
  setText(page, IDC_PCIR_OFFSET, "0");
  for (const int id : kPcirFields) setText(page, id, "");
}

void fillRegisters() {
  HWND page = pageWindow(RegistersTab);
  const BiosLayout& layout = state().Layout;
  for (std::size_t i = 0; i < kRegisterCount; ++i) {
    setOffsetOrZero(page, kRegisterRows[i].offset, layout.registerTable[i].location);
    if (layout.registerTable[i].location || i == PLLCtrl2) setText(page, kRegisterRows[i].value, registerValueText(layout, i));
  }
  setText(page, IDC_REG_PLL_FREQUENCY, pllFrequencyText(layout));
}

void fillFonts() {
  const Location& font = state().Layout.fonts[Font8x8];
  if (font) setOffsetCaption(pageWindow(FontsTab), IDC_FONTS_OFFSET, *font);
}

void fillPcir() {
  const AppState& s = state();
  if (!s.Layout.pcir) return;
  HWND page = pageWindow(PcirTab);
  const PcirFields f = readPcirFields(s.BiosImage, *s.Layout.pcir);
  setOffsetCaption(page, IDC_PCIR_OFFSET, *s.Layout.pcir);
  setText(page, IDC_PCIR_VENDOR_ID, f.vendorIdText);
  setText(page, IDC_PCIR_DEVICE_ID, f.deviceIdText);
  setText(page, IDC_PCIR_VENDOR_NAME, f.vendorName);
  setText(page, IDC_PCIR_DEVICE_NAME, f.deviceName);
  setText(page, IDC_PCIR_VITAL_DATA, f.vitalProductData);
  setText(page, IDC_PCIR_LENGTH, f.structureLength);
  setText(page, IDC_PCIR_REVISION, f.structureRevision);
  setText(page, IDC_PCIR_CLASS_CODE, f.classCode);
  setText(page, IDC_PCIR_CLASS_TEXT, f.classText);
  setText(page, IDC_PCIR_IMAGE_LENGTH, f.imageLength);
  setText(page, IDC_PCIR_IMAGE_SIZE, f.imageSizeText);
  setText(page, IDC_PCIR_CODE_REVISION, f.codeRevision);
  setText(page, IDC_PCIR_CODE_TYPE, f.codeType);
  setText(page, IDC_PCIR_INDICATOR, f.indicator);
}

}  // namespace

void resetOtherPages() {
  resetRegisters();
  setText(pageWindow(FontsTab), IDC_FONTS_OFFSET, "0");
  resetPcir();
  resetVesaPage();
  clearModeFields();
}

void fillOtherPages() {
  fillRegisters();
  fillFonts();
  fillPcir();
  fillVesaPage();
  // Also after the Dump page's Restore, which the load sequence's own
  // refresh of the selected mode does not cover.
  if (state().Layout.videoParameterTable) showSelectedMode();
}

}  // namespace quarzel::app
