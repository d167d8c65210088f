// The card's screen as INT 10h sees it: a grid of character cells with a
// cursor, written the way the BIOS's write-string (function 13h) and
// teletype (function 0Eh) calls write it.
#pragma once

#include <cstdint>
#include <vector>

namespace quarzel {

struct Cell {
  std::uint8_t code = ' ';
  std::uint8_t attribute = 0x07;  // grey on black, as a mode set clears it
  bool written = false;           // by a call, rather than left by the mode set
};

class TextScreen {
 public:
  TextScreen(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  const Cell& at(int row, int column) const { return cells_[static_cast<std::size_t>(row * columns_ + column)]; }

  // Row in the high byte, column in the low, as DX carries it. A position
  // off the screen is taken as the BIOS takes it: the write starts there
  // and wraps at the last column.
  void setCursor(std::uint16_t position);
  std::uint16_t cursor() const;

  // BEL, BS, LF and CR move the cursor; any other code is written with the
  // attribute and the cursor moves on, to the next line past the last
  // column. An LF on the last row scrolls the screen up.
  void writeString(const std::vector<std::uint8_t>& text, std::uint8_t attribute);
  void teletype(std::uint8_t code);

 private:
  void put(std::uint8_t code, std::uint8_t attribute);
  void lineFeed();

  int columns_, rows_;
  int row_ = 0, column_ = 0;
  std::vector<Cell> cells_;
};

}  // namespace quarzel
