// What an edit of the image did: the byte ranges it wrote, or why it wrote
// nothing at all. Every edit checks everything first and only then writes,
// so an edit that fails leaves the image exactly as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quarzel {

struct ByteRange {
  std::size_t offset = 0;
  std::size_t length = 0;
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

enum class EditError {
  NotLocated,            // the item is not in this BIOS
  PastImageEnd,          // the item lies past the end of the image file: a save would not keep it
  NotHexNumber,          // register text without a hexadecimal number
  ValueTooLarge,         // register text beyond 32 bits
  FontFileLength,        // a font file must be 2048, 3584 or 4096 bytes
  FontSizeMismatch,      // the file holds a font of another height
  NotCodePageFile,       // no FFh "FONT" header
  CodePageTruncated,     // counts or sizes point past the end of the file
  CodePageFontsOverrun,  // an entry's fonts reach past the data size it declares
  NotBmp,                // no "BM" signature
  BmpNotFourBit,         // not 4 bits per pixel
  BmpCompressed,         // run-length coded pixels
  BmpTruncated,          // header or pixel data past the end of the file
  BmpWidthUnsupported,   // the logo block draws widths 8, 16, ... 120 only
  BmpHeightUnsupported,  // the logo block draws heights 1 to 127 only
  NoBootCode,            // the sign-on call was not found by its main signature
  NotA3dfxBios,          // no PCI data structure naming vendor 121Ah
  NoFreeRun,             // no run of FFh bytes large enough inside the ROM
  LogoNeedsGrowth,       // the logo fits only in free bytes past the ROM length
  NoLogo,                // no logo of quarzel's is installed
  LogoKeepsNoSignOn,     // a logo of an earlier version kept no copy of the sign-on code
  LogoTextTooLong,       // the five lines hold more than 374 characters
  NoModeTables,          // the parameter table, the extended table or the mode table is not located
  NoSuchResolution,      // no graphics mode of the board's own has that resolution
  NoStandardTiming,      // no standard timing of that refresh for the resolution
  RecordWithoutPll,      // the extended records' layout is not known: no PLL word to write
  SharedParameterEntry,  // a mode of another resolution uses the same parameter entry
  ClockPastDacLimit,     // the pixel clock passes the highest the BIOS gives its modes
};

// Plain words for an error, as the command-line tool prints them.
const char* describe(EditError error);

struct [[nodiscard]] EditResult {
  std::vector<ByteRange> written;  // in the order written
  std::optional<EditError> error;  // set: nothing was written

  static EditResult failed(EditError e) { return {{}, e}; }
  bool ok() const { return !error; }
};

// An edit whose refusal needs no word: the caller has checked what it
// would refuse, or the program is silent about it by design.
void ignoreRefusal(const EditResult& result);

}  // namespace quarzel
