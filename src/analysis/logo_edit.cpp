#include "analysis/logo_edit.h"

#include <algorithm>

namespace quarzel {

namespace {

constexpr std::uint16_t k3dfxVendorId = 0x121A;
constexpr std::size_t kLineCharsRead = 255;  // what the page reads from each edit
constexpr std::size_t kPcirVendorId = 4;

}  // namespace

LogoLines logoLinesWith(const BiosLayout& layout, const std::array<std::optional<std::string>, kLogoLines>& given) {
  LogoLines lines = layout.logoLines;
  for (std::size_t k = 0; k < kLogoLines; ++k)
    if (given[k]) lines[k] = *given[k];
  return lines;
}

EditResult applyLogo(Image& image, const BiosLayout& layout, const LogoPicture& picture, const LogoLines& lines) {
  if (!layout.bootCodeAddress) return EditResult::failed(EditError::NoBootCode);
  if (!layout.pcir || image.word(*layout.pcir + kPcirVendorId) != k3dfxVendorId)
    return EditResult::failed(EditError::NotA3dfxBios);
  if (const auto error = logoSizeError(picture.width, picture.height))
    return EditResult::failed(*error);
  const std::size_t pictureBytes = logoRunBytes(picture) - kLogoReserveBytes;
  if (picture.rows.size() < pictureBytes) return EditResult::failed(EditError::BmpTruncated);

  std::array<std::string, kLogoLines> cut;
  std::size_t textBytes = 0;
  for (std::size_t k = 0; k < kLogoLines; ++k) {
    cut[k] = lines[k].substr(0, kLineCharsRead);
    textBytes += cut[k].size();
  }
  // The texts and their 0 byte must stay inside the run's reserve.
  if (textBytes > kLogoTextCapacity) return EditResult::failed(EditError::LogoTextTooLong);

  const std::size_t bootCode = *layout.bootCodeAddress;
  if (!Image::fits(bootCode, kCallPatchBytes)) return EditResult::failed(EditError::NoBootCode);

  // The bytes the call takes are not free, even when FFh follows the
  // sign-on code: a block there would overwrite its own call.
  Image taken = image;
  std::fill_n(taken.bytes.begin() + static_cast<std::ptrdiff_t>(bootCode), kCallPatchBytes, 0x00);
  const auto base = findFreeRun(taken, logoRunBytes(picture));
  if (!base) return EditResult::failed(EditError::NoFreeRun);

  const auto call = callPatch(bootCode, *base);
  const auto block = buildLogoBlock(*base, picture, cut);
  std::copy(call.begin(), call.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(bootCode));
  std::copy(block.begin(), block.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(*base));
  return {{{bootCode, call.size()}, {*base, block.size()}}, std::nullopt};
}

}  // namespace quarzel
