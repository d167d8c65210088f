#include "formats/text_page.h"

#include <array>

namespace quarzel {

namespace {

constexpr std::array<const char*, 32> kControlGlyphs = {
    " ", "☺", "☻", "♥", "♦", "♣", "♠", "•", "◘", "○", "◙", "♂", "♀", "♪", "♫", "☼",
    "►", "◄", "↕", "‼", "¶", "§", "▬", "↨", "↑", "↓", "→", "←", "∟", "↔", "▲", "▼"};

constexpr std::array<const char*, 128> kHighGlyphs = {
    "Ç", "ü", "é", "â", "ä", "à", "å", "ç", "ê", "ë", "è", "ï", "î", "ì", "Ä", "Å",
    "É", "æ", "Æ", "ô", "ö", "ò", "û", "ù", "ÿ", "Ö", "Ü", "¢", "£", "¥", "₧", "ƒ",
    "á", "í", "ó", "ú", "ñ", "Ñ", "ª", "º", "¿", "⌐", "¬", "½", "¼", "¡", "«", "»",
    "░", "▒", "▓", "│", "┤", "╡", "╢", "╖", "╕", "╣", "║", "╗", "╝", "╜", "╛", "┐",
    "└", "┴", "┬", "├", "─", "┼", "╞", "╟", "╚", "╔", "╩", "╦", "╠", "═", "╬", "╧",
    "╨", "╤", "╥", "╙", "╘", "╒", "╓", "╫", "╪", "┘", "┌", "█", "▄", "▌", "▐", "▀",
    "α", "ß", "Γ", "π", "Σ", "σ", "µ", "τ", "Φ", "Θ", "Ω", "δ", "∞", "φ", "ε", "∩",
    "≡", "±", "≥", "≤", "⌠", "⌡", "÷", "≈", "°", "∙", "·", "√", "ⁿ", "²", "■", " "};

}  // namespace

std::string cp437Utf8(std::uint8_t code) {
  if (code < 0x20) return kControlGlyphs[code];
  if (code == 0x7F) return "⌂";
  if (code >= 0x80) return kHighGlyphs[code - 0x80];
  return std::string(1, static_cast<char>(code));
}

std::string textPageText(std::span<const std::uint8_t> page) {
  std::string text, pendingRows;
  for (std::size_t row = 0; row < kTextRows; ++row) {
    std::string line, pendingBlanks;
    for (std::size_t column = 0; column < kTextColumns; ++column) {
      const std::size_t at = 2 * (row * kTextColumns + column);
      const std::uint8_t code = at < page.size() ? page[at] : 0;
      if (code == 0 || code == ' ' || code == 0xFF) {
        pendingBlanks += ' ';
        continue;
      }
      line += pendingBlanks + cp437Utf8(code);
      pendingBlanks.clear();
    }
    pendingRows += line + "\n";
    if (!line.empty()) {
      text += pendingRows;
      pendingRows.clear();
    }
  }
  return text;
}

}  // namespace quarzel
