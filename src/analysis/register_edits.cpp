#include "analysis/register_edits.h"

#include <variant>

namespace quarzel {

namespace {

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The page reads its edits the way sscanf's "%X" does: blanks, a sign, an
// optional 0x, then digits up to the first other character. A minus negates
// modulo 2^32 as sscanf does. Where sscanf would quietly cut or saturate a
// number past 32 bits, the text is refused instead, so Apply never stores a
// value the user did not type.
std::variant<std::uint32_t, EditError> readHex(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // The 0 of a prefix is a digit itself: "0x" with nothing after it is 0.
  const bool prefixed =
      i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
  if (prefixed) i += 2;

  const std::size_t first = i;
  std::uint64_t value = 0;
  for (; i < text.size() && hexDigit(text[i]) >= 0; ++i) {
    value = value << 4 | static_cast<std::uint64_t>(hexDigit(text[i]));
    if (value > 0xFFFFFFFF) return EditError::ValueTooLarge;
  }
  if (i == first && !prefixed) return EditError::NotHexNumber;
  const auto number = static_cast<std::uint32_t>(value);
  return negative ? static_cast<std::uint32_t>(0u - number) : number;
}

}  // namespace

std::optional<std::uint32_t> parseRegisterText(std::string_view text) {
  const auto read = readHex(text);
  if (const auto* number = std::get_if<std::uint32_t>(&read)) return *number;
  return std::nullopt;
}

EditResult applyRegisterText(Image& image, BiosLayout& layout, std::size_t index,
                             std::string_view text) {
  const auto read = readHex(text);
  if (const auto* error = std::get_if<EditError>(&read)) return EditResult::failed(*error);
  return applyRegisterValue(image, layout, index, std::get<std::uint32_t>(read));
}

EditResult applyRegisterValue(Image& image, BiosLayout& layout, std::size_t index,
                              std::uint32_t value) {
  if (index >= kRegisterCount) return EditResult::failed(EditError::NotLocated);
  // Without its write found, PLLCtrl2 is not the BIOS's: Apply ignores what
  // was typed for it.
  if (index == PLLCtrl2 && !layout.pllCtrl2Located)
    return EditResult::failed(EditError::NotLocated);

  RegisterEntry& entry = layout.registerTable[index];
  // A register not in this BIOS still keeps the value, so that the
  // comparison and the bit-field dialogs see what the user typed.
  entry.value = value;
  if (!entry.location || !Image::fits(*entry.location, 4))
    return EditResult::failed(EditError::NotLocated);

  // The BIOS loads the constant with a 32-bit mov: little-endian.
  for (std::size_t i = 0; i < 4; ++i)
    image.bytes[*entry.location + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return {{{*entry.location, 4}}, std::nullopt};
}

void reloadRegisterValues(const Image& image, BiosLayout& layout) {
  // PLLCtrl2 has a location only when its write was found.
  for (RegisterEntry& entry : layout.registerTable)
    if (entry.location)
      if (const auto value = image.dword(*entry.location)) entry.value = *value;
}

}  // namespace quarzel
