#include "analysis/strings/string_edits.h"

#include <algorithm>

#include "analysis/strings/boot_string.h"

namespace quarzel {

namespace {

// How many of `length` bytes from `pos` lie before `end`.
std::size_t insideEnd(std::size_t pos, std::size_t length, std::size_t end) {
  return pos >= end ? 0 : std::min(length, end - pos);
}

// How many bytes of the text a field takes: it is cut to the field, and the
// field to the image.
std::size_t textInField(const Image& image, Offset address, std::size_t fieldLength, std::string_view text) {
  return std::min(text.size(), insideEnd(address, fieldLength, image.end()));
}
}  // namespace

std::vector<ByteRange> writeTextField(Image& image, Offset address, std::size_t fieldLength,
                                      std::uint8_t fill, std::string_view text) {
  std::vector<ByteRange> written;
  // The item owns its field and the text standing there with its zero byte;
  // what follows belongs to something else (string 2's field ends right
  // before the byte that gives the size of an extended mode record).
  const std::size_t room = std::max(fieldLength, image.textLength(address) + 1);
  const std::size_t field = insideEnd(address, fieldLength, image.end());
  const std::size_t textLength = textInField(image, address, fieldLength, text);
  const auto start = image.bytes.begin() + address;
  std::fill_n(start, field, fill);
  std::copy_n(text.begin(), textLength, start);
  if (field > 0) written.push_back({address, field});

  // A text that fills the whole room needs no zero byte: the BIOS prints it
  // by its count, and a VBE caller finds the one that stood there.
  const std::size_t terminator = std::size_t{address} + textLength;
  if (terminator < image.end() && textLength < room) {
    image.bytes[terminator] = 0;
    if (terminator >= std::size_t{address} + field) written.push_back({terminator, 1});
  }
  return written;
}

EditResult applyBootString(Image& image, const BootString& string, std::string_view text) {
  if (!string.address) return EditResult::failed(EditError::NotLocated);
  if (!startsInImage(image, *string.address)) return EditResult::failed(EditError::PastImageEnd);
  EditResult result;
  result.written = writeTextField(image, *string.address, string.maxLength, 0, text);

  // The write-string call prints exactly the count it is given, so the count
  // follows the bytes that now stand there. A count word past the end of
  // the loaded image is dropped as the text's bytes there are.
  if (string.lengthWord && *string.lengthWord + std::size_t{2} <= image.end()) {
    const auto count =
        static_cast<std::uint16_t>(textInField(image, *string.address, string.maxLength, text));
    image.bytes[*string.lengthWord] = static_cast<std::uint8_t>(count & 0xFF);
    image.bytes[*string.lengthWord + 1u] = static_cast<std::uint8_t>(count >> 8);
    result.written.push_back({*string.lengthWord, 2});
  }
  return result;
}

EditResult applyBiosDate(Image& image, BiosDate& date, std::string_view text) {
  if (!date.address) return EditResult::failed(EditError::NotLocated);
  if (!image.holds(*date.address, kBiosDateLength)) return EditResult::failed(EditError::PastImageEnd);
  date.text = {};
  std::copy_n(text.begin(), std::min(text.size(), kBiosDateLength), date.text.begin());
  std::copy_n(date.text.begin(), kBiosDateLength, image.bytes.begin() + *date.address);
  return {{{*date.address, kBiosDateLength}}, std::nullopt};
}

}  // namespace quarzel
