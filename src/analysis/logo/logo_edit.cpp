#include "analysis/logo/logo_edit.h"

#include <algorithm>

#include "analysis/pci_vesa/pcir_locator.h"
#include "formats/text_format.h"

namespace quarzel {

namespace {

void fill(Image& image, std::size_t at, std::size_t length, std::uint8_t value) {
  std::fill_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(at), length, value);
}

// The image with an installed logo's block free again, and the call's bytes
// taken: a block there would overwrite its own call.
Image freedImage(const Image& image, const BiosLayout& layout, std::size_t bootCode) {
  Image freed = image;
  if (layout.logo) fill(freed, layout.logo->block.base, layout.logo->block.size, 0xFF);
  fill(freed, bootCode, kCallPatchBytes, 0x00);
  return freed;
}

std::size_t romLimit(const Image& image) { return std::min(image.size, romLength(image)); }

// The free bytes right after the ROM length, in whole 512-byte steps: what
// the ROM may grow over without taking a byte that holds anything.
std::size_t freePastRom(const Image& image) {
  const std::size_t rom = romLength(image);
  std::size_t free = 0;
  while (rom + free < image.end() && image.bytes[rom + free] == 0xFF) ++free;
  return free / kRomLengthUnit * kRomLengthUnit;
}

// Where the block goes: in place of the installed one when it fits there,
// else the lowest run inside the ROM; the grown length where only growth
// makes room.
struct Placement {
  std::optional<std::size_t> base;
  std::optional<std::size_t> grownLength;
};
Placement place(const Image& freed, const BiosLayout& layout, std::size_t needed) {
  const std::size_t limit = romLimit(freed);
  if (layout.logo) {
    const std::size_t at = layout.logo->block.base;
    if (at + needed < limit &&
        std::all_of(freed.bytes.begin() + static_cast<std::ptrdiff_t>(at),
                    freed.bytes.begin() + static_cast<std::ptrdiff_t>(at + needed), [](std::uint8_t b) { return b == 0xFF; }))
      return {at, std::nullopt};
  }
  if (const auto base = findFreeRun(freed, needed)) return {base, std::nullopt};
  // The grown ROM ends with its checksum byte, after the block.
  const std::size_t growLimit = romLength(freed) + freePastRom(freed);
  if (romLength(freed) < limit || growLimit <= romLength(freed)) return {};
  const auto base = findFreeRun(freed, needed, growLimit);
  if (!base) return {};
  const std::size_t length = (*base + needed + 1 + kRomLengthUnit - 1) / kRomLengthUnit * kRomLengthUnit;
  return {base, length};
}

}  // namespace

LogoLines logoLinesWith(const BiosLayout& layout, const std::array<std::optional<std::string>, kLogoLines>& given) {
  LogoLines lines = layout.logoLines;
  for (std::size_t k = 0; k < kLogoLines; ++k)
    if (given[k]) lines[k] = *given[k];
  return lines;
}

LogoRoom logoRoom(const Image& image, const BiosLayout& layout, const LogoPicture& picture) {
  const Image freed = freedImage(image, layout, layout.bootCodeAddress.value_or(0));
  return {logoRunBytes(picture), largestFreeRun(freed, romLimit(freed)),
          romLength(freed) < romLimit(freed) ? 0 : freePastRom(freed)};
}

std::string logoRoomText(const LogoRoom& room) {
  std::string text = formatText("the logo needs %zu bytes of FFh; the largest free run inside the ROM holds %zu byte%s",
                                room.needed, room.largestInRom, room.largestInRom == 1 ? "" : "s");
  if (room.pastRom > 0) text += formatText("; %zu free bytes follow the ROM", room.pastRom);
  return text;
}

EditResult applyLogo(Image& image, const BiosLayout& layout, const LogoPicture& picture, const LogoLines& lines,
                     bool grow) {
  if (!layout.bootCodeAddress) return EditResult::failed(EditError::NoBootCode);
  if (!layout.pcir || image.word(*layout.pcir + kPcirVendorId) != k3dfxVendorId)
    return EditResult::failed(EditError::NotA3dfxBios);
  if (const auto error = logoSizeError(picture.width, picture.height)) return EditResult::failed(*error);
  const std::size_t pictureBytes = logoRunBytes(picture) - kLogoReserveBytes - kCallPatchBytes;
  if (picture.rows.size() < pictureBytes) return EditResult::failed(EditError::BmpTruncated);

  std::array<std::string, kLogoLines> cut;
  std::size_t textBytes = 0;
  for (std::size_t k = 0; k < kLogoLines; ++k) {
    cut[k] = lines[k].substr(0, kLogoLineChars);
    textBytes += cut[k].size();
  }
  // The texts and their 0 byte must stay inside the run's reserve.
  if (textBytes > kLogoTextCapacity) return EditResult::failed(EditError::LogoTextTooLong);

  const std::size_t bootCode = *layout.bootCodeAddress;
  if (!Image::fits(bootCode, kCallPatchBytes)) return EditResult::failed(EditError::NoBootCode);

  const Placement placement = place(freedImage(image, layout, bootCode), layout, logoRunBytes(picture));
  if (!placement.base) return EditResult::failed(EditError::NoFreeRun);
  if (placement.grownLength && !grow) return EditResult::failed(EditError::LogoNeedsGrowth);

  // The sign-on code the call replaces: what stands there, or what an
  // installed block kept. A block of an earlier version kept none, and the
  // new one is written as it was, without.
  std::optional<SavedSignOn> signOn;
  const auto& installed = layout.logo;
  if (!installed || installed->block.savedCode) {
    signOn.emplace();
    const std::size_t from = installed ? *installed->block.savedCode : bootCode;
    std::copy_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(from), kCallPatchBytes, signOn->begin());
  }

  EditResult result;
  if (installed) {
    fill(image, installed->block.base, installed->block.size, 0xFF);
    result.written.push_back({installed->block.base, installed->block.size});
  }
  const auto call = callPatch(bootCode, *placement.base);
  const auto block = buildLogoBlock(*placement.base, picture, cut, signOn);
  std::copy(call.begin(), call.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(bootCode));
  std::copy(block.begin(), block.end(), image.bytes.begin() + static_cast<std::ptrdiff_t>(*placement.base));
  result.written.push_back({bootCode, call.size()});
  result.written.push_back({*placement.base, block.size()});
  if (placement.grownLength) {
    const auto units = static_cast<std::uint8_t>(*placement.grownLength / kRomLengthUnit);
    image.bytes[kRomLengthByte] = units;
    image.bytes[*layout.pcir + kPcirImageLength] = units;
    image.bytes[*layout.pcir + kPcirImageLength + 1] = 0;
    result.written.push_back({kRomLengthByte, 1});
    result.written.push_back({*layout.pcir + kPcirImageLength, 2});
  }
  return result;
}

EditResult removeLogo(Image& image, const BiosLayout& layout) {
  if (!layout.logo) return EditResult::failed(EditError::NoLogo);
  const LogoBlockView& block = layout.logo->block;
  if (!block.savedCode) return EditResult::failed(EditError::LogoKeepsNoSignOn);
  const std::size_t call = layout.logo->call;
  std::copy_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(*block.savedCode), kCallPatchBytes,
              image.bytes.begin() + static_cast<std::ptrdiff_t>(call));
  fill(image, block.base, block.size, 0xFF);
  return {{{call, kCallPatchBytes}, {block.base, block.size}}, std::nullopt};
}

}  // namespace quarzel
