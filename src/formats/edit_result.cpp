#include "formats/edit_result.h"

#include <string>

#include "formats/logo_block.h"
#include "formats/pcir_structure.h"
#include "formats/text_format.h"

namespace quarzel {

void ignoreRefusal(const EditResult&) {}

const char* describe(EditError error) {
  switch (error) {
    case EditError::NotLocated: return "not found in this BIOS";
    case EditError::PastImageEnd: return "it lies past the end of the image file, where a save keeps nothing";
    case EditError::NotHexNumber: return "not a hexadecimal number";
    case EditError::ValueTooLarge: return "larger than 32 bits";
    case EditError::FontFileLength: return "a font file must be 2048, 3584 or 4096 bytes long";
    case EditError::FontSizeMismatch: return "the file holds a font of another size";
    case EditError::NotCodePageFile: return "not a code-page file (no FFh \"FONT\" header)";
    case EditError::CodePageTruncated: return "the code-page file ends inside the entries or fonts it lists";
    case EditError::CodePageFontsOverrun: return "a code-page entry's fonts overrun the data size it declares";
    case EditError::NotBmp: return "not a BMP file";
    case EditError::BmpNotFourBit: return "not a 16-colour (4 bits per pixel) BMP";
    case EditError::BmpCompressed: return "compressed BMP files cannot be used";
    case EditError::BmpTruncated: return "the BMP file ends before its pixel data";
    case EditError::BmpWidthUnsupported: return "the logo width must be 8, 16, ... or 120 pixels";
    case EditError::BmpHeightUnsupported: return "the logo height must be 1 to 127 pixels";
    case EditError::NoBootCode: return "the sign-on call of this BIOS was not found, so no logo can be called";
    case EditError::NotA3dfxBios: {
      static const std::string text =
          formatText("the PCI data structure does not name vendor %04Xh (3dfx)", unsigned{k3dfxVendorId});
      return text.c_str();
    }
    case EditError::NoFreeRun: return "no run of FFh bytes inside the ROM is large enough for the logo";
    case EditError::LogoNeedsGrowth:
      return "the logo fits only in the free bytes past the ROM length, which the ROM must grow to take";
    case EditError::NoLogo: return "no logo of quarzel's is installed";
    case EditError::LogoKeepsNoSignOn:
      return "this logo was written by an earlier quarzel, which kept no copy of the sign-on code it replaced";
    case EditError::LogoTextTooLong: {
      static const std::string text =
          formatText("the five logo lines hold more than %zu characters", kLogoTextCapacity);
      return text.c_str();
    }
    case EditError::NoModeTables: return "the video mode tables of this BIOS were not found";
    case EditError::NoSuchResolution: return "no graphics mode of the board has that resolution";
    case EditError::NoStandardTiming: return "there is no standard timing of that refresh rate for the resolution";
    case EditError::RecordWithoutPll: return "the extended mode records have no PLL value this program knows how to write";
    case EditError::SharedParameterEntry:
      return "a mode of another resolution uses the same parameter entry, so its timing would change too";
    case EditError::ClockPastDacLimit: return "the pixel clock passes the highest the BIOS gives its modes";
  }
  return "unknown error";
}

}  // namespace quarzel
