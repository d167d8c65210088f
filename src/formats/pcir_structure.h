// The PCI data structure "PCIR" of an option ROM: where its words sit, and
// the vendor id of the boards this program edits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/signature.h"

namespace quarzel {

inline constexpr Signature kPcirSignature{"50 43 49 52"};  // "PCIR"
inline constexpr std::size_t kPcirShownLength = 22;        // without the reserved word
// Words of the structure: the vendor and device ids, and the image length
// in 512-byte units.
inline constexpr std::size_t kPcirVendorId = 4, kPcirDeviceId = 6, kPcirImageLength = 16;
inline constexpr std::uint16_t k3dfxVendorId = 0x121A;

}  // namespace quarzel
