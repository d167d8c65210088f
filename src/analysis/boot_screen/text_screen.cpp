#include "analysis/boot_screen/text_screen.h"

#include <algorithm>

namespace quarzel {

namespace {
constexpr std::uint8_t kBell = 0x07, kBackspace = 0x08, kLineFeed = 0x0A, kCarriageReturn = 0x0D;
}  // namespace

TextScreen::TextScreen(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows)) {}

void TextScreen::setCursor(std::uint16_t position) {
  row_ = position >> 8;
  column_ = position & 0xFF;
}

std::uint16_t TextScreen::cursor() const { return static_cast<std::uint16_t>(row_ << 8 | column_); }

void TextScreen::put(std::uint8_t code, std::uint8_t attribute) {
  // A cell off the screen lies outside the page the card shows.
  if (row_ < rows_ && column_ < columns_) cells_[static_cast<std::size_t>(row_ * columns_ + column_)] = {code, attribute, true};
  if (++column_ >= columns_) {
    column_ = 0;
    lineFeed();
  }
}

void TextScreen::lineFeed() {
  if (row_ + 1 < rows_) {
    ++row_;
    return;
  }
  // The new bottom line takes the attribute of the cell at the cursor.
  const std::uint8_t attribute = at(std::min(row_, rows_ - 1), std::min(column_, columns_ - 1)).attribute;
  std::move(cells_.begin() + columns_, cells_.end(), cells_.begin());
  std::fill(cells_.end() - columns_, cells_.end(), Cell{' ', attribute});
  row_ = rows_ - 1;
}

void TextScreen::teletype(std::uint8_t code) {
  switch (code) {
    case kBell: return;
    case kBackspace: column_ = std::max(column_ - 1, 0); return;
    case kLineFeed: lineFeed(); return;
    case kCarriageReturn: column_ = 0; return;
    default: {
      // Teletype keeps the attribute the cell has in text modes.
      const std::uint8_t attribute =
          row_ < rows_ && column_ < columns_ ? at(row_, column_).attribute : Cell{}.attribute;
      put(code, attribute);
    }
  }
}

void TextScreen::writeString(const std::vector<std::uint8_t>& text, std::uint8_t attribute) {
  for (const std::uint8_t code : text) {
    if (code == kBell || code == kBackspace || code == kLineFeed || code == kCarriageReturn)
      teletype(code);
    else
      put(code, attribute);
  }
}

}  // namespace quarzel
