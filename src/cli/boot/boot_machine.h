// The emulated PC that boots a ROM as its video BIOS: which card the
// emulator puts in it for the ROM's chip, and the ROM space it maps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/bios_layout.h"

namespace quarzel {

// The emulator (Bochs 2.7) has the Banshee and the Avenger (Voodoo3) only.
struct EmulatedCard {
  std::uint16_t deviceId;  // as the PCI data structure names it
  const char* model;       // the emulator's name for the card
};
inline constexpr EmulatedCard kEmulatedCards[] = {{0x0003, "banshee"}, {0x0005, "voodoo3"}};

// The card for the ROM's PCI data structure (vendor 121Ah); empty when the
// ROM names no 3dfx chip or one the emulator lacks.
std::optional<EmulatedCard> emulatedCard(const Image& image, const BiosLayout& layout);

// The 64 KiB of ROM space the emulated card maps: the image, with the last 8
// bytes of the ROM length (the PCI subsystem ids of the card) also at the end
// of the space, where the card reads them; the BIOS compares the two and
// skips its start-up when they differ. The bytes inside the ROM, and so its
// checksum, are untouched.
std::vector<std::uint8_t> emulatorRom(const Image& image);

}  // namespace quarzel
