// The PCIR and Video Modes pages label their values in their resource
// templates, while the CLI names the same values from the core's tables:
// the two must not drift apart.
#include "gui_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/pci_vesa/pcir_fields.h"
#include "analysis/modes/video_modes.h"
#include "app/main_window.h"
#include "ui/wide_text.h"

namespace quarzel::test {
namespace {

// The texts of the page's labels and check boxes in template order, each
// without the colon (and blank) that closes a label.
std::vector<std::string> labelsOf(HWND page) {
  std::vector<std::string> labels;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    const bool label = _wcsicmp(name, L"Static") == 0;
    const bool checkBox = _wcsicmp(name, L"Button") == 0 && (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX;
    if (!label && !checkBox) continue;
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    std::string shown = app::utf8Text(text);
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    if (label && !shown.empty() && shown.back() == ':') shown.pop_back();
    labels.push_back(shown);
  }
  return labels;
}

using PageLabels = GuiTest;

TEST_F(PageLabels, ThePcirPageLabelsTheCoresRowsInTheirOrder) {
  std::vector<std::string> expected{"PCIR offset"};
  for (const PcirFieldRow& row : kPcirFieldRows) expected.push_back(row.label);
  EXPECT_EQ(labelsOf(page(PcirTab)), expected);
}

// A group's label stands on the page as it is, or with a note in brackets
// after it ("Clock (If non-zero)").
TEST_F(PageLabels, EveryVideoModeGroupHasItsLabelOnThePage) {
  const std::vector<std::string> labels = labelsOf(page(ModesTab));
  for (const ModeValueGroup& group : modeValueGroups(ModeFields{})) {
    const std::string name = group.label();
    EXPECT_TRUE(std::ranges::any_of(labels, [&](const std::string& shown) {
      return shown == name || shown.starts_with(name + " (");
    })) << name;
  }
}

}  // namespace
}  // namespace quarzel::test
