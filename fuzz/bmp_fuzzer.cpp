// A BMP file as the input, as Load Image and `--logo` read one: the
// picture's checks, then the logo written into every base image with the
// lines the pass took from its sign-on string.
#include "analysis/logo/logo_edit.h"
#include "formats/bmp_picture.h"
#include "formats/file_io.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarzel;
  if (size > kLogoFileLimit) return 0;  // refused before it is read
  const BmpParse parsed = readLogoPicture({data, size});
  if (!parsed.picture) return 0;
  const LogoPicture& picture = *parsed.picture;
  if (logoSizeError(picture.width, picture.height)) fuzz::broken("BMP", "was taken with a size the block cannot draw");
  if (picture.rows.size() != static_cast<std::size_t>(picture.width / 2 * picture.height))
    fuzz::broken("BMP", "rows do not match its size");
  fuzz::applyToBaseImages([&](fuzz::PassedImage& target) {
    const LogoLines lines = logoLinesWith(target.layout, {});
    fuzz::checkedEdit(target, "--logo", [&](Image& image, BiosLayout& layout) { return applyLogo(image, layout, picture, lines); });
  });
  return 0;
}
