#include "pages/register_dialog_layout.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>

#include "resources/resource.h"

namespace quarzel::app {

namespace {

// Dialog units. The rows start below the "bits:" and "cmp:" headings; a
// column's bit range, field edit, comparison edit and text stand at these
// distances from its left edge.
constexpr int kHeadingY = 5, kValueY = 17, kColumnHeadingY = 27, kFirstRowY = 38;
constexpr int kColumnX[] = {5, 240};
constexpr int kFieldEditDx = 24, kCompareEditDx = 51, kTextDx = 80, kEditWidth = 26;
constexpr int kLineHeight = 8, kRightMargin = 1;
// Rows are 13 units apart where the dialog has room, closer where it has
// not, down to edits 10 units high; texts keep a gap above the buttons.
constexpr int kWidestPitch = 13, kNarrowestPitch = 11, kGapAboveButtons = 3;
constexpr int kButtonWidth = 50, kButtonHeight = 14;

// The PLL dialog's frequencies, its formula and the formula's picture
// (228 x 55 pixels, 34 units high) follow the rows.
constexpr int kFrequencyY = 91, kCompareLabelDy = 10, kCompareValueDy = 11, kFormulaTextDy = 21, kFormulaDy = 35;
constexpr int kFormulaX = 60, kFormulaWidth = 152, kFormulaHeight = 34;

struct Placed {
  std::vector<DialogControl> controls;
  int lowest = 0;  // the bottom of the lowest control
  // The bottom of the lowest control that reaches over the buttons' columns
  // and so must end above them.
  int lowestOverButtons = 0;
  int buttonsLeft = 0;

  void add(const DialogControl& control, int bottom) {
    controls.push_back(control);
    lowest = std::max(lowest, bottom);
    if (control.x + control.width > buttonsLeft) lowestOverButtons = std::max(lowestOverButtons, bottom);
  }
  void add(const DialogControl& control) { add(control, control.y + control.height); }
};

// A static breaks its lines at "\r\n"; the blanks after a break indent the
// line that follows, and the static wraps only what is still too long.
std::string shownText(const char* text) {
  std::string shown;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\n') shown += '\r';
    shown += *c;
  }
  return shown;
}

int columnCount(const RegisterDialog& dialog) {
  return std::ranges::any_of(rowsOf(dialog), [&](const BitField& f) { return columnOf(dialog, f) == 1; }) ? 2 : 1;
}

int textWidth(const RegisterDialog& dialog, int column) {
  const int textX = kColumnX[column] + kTextDx;
  const int right = column == 0 && columnCount(dialog) == 2 ? kColumnX[1] : dialog.width;
  return right - textX - kRightMargin;
}

DialogControl label(int x, int y, int width, const std::string& text, int lines = 1) {
  return {DialogControl::Static, IDC_STATIC, x, y, width, kLineHeight * lines, text};
}

// The rows of one column, `pitch` units apart, further where a text needs
// more than one line.
void placeRows(const RegisterDialog& dialog, int column, int pitch, const DialogTextMetrics& metrics, Placed& out) {
  const int editHeight = std::min(12, pitch - 1);
  const int textDy = (editHeight - kLineHeight) / 2;
  const int x = kColumnX[column], width = textWidth(dialog, column);
  int y = kFirstRowY;
  const std::span<const BitField> rows = rowsOf(dialog);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const BitField& field = rows[row];
    if (columnOf(dialog, field) != column) continue;
    const std::string text = shownText(field.text);
    const int lines = metrics.lines(text, width);
    out.add(label(x, y + textDy, kFieldEditDx - 2, bitRangeText(field)));
    if (!field.reserved) {
      out.add({DialogControl::Edit, fieldEditId(row), x + kFieldEditDx, y, kEditWidth, editHeight, ""});
      out.add({DialogControl::Edit, compareEditId(row), x + kCompareEditDx, y, kEditWidth, editHeight, "", ES_READONLY});
    }
    const DialogControl meaning = label(x + kTextDx, y + textDy, width, text, lines);
    out.add(meaning);
    y = std::max(y + pitch, meaning.y + meaning.height + 1);
  }
}

void placeFrequencies(Placed& out) {
  const int y = std::max(kFrequencyY, out.lowest + 2);
  out.add(label(5, y, 40, "frequency = "));
  out.add({DialogControl::Static, IDC_REGDLG_FREQUENCY, 45, y, 100, kLineHeight, "0"});
  out.add(label(5, y + kCompareLabelDy, 56, "cmp frequency = "));
  out.add({DialogControl::Static, IDC_REGDLG_COMPARE_FREQUENCY, 61, y + kCompareValueDy, 100, kLineHeight, "0"});
  out.add(label(4, y + kFormulaTextDy, 200, "The general formula for output frequency:"));
  // The picture sizes itself to the bitmap.
  DialogControl formula{DialogControl::Bitmap, IDC_STATIC, kFormulaX, y + kFormulaDy, kFormulaWidth, 0, ""};
  formula.bitmapId = IDB_PLL_FORMULA;
  out.add(formula, formula.y + kFormulaHeight);
}

int buttonTop(int height) { return height - kButtonHeight - 8; }
int buttonsLeft(int width) { return width - 116; }

Placed placeAll(const RegisterDialog& dialog, int pitch, const DialogTextMetrics& metrics) {
  Placed out;
  out.buttonsLeft = buttonsLeft(dialog.width);
  out.add(label(5, kHeadingY, dialog.width - 10, dialog.heading));
  out.add(label(5, kValueY, 24, "Value:"));
  out.add({DialogControl::Static, IDC_REGDLG_HEX, 30, kValueY, 42, kLineHeight, "Static"});
  out.add({DialogControl::Static, IDC_REGDLG_BITS, 75, kValueY, dialog.width - 79, kLineHeight, "Static"});
  for (int column = 0; column < columnCount(dialog); ++column) {
    out.add(label(kColumnX[column], kColumnHeadingY, 20, "bits:"));
    out.add(label(kColumnX[column] + 56, kColumnHeadingY, 20, "cmp:"));
    placeRows(dialog, column, pitch, metrics, out);
  }
  if (showsClocks(dialog)) placeFrequencies(out);
  return out;
}

bool fits(const Placed& placed, int height) {
  return placed.lowestOverButtons + kGapAboveButtons <= buttonTop(height) && placed.lowest <= height - 3;
}

}  // namespace

std::vector<std::uint8_t> registerDialogTemplate(const RegisterDialog& dialog, const DialogTextMetrics& metrics) {
  int height = dialog.height;
  std::optional<Placed> placed;
  for (int pitch = kWidestPitch; pitch >= kNarrowestPitch && !placed; --pitch) {
    Placed candidate = placeAll(dialog, pitch, metrics);
    if (fits(candidate, height)) placed = std::move(candidate);
  }
  // A font wider than the dialog was drawn for: it grows instead of
  // cutting its texts.
  if (!placed) {
    placed = placeAll(dialog, kNarrowestPitch, metrics);
    height = std::max(placed->lowestOverButtons + kGapAboveButtons + kButtonHeight + 8, placed->lowest + 3);
  }
  DialogTemplateBuilder builder(dialog.title, dialog.width, height, dialog.systemMenu);
  for (const DialogControl& control : placed->controls) builder.add(control);
  const int top = buttonTop(height);
  builder.add({DialogControl::Button, IDOK, buttonsLeft(dialog.width), top, kButtonWidth, kButtonHeight, "OK",
               BS_DEFPUSHBUTTON});
  builder.add({DialogControl::Button, IDCANCEL, dialog.width - 59, top, kButtonWidth, kButtonHeight, "Cancel"});
  return builder.build();
}

}  // namespace quarzel::app
