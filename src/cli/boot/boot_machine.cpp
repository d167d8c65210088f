#include "cli/boot/boot_machine.h"

#include <algorithm>

#include "analysis/pci_vesa/pcir_locator.h"

namespace quarzel {

namespace {
constexpr std::size_t kSubsystemBytes = 8;
}  // namespace

std::optional<EmulatedCard> emulatedCard(const Image& image, const BiosLayout& layout) {
  if (!layout.pcir || image.word(*layout.pcir + kPcirVendorId) != k3dfxVendorId) return std::nullopt;
  const auto device = image.word(*layout.pcir + kPcirDeviceId);
  for (const EmulatedCard& card : kEmulatedCards)
    if (device == card.deviceId) return card;
  return std::nullopt;
}

std::vector<std::uint8_t> emulatorRom(const Image& image) {
  std::vector<std::uint8_t> space(image.bytes.begin(), image.bytes.end());
  const std::size_t romBytes = std::min(romLength(image), image.size);
  if (romBytes >= kSubsystemBytes && romBytes < space.size())
    std::copy_n(space.begin() + static_cast<std::ptrdiff_t>(romBytes - kSubsystemBytes), kSubsystemBytes,
                space.end() - static_cast<std::ptrdiff_t>(kSubsystemBytes));
  return space;
}

}  // namespace quarzel
