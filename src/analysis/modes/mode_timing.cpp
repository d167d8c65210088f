#include "analysis/modes/mode_timing.h"

#include "analysis/registers/registers.h"

namespace quarzel {

namespace {

unsigned bit(unsigned value, unsigned n) { return (value >> n) & 1u; }

// Sequencer 1: 8-dot characters (bit 0), the dot clock halved (bit 3).
constexpr unsigned kEightDots = 0, kHalfClock = 3;
// Misc Output bits 2 and 3: 0 and 1 the crystals, 2 and 3 the PLL.
constexpr unsigned kClockSelectShift = 2, kPllSelected = 2;
// CRTC 7, the overflow: bits 8 and 9 of the vertical total and display end.
constexpr unsigned kTotal8 = 0, kDisplay8 = 1, kTotal9 = 5, kDisplay9 = 6;
// CRTC 1Bh, the chip's vertical extension: their bit 10.
constexpr unsigned kTotal10 = 0, kDisplay10 = 2;
// CRTC 9: scan doubling (bit 7) and the rows a character row takes (bits 0-4).
constexpr unsigned kScanDoubling = 7, kMaxScanLineMask = 0x1F;
// CRTC 17h bit 0 clear: alternate lines come from a second bank (CGA modes),
// so the character rows show different lines rather than repeat them.
constexpr unsigned kNoBankInterleave = 0;
// Graphics controller 6 bit 0 set: graphics; attribute 10h bit 6: a pixel is
// two dots wide (256 colours).
constexpr unsigned kGraphicsMode = 0, kWidePixels = 6;

// The crystal or the PLL clock that Misc Output selects.
std::optional<double> sourceClock(unsigned miscOutput, const std::optional<ExtendedRecord>& record) {
  const unsigned select = (miscOutput >> kClockSelectShift) & 3u;
  if (select < kPllSelected) return kVgaClocksMHz[select];
  if (record && record->pll != 0) return pllFrequency(record->pll);
  return std::nullopt;
}

}  // namespace

ModeTiming modeTiming(std::span<const std::uint8_t, kParameterEntryBytes> entry,
                      const std::optional<ExtendedRecord>& record) {
  const auto crtc = [&](std::size_t index) -> unsigned { return entry[entry_byte::kCrtc + index]; };
  const unsigned clocking = entry[entry_byte::kSequencer];
  const unsigned overflow = crtc(7), extension = record ? record->crtc1B : 0u;
  const unsigned dots = bit(clocking, kEightDots) ? 8 : 9;

  ModeTiming t;
  const bool native = record && record->native();
  // The attribute controller makes a pixel of two dots only in VGA modes.
  const unsigned dotsPerPixel = !native && bit(entry[entry_byte::kAttribute + 0x10], kWidePixels) ? 2 : 1;
  t.clockDivisor = (bit(clocking, kHalfClock) ? 2 : 1) * dotsPerPixel;
  if (const auto clock = sourceClock(entry[entry_byte::kMiscOutput], record)) t.pixelClockMHz = *clock / t.clockDivisor;
  // The mode set writes 0 to CRTC 1Ah, the horizontal extension, so the
  // horizontal values are the VGA's own 8 bits.
  t.horizontalTotal = (crtc(0) + 5) * dots / dotsPerPixel;
  t.horizontalDisplay = (crtc(1) + 1) * dots / dotsPerPixel;
  t.verticalTotal =
      (crtc(6) | bit(overflow, kTotal8) << 8 | bit(overflow, kTotal9) << 9 | bit(extension, kTotal10) << 10) + 2;
  t.verticalDisplay =
      (crtc(0x12) | bit(overflow, kDisplay8) << 8 | bit(overflow, kDisplay9) << 9 | bit(extension, kDisplay10) << 10) +
      1;

  t.width = t.horizontalDisplay;
  t.height = t.verticalDisplay;
  if (native) {
    if (record->nativeDoubleScan()) t.height /= 2;
  } else {
    const unsigned maxScanLine = crtc(9);
    if (bit(maxScanLine, kScanDoubling)) t.height /= 2;
    if (bit(entry[entry_byte::kGraphics + 6], kGraphicsMode) && bit(crtc(0x17), kNoBankInterleave))
      t.height /= (maxScanLine & kMaxScanLineMask) + 1;
  }
  // Interlaced, the vertical values count one field of the frame.
  if (record && record->interlace()) t.height *= 2;

  if (t.pixelClockMHz) {
    t.lineRateKHz = *t.pixelClockMHz * 1000.0 / t.horizontalTotal;
    t.refreshHz = *t.lineRateKHz * 1000.0 / t.verticalTotal;
  }
  return t;
}

}  // namespace quarzel
