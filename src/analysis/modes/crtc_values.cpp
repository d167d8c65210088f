#include "analysis/modes/crtc_values.h"

namespace quarzel {

namespace {

unsigned bit(unsigned value, unsigned n) { return (value >> n) & 1u; }

// Where the bits above 8 of the vertical values lie: CRTC 7 (the overflow),
// CRTC 9 (bit 9 of the blanking start) and the chip's CRTC 1Bh (bits 10).
struct HighBits {
  unsigned CrtcValues::*value;
  unsigned overflow8, bit9Register, bit9, extension10;
};
constexpr unsigned kOverflow = 7, kMaxScanLine = 9;
constexpr HighBits kHighBits[] = {
    {&CrtcValues::vTotal, 0, kOverflow, 5, 0},
    {&CrtcValues::vDisplayEnd, 1, kOverflow, 6, 2},
    {&CrtcValues::vSyncStart, 2, kOverflow, 7, 6},
    {&CrtcValues::vBlankStart, 3, kMaxScanLine, 5, 4},
};
// The bits of CRTC 3, 5, 7, 9, 11h and 1Bh that hold no timing value:
// compatible read and skew, skew, line compare bit 8, all of CRTC 9 but the
// blanking start's bit 9, protect and interrupt, the chip's other bits.
constexpr unsigned kKeep3 = 0xE0, kKeep5 = 0x60, kKeep7 = 0x10, kKeep11 = 0xF0, kKeep1B = 0xAA;

std::uint8_t byte(unsigned value) { return static_cast<std::uint8_t>(value); }

}  // namespace

CrtcValues readCrtcValues(std::span<const std::uint8_t, kParameterEntryBytes> entry, std::uint8_t crtc1B) {
  const auto crtc = [&](std::size_t index) -> unsigned { return entry[entry_byte::kCrtc + index]; };
  CrtcValues v;
  v.hTotal = crtc(0);
  v.hDisplayEnd = crtc(1);
  v.hBlankStart = crtc(2);
  v.hBlankEnd = (crtc(3) & 0x1F) | bit(crtc(5), 7) << 5;
  v.hSyncStart = crtc(4);
  v.hSyncEnd = crtc(5) & 0x1F;
  v.vTotal = crtc(6);
  v.vDisplayEnd = crtc(0x12);
  v.vBlankStart = crtc(0x15);
  v.vBlankEnd = crtc(0x16);
  v.vSyncStart = crtc(0x10);
  v.vSyncEnd = crtc(0x11) & 0x0F;
  for (const HighBits& h : kHighBits)
    v.*h.value |= bit(crtc(kOverflow), h.overflow8) << 8 | bit(crtc(h.bit9Register), h.bit9) << 9 |
                  bit(crtc1B, h.extension10) << 10;
  return v;
}

void writeCrtcValues(std::span<std::uint8_t, kParameterEntryBytes> entry, const CrtcValues& v) {
  std::uint8_t* crtc = entry.data() + entry_byte::kCrtc;
  crtc[0] = byte(v.hTotal);
  crtc[1] = byte(v.hDisplayEnd);
  crtc[2] = byte(v.hBlankStart);
  crtc[3] = byte((crtc[3] & kKeep3) | (v.hBlankEnd & 0x1F));
  crtc[4] = byte(v.hSyncStart);
  crtc[5] = byte(bit(v.hBlankEnd, 5) << 7 | (crtc[5] & kKeep5) | (v.hSyncEnd & 0x1F));
  crtc[6] = byte(v.vTotal);
  crtc[0x10] = byte(v.vSyncStart);
  crtc[0x11] = byte((crtc[0x11] & kKeep11) | (v.vSyncEnd & 0x0F));
  crtc[0x12] = byte(v.vDisplayEnd);
  crtc[0x15] = byte(v.vBlankStart);
  crtc[0x16] = byte(v.vBlankEnd);
  crtc[kOverflow] = byte(crtc[kOverflow] & kKeep7);
  crtc[kMaxScanLine] = byte(crtc[kMaxScanLine] & ~(1u << 5));
  for (const HighBits& h : kHighBits) {
    crtc[kOverflow] = byte(crtc[kOverflow] | bit(v.*h.value, 8) << h.overflow8);
    crtc[h.bit9Register] = byte(crtc[h.bit9Register] | bit(v.*h.value, 9) << h.bit9);
  }
}

std::uint8_t crtc1BWith(std::uint8_t crtc1B, const CrtcValues& values) {
  unsigned extension = crtc1B & kKeep1B;
  for (const HighBits& h : kHighBits) extension |= bit(values.*h.value, 10) << h.extension10;
  return byte(extension);
}

}  // namespace quarzel
