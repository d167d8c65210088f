#include "analysis/boot_machine.h"

#include <algorithm>

#include "analysis/pcir_locator.h"

namespace quarzel {

namespace {
constexpr std::size_t kSubsystemBytes = 8;
}  // namespace

std::optional<EmulatedCard> emulatedCard(const Image& image, const BiosLayout& layout) {
  if (!layout.pcir || image.word(*layout.pcir + kPcirVendorId) != k3dfxVendorId) return std::nullopt;
  const auto device = image.word(*layout.pcir + 6);
  for (const EmulatedCard& card : kEmulatedCards)
    if (device == card.deviceId) return card;
  return std::nullopt;
}

std::vector<std::uint8_t> emulatorRom(const Image& image) {
  std::vector<std::uint8_t> space(image.bytes.begin(), image.bytes.end());
  const std::size_t romLength = std::min<std::size_t>(std::size_t{image.bytes[2]} * 512, image.size);
  if (romLength >= kSubsystemBytes && romLength < space.size())
    std::copy_n(space.begin() + static_cast<std::ptrdiff_t>(romLength - kSubsystemBytes), kSubsystemBytes,
                space.end() - static_cast<std::ptrdiff_t>(kSubsystemBytes));
  return space;
}

}  // namespace quarzel
