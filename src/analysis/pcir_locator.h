// The PCI data structure "PCIR" of the option ROM.
#pragma once

#include "analysis/bios_layout.h"
#include "formats/signature.h"

namespace quarzel {

inline constexpr Signature kPcirSignature{"50 43 49 52"};  // "PCIR"
inline constexpr std::size_t kPcirShownLength = 22;       // without the reserved word

void locatePcir(const Image& image, BiosLayout& layout);

}  // namespace quarzel
