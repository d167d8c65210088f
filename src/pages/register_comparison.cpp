#include "pages/register_comparison.h"

#include <optional>

#include "analysis/registers/register_compare.h"
#include "analysis/registers/registers.h"
#include "formats/file_io.h"
#include "pages/register_controls.h"
#include "ui/app_state.h"
#include "ui/platform.h"
#include "ui/window_helpers.h"
#include "ui/error_messages.h"

namespace quarzel::app {

namespace {

// The second BIOS is only read for its register values, never edited or
// saved, so only those are kept; they describe another image and outlive
// every load of this one.
struct Comparison {
  std::optional<CompareScan> scan;  // set by the first good comparison
  std::string path;  // the file last chosen in the comparison's open dialog
};
Comparison comparison;

HWND registersPage() { return pageWindow(RegistersTab); }

// The whole file is read and checked before anything changes, so a refused
// file leaves the previous comparison exactly as it was; it says why, as a
// refused Load BIOS does.
std::optional<Image> loadCompareBios() {
  const auto chosen = platform().openFile(openBiosDialog("Load BIOS to compare"), comparison.path);
  if (!chosen) return std::nullopt;
  comparison.path = chosen->path;
  ImageFile file = readImageFile(chosen->path);
  if (!file.image) {
    showError(registersPage(), headline(Task::BiosLoad), FileOutcome::failed(chosen->title, file.error).reason);
    return std::nullopt;
  }
  setAnsiText(registersPage(), IDC_REG_COMPARE_FILE, chosen->title);
  return std::move(file.image);
}

// The register searches over the second image; no locations are kept.
void locateCompareRegisters(const Image& second) {
  const CompareScan scan = scanCompareRegisters(second);
  comparison.scan = scan;
  HWND page = registersPage();
  for (std::size_t i = 0; i < kRegisterCount; ++i) setText(page, kRegisterRows[i].compare, compareValueText(scan, i));
  setText(page, IDC_REG_COMPARE_PLL_FREQUENCY, compareFrequencyText(scan));
}

}  // namespace

void compareWithSecondBios() {
  const std::optional<Image> second = loadCompareBios();
  if (!second) return;
  locateCompareRegisters(*second);
  updateCompareLabels();
}

void updateCompareLabels() {
  if (!comparison.scan) return;
  HWND page = registersPage();
  for (std::size_t i = 0; i < kRegisterCount; ++i)
    setText(page, kRegisterRows[i].verdict, registerVerdict(locatedValue(state().Layout.registerTable[i]), comparedValue(i)));
}

std::optional<std::uint32_t> comparedValue(std::size_t index) {
  return comparison.scan ? quarzel::comparedValue(*comparison.scan, index) : std::nullopt;
}

void forgetComparison() { comparison = {}; }

}  // namespace quarzel::app
