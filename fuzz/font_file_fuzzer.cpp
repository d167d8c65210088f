// A font file as the input, as Load Font and `--font` read one: loaded over
// each font of every base image, saved again, the fix-ups following.
#include "analysis/fonts/font_edits.h"
#include "formats/font_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  // One byte over the largest font is read, as the program reads a file.
  if (size > fontTableBytes(Font8x16) + 1) return 0;
  const std::span<const std::uint8_t> file{data, size};
  fuzz::keep(fontSizeOfFileLength(size));
  fuzz::applyToBaseImages([&](fuzz::PassedImage& target) {
    for (const FontSize font : kFontSizes) {
      fuzz::checkedEdit(target, "--font", [&](Image& image, BiosLayout& layout) {
        const EditResult result = loadFontFile(image, layout, font, file);
        fuzz::checkFontLoad(image, layout, font, file, result);
        return result;
      });
    }
  });
  return 0;
}
