// The PCI data structure "PCIR" of the option ROM.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

inline constexpr Signature kPcirSignature{"50 43 49 52"};  // "PCIR"
inline constexpr std::size_t kPcirShownLength = 22;       // without the reserved word
// Words of the structure: the vendor id, and the image length in 512-byte units.
inline constexpr std::size_t kPcirVendorId = 4, kPcirImageLength = 16;
inline constexpr std::uint16_t k3dfxVendorId = 0x121A;

void locatePcir(const Image& image, BiosLayout& layout);

}  // namespace quarzel
