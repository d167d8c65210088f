#include "analysis/registers/register_edits.h"

#include <variant>

#include "formats/number_text.h"

namespace quarzel {

namespace {

// sscanf would quietly cut or saturate a number past 32 bits; the text is
// refused instead, so Apply never stores a value the user did not type.
std::variant<std::uint32_t, EditError> readRegisterText(std::string_view text) {
  const auto read = readHexNumber(text);
  if (const auto* number = std::get_if<std::uint32_t>(&read)) return *number;
  return std::get<NumberError>(read) == NumberError::TooLarge ? EditError::ValueTooLarge : EditError::NotHexNumber;
}

}  // namespace

EditResult applyRegisterText(Image& image, BiosLayout& layout, std::size_t index,
                             std::string_view text) {
  const auto read = readRegisterText(text);
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
  // comparison and the bit fields see what the user typed.
  entry.value = value;
  if (!entry.location || !Image::fits(*entry.location, kRegisterBytes))
    return EditResult::failed(EditError::NotLocated);
  // The code may load the constant from past the end of a cut-down file;
  // bytes there are never saved, so the edit would be lost.
  if (*entry.location + kRegisterBytes > image.end()) return EditResult::failed(EditError::PastImageEnd);

  // The BIOS loads the constant with a 32-bit mov: little-endian.
  for (std::size_t i = 0; i < kRegisterBytes; ++i)
    image.bytes[*entry.location + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return {{{*entry.location, kRegisterBytes}}, std::nullopt};
}

void reloadRegisterValues(const Image& image, BiosLayout& layout) {
  // PLLCtrl2 has a location only when its write was found.
  for (RegisterEntry& entry : layout.registerTable)
    if (entry.location)
      if (const auto value = image.dword(*entry.location)) entry.value = *value;
}

}  // namespace quarzel
