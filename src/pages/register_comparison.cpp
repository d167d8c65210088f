#include "pages/register_comparison.h"

#include "analysis/register_compare.h"
#include "formats/file_io.h"
#include "pages/register_controls.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"

namespace quarzel::app {

namespace {

HWND registersPage() { return pageWindow(RegistersTab); }

// The whole file is read and checked before CompareImage changes, so a
// refused file leaves the previous comparison exactly as it was; it says
// why, as a refused Load BIOS does.
bool loadCompareBios() {
  AppState& s = state();
  const auto chosen = platform().openFile(openBiosDialog(), s.comparePath);
  if (!chosen) return false;
  s.comparePath = chosen->path;
  ImageFile file = readImageFile(chosen->path);
  if (!file.image) {
    showError(registersPage(), "BIOS loading error!!!", FileOutcome::failed(chosen->title, file.error).reason);
    return false;
  }
  s.CompareImage = *file.image;
  setAnsiText(registersPage(), IDC_REG_COMPARE_FILE, chosen->title);
  return true;
}

// The register searches over the second image; no locations are kept.
void locateCompareRegisters() {
  AppState& s = state();
  const CompareScan scan = scanCompareRegisters(s.CompareImage);
  s.Layout.compareValues = scan.values;
  HWND page = registersPage();
  for (std::size_t i = 0; i < kRegisterCount; ++i) setText(page, kRegisterRows[i].compare, compareValueText(scan, i));
  setText(page, IDC_REG_COMPARE_PLL_FREQUENCY, compareFrequencyText(scan));
}

}  // namespace

void compareWithSecondBios() {
  if (!loadCompareBios()) return;
  locateCompareRegisters();
  state().compareLoaded = true;
  updateCompareLabels();
}

void updateCompareLabels() {
  if (!state().compareLoaded) return;
  HWND page = registersPage();
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    setText(page, kRegisterRows[i].verdict, registerVerdict(state().Layout, i));
}

}  // namespace quarzel::app
