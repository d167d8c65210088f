// A record of the board's extended mode table: what the mode set writes to
// the chip beside the VGA registers (3683h ff. in Agp_sg.rom).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "formats/image.h"

namespace quarzel {

// Where the index and the PLL word lie in each record size the builds use;
// 6-byte records carry a byte the mode set does not read before the index.
struct ExtendedRecordLayout {
  std::size_t size, parameterIndex, pll;
  std::optional<std::size_t> unused;
};
inline constexpr ExtendedRecordLayout kExtendedRecordLayouts[] = {{5, 2, 3, std::nullopt}, {6, 3, 4, 2}};
const ExtendedRecordLayout* extendedRecordLayout(std::size_t size);

inline constexpr std::size_t kRecordFlagsByte = 0, kRecordCrtc1BByte = 1;

struct ExtendedRecord {
  std::uint8_t flags = 0;
  std::uint8_t crtc1B = 0;          // the chip's vertical extension register
  std::uint8_t parameterIndex = 0;  // the parameter entry, where not 0
  std::uint16_t pll = 0;            // written to pllCtrl0 where not 0

  // The video processor shows the desktop instead of the VGA's output.
  bool native() const { return (flags & 0x01) != 0; }
  bool interlace() const { return (flags & 0x02) != 0; }
  // The video processor shows each desktop line twice.
  bool nativeDoubleScan() const { return (flags & 0x04) != 0; }
  unsigned pixelFormat() const { return (flags >> 3) & 7u; }
};

// The record of `size` bytes at `at`; empty for a size of no known layout or
// a record that would pass the end of the buffer.
std::optional<ExtendedRecord> readExtendedRecord(const Image& image, std::size_t at, std::size_t size);

}  // namespace quarzel
