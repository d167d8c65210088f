#include "analysis/pci_vesa/vesa_edits.h"

#include "analysis/strings/boot_string.h"
#include "analysis/strings/string_edits.h"

namespace quarzel {

EditResult applyVesaString(Image& image, const VesaString& string, std::string_view text) {
  if (!string.address) return EditResult::failed(EditError::NotLocated);
  if (!startsInImage(image, *string.address)) return EditResult::failed(EditError::PastImageEnd);
  // The zero byte after the text ends the string for the VBE caller; the
  // rest of the field turns to blanks and the old terminator stays in place.
  return {writeTextField(image, *string.address, string.maxLength, 0x20, text), std::nullopt};
}

}  // namespace quarzel
